// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_error.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

namespace platform {

void reportError(const QLoggingCategory& category, Failure failure, const QString& message,
                 QWidget* parent) {
  const QString program = QCoreApplication::applicationName();
  if (failure == Failure::Startup) {
    qCCritical(category).noquote() << QStringLiteral("cannot start: ") + message;
  } else {
    qCInfo(category).noquote() << message;
  }
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
    QMessageBox::critical(parent, program, message);
  }
}

}  // namespace platform
