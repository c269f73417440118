// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace platform {

// Keeps the top-level `window` out of the task bar and the pager at every showing: the hint is
// set again just before each mapping, because a window manager drops it when the window is
// withdrawn (hidden). Call it once, before the window is first shown; calling it again does no
// harm. Does nothing on platforms other than X11.
void keepOutOfTaskbar(QWidget& window);

}  // namespace platform
