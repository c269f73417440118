// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <cstdint>
#include <memory>

class QWidget;

namespace platform {

// A point on the screen in pixels, as the window system reports the cursor.
struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// A rectangle on the screen in pixels, as the window system reports a window: `right` and
// `bottom` lie just outside it (unlike QRect::right() and QRect::bottom()).
struct ScreenRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  static ScreenRect fromQRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
  }
  bool operator==(const ScreenRect&) const = default;
};

// True when `point` lies inside: left <= x < right and top <= y < bottom.
inline bool PtInRect(const ScreenRect& rect, const ScreenPoint& point) {
  return rect.left <= point.x && point.x < rect.right && rect.top <= point.y &&
         point.y < rect.bottom;
}

// The pointer shown over every window of this program.
enum class Pointer { Default, Move };

// What the toolbar needs from the window system, for the one window it serves. Positions and
// sizes are the program's pixels (Qt's logical pixels).
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Where the cursor is on the screen now.
  virtual ScreenPoint cursorPos() const = 0;

  // The window's rectangle on the screen, frame included.
  virtual ScreenRect windowRect() const = 0;

  // Puts the window at the top of the stay-on-top group. It is not activated and does not take
  // the keyboard focus from whatever window has it.
  virtual void raiseTopmost() = 0;

  // Moves and resizes the window in one step: `geometry` is its top-left corner and size.
  virtual void moveWindow(const QRect& geometry) = 0;

  // Sets the pointer shown over every window of this program, and over no other program's.
  virtual void setOverridePointer(Pointer pointer) = 0;
};

// The real window system, serving `window`, which must outlive it.
std::unique_ptr<WindowSystem> createDesktopWindowSystem(QWidget& window);

}  // namespace platform
