// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_window.h"

#include <QPainter>

#include "changed_area.h"
#include "overlay_window.h"

namespace character {

CharacterWindow::CharacterWindow(const QString& id) {
  setWindowTitle(id);
  makeOverlayWindow(*this);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

namespace {

// An empty mask would mean "no mask" (the whole rectangle); a pixel outside the window shows
// nothing instead.
const QRegion kNothingShown(-1, -1, 1, 1);

}  // namespace

// A mask is used with and without a compositor: it is exact everywhere, and the frame's pixels
// are either opaque or clear, so translucency would add nothing. Only what changed is painted
// again: a blink repaints the eyes, and a frame like the last one repaints nothing. The paint
// happens at once, while the program is awake for the new frame anyway: a deferred update would
// wake the event loop a second time for every frame.
void CharacterWindow::setFrame(const RenderedFrame& frame) {
  const QRect changed = changedArea(image_, frame.image);
  image_ = frame.image;
  const QRegion shape = frame.shape.isEmpty() ? kNothingShown : frame.shape;
  if (shape != mask()) setMask(shape);
  if (!changed.isEmpty()) repaint(changed);
}

void CharacterWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

}  // namespace character
