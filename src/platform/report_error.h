// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>
#include <QString>

class QWidget;

namespace platform {

// What a failure stops.
enum class Failure {
  // The program cannot start: the log line "cannot start: <message>" is a critical message,
  // always on stderr.
  Startup,
  // One command or handler; the program goes on. The log line is an info message, hidden unless
  // info messages of `category` are enabled (QT_LOGGING_RULES).
  Command,
};

// Reports a failure: a log line in `category`, then, when a QApplication is running, a
// message box titled with the program's name over `parent`. Returns once the box is closed.
void reportError(const QLoggingCategory& category, Failure failure, const QString& message,
                 QWidget* parent = nullptr);

}  // namespace platform
