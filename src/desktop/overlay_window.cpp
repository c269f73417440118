// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay_window.h"

#include "platform/taskbar_hint.h"

namespace character {

void makeOverlayWindow(QWidget& widget) {
  widget.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::WindowDoesNotAcceptFocus);
  widget.setAttribute(Qt::WA_ShowWithoutActivating);
  widget.setFocusPolicy(Qt::NoFocus);
  platform::keepOutOfTaskbar(widget);
}

}  // namespace character
