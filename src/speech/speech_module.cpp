// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech_module.h"

#include <QtGlobal>

#include "base/guarded_run.h"
#include "create_speech_service.h"
#include "speech_log.h"

extern "C" Q_DECL_EXPORT character::SpeechService* chengmu_create_speech_service() {
  character::SpeechService* service = nullptr;
  base::runGuarded([&] { service = character::createSpeechService().release(); },
                   base::logFailure(character::lcSpeech, "opening the speech module"));
  return service;
}
