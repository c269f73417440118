#pragma once

#include <QString>
#include <memory>

#include "character/agent.h"
#include "character/engine.h"

namespace stage {

// The nine references the toolbar form keeps for its three characters: for each, the component
// instance, the loaded character and the latest request other characters wait for.
struct Cast {
  std::unique_ptr<character::AgentControl> BoyAgent;
  std::unique_ptr<character::AgentControl> GirlAgent;
  std::unique_ptr<character::AgentControl> VemoAgent;
  character::Character* Boy = nullptr;
  character::Character* Girl = nullptr;
  character::Character* Vemo = nullptr;
  character::Request BoyRequest;
  character::Request GirlRequest;
  character::Request VemoRequest;
};

}  // namespace stage
