// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cast.h"

namespace stage {

// Queues the end of a lesson: the host goes home and says "学 习 完 毕" once everything queued
// for it before has played, then the boy congratulates, then the girl. Afterwards the host's
// request holds its announcement and the boy's his congratulation. Throws
// character::AgentError.
void queueClosingScene(Cast& cast);

}  // namespace stage
