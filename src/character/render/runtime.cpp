// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/runtime.h"

#include "character/speech/create_speech_service.h"
#include "engine_driver.h"
#include "qt_presenter.h"

namespace character {

Runtime::~Runtime() = default;

std::unique_ptr<Runtime> createDesktopRuntime() {
  auto runtime = std::make_unique<Runtime>();
  runtime->presenter = std::make_unique<QtPresenter>();
  runtime->speech = createSpeechService();
  runtime->engine = std::make_unique<Engine>(runtime->clock, *runtime->presenter, *runtime->speech);
  runtime->driver = std::make_unique<EngineDriver>(*runtime->engine, runtime->clock);
  return runtime;
}

}  // namespace character
