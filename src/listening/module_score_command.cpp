// SPDX-License-Identifier: GPL-3.0-or-later
#include "module_score_command.h"

#include <QFileInfo>

#include "listening_module_loader.h"
#include "score_command.h"

namespace listening {

namespace {

// The folder of the running program's file, also before any QCoreApplication exists and when
// the program was started through a symbolic link.
QString programFolder() {
  return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

}  // namespace

int runScoreCommandBesideProgram(const QString& wavPath, const QString& sentence, QTextStream& out,
                                 QTextStream& err) {
  ListeningModuleLoader module(programFolder());
  QString error;
  const RunScoreCommandFunction run = module.runScoreCommand(error);
  if (!run) {
    err << "cannot score: " << error << '\n';
    err.flush();
    return kScoreFailed;
  }
  return run(wavPath, sentence, out, err);
}

}  // namespace listening
