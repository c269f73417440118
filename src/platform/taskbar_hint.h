// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace platform {

// Keeps the top-level `window` out of the task bar and the pager. Call it before the window is
// first shown: the window manager reads the hint when the window is mapped. Does nothing on
// platforms other than X11.
void keepOutOfTaskbar(QWidget& window);

}  // namespace platform
