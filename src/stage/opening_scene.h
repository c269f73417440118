// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cast.h"

namespace stage {

// Queues the opening scene: the host greets the learner and calls in the boy, then the girl,
// each pupil coming into view at home only once called. Returns at once; afterwards the host's
// request holds its "Jenny!Come Here!", the boy's his "Hello!" and the girl's her "How are
// you!". Throws character::AgentError when a role is not loaded.
void queueOpeningScene(Cast& cast);

}  // namespace stage
