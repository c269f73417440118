// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window_system.h"

namespace platform {

// A window system without a screen: the cursor is wherever it is told to be, the window is
// wherever it was last moved, and every request is counted so that it can be checked.
class HeadlessWindowSystem : public WindowSystem {
 public:
  ScreenPoint cursorPos() const override { return cursor; }
  ScreenRect windowRect() const override { return ScreenRect::fromQRect(geometry); }
  void raiseTopmost() override { ++raises; }
  void moveWindow(const QRect& newGeometry) override {
    geometry = newGeometry;
    ++moves;
  }
  void setOverridePointer(Pointer newPointer) override { pointer = newPointer; }

  ScreenPoint cursor;
  QRect geometry;
  Pointer pointer = Pointer::Default;
  int raises = 0;
  int moves = 0;
};

}  // namespace platform
