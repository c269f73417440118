// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "character/agent.h"
#include "character/engine.h"
#include "character/speech.h"
#include "stage/cast.h"
#include "stage/role.h"
#include "support/test_character.h"

namespace testing_support {

// The cast the toolbar keeps, played by test characters on a headless engine whose clock moves
// only when told: for tests, benchmarks and fuzzers that stage lessons without a screen.
struct HeadlessCast {
  HeadlessCast() : engine(clock, presenter, speech) {
    for (stage::Role role : stage::kRoles) {
      characters.push_back(std::make_unique<character::Character>(
          engine, engine.addCharacter(makeTestCharacter(stage::castMember(role).id))));
      cast.setCharacter(role, characters.back().get());
    }
  }

  // The actions waiting in all three characters' queues.
  std::size_t queuedActions() const {
    std::size_t actions = 0;
    for (const auto& character : characters) actions += engine.queuedActions(character->state());
    return actions;
  }

  character::VirtualClock clock;
  character::NullPresenter presenter;
  character::TimedSpeech speech;
  character::Engine engine;
  std::vector<std::unique_ptr<character::Character>> characters;
  stage::Cast cast;
};

}  // namespace testing_support
