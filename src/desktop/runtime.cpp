// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/runtime.h"

#include <QCoreApplication>

#include "engine_driver.h"
#include "lazy_speech.h"
#include "qt_presenter.h"
#include "speech/speech_module.h"

namespace character {

Runtime::~Runtime() = default;

std::unique_ptr<Runtime> createDesktopRuntime() {
  auto runtime = std::make_unique<Runtime>();
  runtime->presenter = std::make_unique<QtPresenter>();
  runtime->speech = std::make_unique<LazySpeech>(QCoreApplication::applicationDirPath() + '/' +
                                                 QLatin1String(kSpeechModuleFile));
  runtime->engine = std::make_unique<Engine>(runtime->clock, *runtime->presenter, *runtime->speech);
  runtime->driver = std::make_unique<EngineDriver>(*runtime->engine, runtime->clock);
  return runtime;
}

}  // namespace character
