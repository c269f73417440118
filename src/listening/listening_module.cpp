// SPDX-License-Identifier: GPL-3.0-or-later
// The entry points of the listening module (see listening_module.h).
#include "listening_module.h"

#include <QtGlobal>
#include <exception>

#include "listening_log.h"
#include "microphone_listener.h"
#include "score_command.h"

extern "C" Q_DECL_EXPORT listening::Listener* chengmu_create_listener() {
  try {
    return new listening::MicrophoneListener();
  } catch (const std::exception& error) {
    qCWarning(listening::lcListening, "cannot make the listener: %s", error.what());
    return nullptr;
  }
}

extern "C" Q_DECL_EXPORT int chengmu_run_score_command(const QString& wavPath,
                                                       const QString& sentence, QTextStream& out,
                                                       QTextStream& err) {
  return listening::runScoreCommand(wavPath, sentence, out, err);
}
