#include "startup_error.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace platform {

void reportStartupError(const QString& message) {
  const QString program = QCoreApplication::applicationName();
  std::fprintf(stderr, "%s: cannot start: %s\n", qUtf8Printable(program), qUtf8Printable(message));
  std::fflush(stderr);
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
    QMessageBox::critical(nullptr, program, message);
  }
}

}  // namespace platform
