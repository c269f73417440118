#pragma once

#include <QString>

namespace platform {

// Reports why the program cannot start: one line on stderr, and a message box when a
// QApplication is running. Returns once the user has closed the box.
void reportStartupError(const QString& message);

}  // namespace platform
