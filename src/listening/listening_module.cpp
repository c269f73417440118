// SPDX-License-Identifier: GPL-3.0-or-later
// The entry points of the listening module (see listening_module.h).
#include "listening_module.h"

#include <QtGlobal>

#include "base/guarded_run.h"
#include "listening_log.h"
#include "microphone_listener.h"
#include "score_command.h"

extern "C" Q_DECL_EXPORT listening::Listener* chengmu_create_listener() {
  listening::Listener* listener = nullptr;
  base::runGuarded([&] { listener = new listening::MicrophoneListener(); },
                   base::logFailure(listening::lcListening, "making the listener"));
  return listener;
}

extern "C" Q_DECL_EXPORT int chengmu_run_score_command(const QString& wavPath,
                                                       const QString& sentence, QTextStream& out,
                                                       QTextStream& err) {
  return listening::runScoreCommand(wavPath, sentence, out, err);
}
