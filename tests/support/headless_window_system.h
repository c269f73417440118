// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/window_system.h"

namespace testing_support {

// A window system without a screen: the cursor is wherever it is told to be, the window is
// wherever it was last moved, and every request is counted so that it can be checked.
class HeadlessWindowSystem : public platform::WindowSystem {
 public:
  platform::ScreenPoint cursorPos() const override { return cursor; }
  platform::ScreenRect windowRect() const override {
    return platform::ScreenRect::fromQRect(geometry);
  }
  void raiseTopmost() override { ++raises; }
  void moveWindow(const QRect& newGeometry) override {
    geometry = newGeometry;
    ++moves;
  }
  void setOverridePointer(platform::Pointer newPointer) override { pointer = newPointer; }

  platform::ScreenPoint cursor;
  QRect geometry;
  platform::Pointer pointer = platform::Pointer::Default;
  int raises = 0;
  int moves = 0;
};

}  // namespace testing_support
