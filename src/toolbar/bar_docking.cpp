// SPDX-License-Identifier: GPL-3.0-or-later
#include "bar_docking.h"

#include <algorithm>

namespace toolbar {

using platform::PtInRect;

// 23 twips is 1.53 pixels at 96 dpi: the strip is 2 pixels high there, never less than 1.
BarDocking::BarDocking(platform::WindowSystem& windowSystem, const platform::Twips& twips,
                       const QRect& initialGeometry)
    : windowSystem_(windowSystem),
      twips_(twips),
      geometry_(initialGeometry),
      rolledUpHeight_(std::max(1, twips.toPixelsY(kRolledUpHeightTwips))) {}

void BarDocking::placeInitially() {
  windowSystem_.moveWindow(geometry_);
}

void BarDocking::dock() {
  state_.DockHeight = kDockedHeightTwips;
  geometry_.setHeight(twips_.toPixelsY(state_.DockHeight));
  geometry_.moveTop(0);
  windowSystem_.moveWindow(geometry_);
  state_.DockRect = windowSystem_.windowRect();
}

// The height is held in pixels, so "expanded" means exactly the pixel height that docking
// gives; the strip is always thinner.
void BarDocking::pollCursor() {
  state_.CursorPos = windowSystem_.cursorPos();
  const bool inside = PtInRect(state_.DockRect, state_.CursorPos);
  const int dockedHeight = twips_.toPixelsY(state_.DockHeight);
  const bool expanded = geometry_.height() == dockedHeight;
  if (state_.CursorPos.y <= kTopBandMaxY || (expanded && inside)) {
    setHeight(dockedHeight);
    showDragPointerIfInGripZone();
  } else if (!state_.Dragging) {
    setHeight(rolledUpHeight_);
  }
}

void BarDocking::showDragPointerIfInGripZone() {
  state_.CanDrag = state_.CursorPos.x - state_.DockRect.left <= kGripZoneMaxX || state_.Dragging;
  windowSystem_.setOverridePointer(state_.CanDrag ? platform::Pointer::Move
                                                  : platform::Pointer::Default);
}

void BarDocking::keepOnTop() {
  if (!PtInRect(state_.DockRect, state_.CursorPos)) windowSystem_.raiseTopmost();
}

void BarDocking::gripPressed() {
  if (!state_.CanDrag) return;
  state_.Dragging = true;
  state_.DragOffsetX = state_.CursorPos.x - state_.DockRect.left;
  state_.DragOffsetY = state_.CursorPos.y - state_.DockRect.top;
}

// The bar follows the cursor as the last poll saw it, at its docked size.
void BarDocking::gripMoved() {
  if (!state_.Dragging) return;
  const platform::ScreenRect& dock = state_.DockRect;
  geometry_ =
      QRect(state_.CursorPos.x - state_.DragOffsetX, state_.CursorPos.y - state_.DragOffsetY,
            dock.right - dock.left, dock.bottom - dock.top);
  windowSystem_.moveWindow(geometry_);
}

void BarDocking::gripReleased() {
  dock();
  state_.Dragging = false;
}

void BarDocking::setHeight(int pixels) {
  if (geometry_.height() == pixels) return;
  geometry_.setHeight(pixels);
  windowSystem_.moveWindow(geometry_);
}

}  // namespace toolbar
