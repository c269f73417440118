// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace platform {

// Checks, before any QApplication exists, that the program has a display to show its windows
// on. Returns why not, or nothing when there is one. A platform other than X11 chosen through
// QT_QPA_PLATFORM (offscreen, for instance) is taken as a display.
std::optional<QString> missingDisplayReason();

}  // namespace platform
