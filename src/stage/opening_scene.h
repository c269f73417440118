#pragma once

#include "cast.h"

namespace stage {

// Queues the opening scene: vemo greets the learner and calls in boy, then girl, each pupil
// coming into view only once called. Returns at once; afterwards VemoRequest holds vemo's
// "Jenny!Come Here!", BoyRequest boy's "Hello!" and GirlRequest girl's "How are you!".
void queueOpeningScene(Cast& cast);

}  // namespace stage
