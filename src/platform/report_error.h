// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>
#include <QString>
#include <functional>

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

// Runs `handler` at an edge of the event loop (a slot, a timer, an event handler, main()):
// whatever it throws is caught and its message passed to `report`, so no exception crosses the
// event loop.
void runReporting(const std::function<void()>& handler,
                  const std::function<void(const QString& message)>& report);

}  // namespace platform
