// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/program.h"
#include "fake_listener.h"
#include "stage/cast_stage.h"

namespace app_testing {

// The program on the test cast, with a listener of the test's.
struct ProgramOnStage {
  ProgramOnStage() {
    for (stage::Role role : stage::kRoles) {
      program.cast().setCharacter(role, stage.cast.character(role));
    }
    stage.recordCalls();
  }
  stage_testing::CastStage stage;
  FakeListener listener;
  app::Program program{stage.engine, listener};
};

}  // namespace app_testing
