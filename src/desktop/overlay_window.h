// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace character {

// Makes `widget` a desktop overlay: a frameless top-level window that stays above the others,
// has no task-bar or pager entry and never takes the keyboard focus. Call before the first
// show().
//
// Why these flags: Qt::Tool keeps the window out of the window list of most desktops and off
// the task switcher; FramelessWindowHint removes the decorations; WindowStaysOnTopHint asks the
// window manager to keep it above; WindowDoesNotAcceptFocus and WA_ShowWithoutActivating leave
// the keyboard where the learner typed. X11BypassWindowManagerHint is not used: a window that
// bypasses the window manager is not kept above, ignores workspaces and is drawn over screen
// lockers and full-screen programs, so characters would cover things they must not.
void makeOverlayWindow(QWidget& widget);

}  // namespace character
