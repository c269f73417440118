#pragma once

#include "character/agent.h"

namespace demo {

// The three characters of the demonstration, loaded and ready.
struct DemoCast {
  character::Character& boy;
  character::Character& girl;
  character::Character& vemo;
};

// Queues the whole scene at once: the host greets the learner and calls the pupils in, each
// pupil answers, and everyone ends at rest on the desktop.
void queueScene(const DemoCast& cast);

}  // namespace demo
