// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <cstdint>

#include "platform/twips.h"
#include "platform/window_system.h"

namespace toolbar {

// The docking and drag state of the toolbar.
struct DockState {
  // At the last poll that kept the bar expanded, the cursor was in the grip zone or a drag ran;
  // a press on the grip starts a drag only while this holds.
  bool CanDrag = false;
  bool Dragging = false;
  // The bar's window rectangle when it was last docked.
  platform::ScreenRect DockRect;
  // The cursor at the last poll; the drag and the paint read it from here.
  platform::ScreenPoint CursorPos;
  // Where in the bar the cursor was when the drag started.
  std::int32_t DragOffsetX = 0;
  std::int32_t DragOffsetY = 0;
  // The expanded height in twips: 0 until the bar is first docked.
  std::int32_t DockHeight = 0;
};

// How the bar keeps to the top edge of the screen: it rolls up to a thin strip when the cursor
// leaves it, expands when the cursor touches the top edge, and can be dragged by its grip and
// dropped back at the top edge. The bar's place is kept here, in pixels, and every change goes
// to the window system as a whole geometry.
class BarDocking {
 public:
  static constexpr std::int32_t kDockedHeightTwips = 300;
  static constexpr std::int32_t kRolledUpHeightTwips = 23;
  // A cursor at this y or above always expands the bar.
  static constexpr std::int32_t kTopBandMaxY = 3;
  // Columns from the bar's left edge (and everything left of it) where a press may drag.
  static constexpr std::int32_t kGripZoneMaxX = 10;

  // `initialGeometry` is the bar's place before it is first docked, in pixels.
  BarDocking(platform::WindowSystem& windowSystem, const platform::Twips& twips,
             const QRect& initialGeometry);

  // Puts the bar where it was created.
  void placeInitially();
  // Docks the bar: expanded, at the top edge, at its current left; captures DockRect.
  void dock();

  // The 100 ms poll: expands or rolls up the bar and sets the move pointer.
  void pollCursor();
  // At every repaint: keeps the bar above other windows unless the cursor was on it.
  void keepOnTop();
  // A press, a move and the release of any mouse button on the drag grip.
  void gripPressed();
  void gripMoved();
  void gripReleased();

  const DockState& state() const { return state_; }
  const QRect& geometry() const { return geometry_; }
  int rolledUpHeightPixels() const { return rolledUpHeight_; }

 private:
  void setHeight(int pixels);
  void showDragPointerIfInGripZone();

  platform::WindowSystem& windowSystem_;
  platform::Twips twips_;
  QRect geometry_;
  int rolledUpHeight_;
  DockState state_;
};

}  // namespace toolbar
