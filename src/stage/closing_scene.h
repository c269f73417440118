#pragma once

#include "cast.h"

namespace stage {

// Queues the end of a lesson: vemo goes home and says "学 习 完 毕" once everything queued for
// it before has played, then boy congratulates, then girl. Afterwards VemoRequest holds vemo's
// announcement and BoyRequest boy's congratulation. Throws character::AgentError.
void queueClosingScene(Cast& cast);

}  // namespace stage
