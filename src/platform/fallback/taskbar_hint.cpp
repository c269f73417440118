// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/taskbar_hint.h"

namespace platform {

// Built without xcb: no window system here knows a task bar hint.
void keepOutOfTaskbar(QWidget&) {}

}  // namespace platform
