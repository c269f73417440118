// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

namespace listening {

// The `--score` command (runScoreCommand(), score_command.h) run by the listening module beside
// the running program. When the module cannot be loaded, the reason goes to `err` and the
// status is kScoreFailed.
int runScoreCommandBesideProgram(const QString& wavPath, const QString& sentence, QTextStream& out,
                                 QTextStream& err);

}  // namespace listening
