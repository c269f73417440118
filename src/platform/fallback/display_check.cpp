// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/display_check.h"

namespace platform {

// Built without xcb there is nothing to check the display with before the application starts:
// Qt's platform plugin reports a missing display itself.
std::optional<QString> missingDisplayReason() {
  return std::nullopt;
}

}  // namespace platform
