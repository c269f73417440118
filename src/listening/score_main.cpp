// chengmu-score WAV "sentence": the program's scoring command on its own.

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "score_command.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  QTextStream out(stdout);
  QTextStream err(stderr);
  if (arguments.size() != 3) {
    err << "usage: chengmu-score WAV \"sentence\"\n";
    return listening::kScoreFailed;
  }
  return listening::runScoreCommand(arguments[1], arguments[2], out, err);
}
