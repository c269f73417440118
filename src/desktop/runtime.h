// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "character/clock.h"
#include "character/engine.h"
#include "character/speech.h"

namespace character {

class EngineDriver;
class QtPresenter;

// The character component as the program runs it: a real clock, windows on the desktop, speech,
// and a driver that updates the engine when it is due. Create it after the QApplication.
struct Runtime {
  SteadyClock clock;
  std::unique_ptr<QtPresenter> presenter;
  std::unique_ptr<SpeechService> speech;
  std::unique_ptr<Engine> engine;
  std::unique_ptr<EngineDriver> driver;
  ~Runtime();
};

std::unique_ptr<Runtime> createDesktopRuntime();

}  // namespace character
