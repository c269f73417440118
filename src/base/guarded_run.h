// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>
#include <QString>
#include <exception>

namespace base {

// Runs `step` at an edge where no exception may go further: a slot, a timer or an event handler
// of the event loop, a job of a worker thread, main(). Whatever it throws is caught and its
// message handed to `report(const QString&)`, and the caller carries on.
template <typename Step, typename Report>
void runGuarded(Step&& step, Report&& report) {
  try {
    step();
  } catch (const std::exception& error) {
    report(QString::fromUtf8(error.what()));
  } catch (...) {
    report(QStringLiteral("An unexpected error occurred."));
  }
}

// A report for runGuarded() that logs "`what` failed: <message>" as a warning in `category` (a
// category declared with Q_DECLARE_LOGGING_CATEGORY).
inline auto logFailure(const QLoggingCategory& (*category)(), const char* what) {
  return [category, what](const QString& message) {
    qCWarning(category).noquote() << what << "failed:" << message;
  };
}

}  // namespace base
