// SPDX-License-Identifier: GPL-3.0-or-later
#include "balloon_layout.h"

#include <algorithm>

namespace character {

namespace {

struct Style {
  int paddingX;
  int paddingY;
  int tailLength;    // from the body's edge to the tip
  int tailInset;     // closest the tail comes to a side of the body
  int minBodyWidth;  // room for the tail (or the bubbles) beside the rounded corners
};

// The cloud needs more room around the text for its bumps and a longer trail of bubbles.
Style styleOf(BalloonKind kind) {
  if (kind == BalloonKind::Thought) return Style{18, 16, 34, 24, 64};
  return Style{10, 7, 16, 16, 48};
}

// `start` moved so that [start, start + length) lies inside [low, high) when it can.
int clampedStart(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

BalloonGeometry placeBalloon(BalloonKind kind, const QSize& textSize, const QRect& character,
                             const QRect& screen) {
  const Style style = styleOf(kind);
  const QSize bodySize(std::max(textSize.width() + 2 * style.paddingX, style.minBodyWidth),
                       textSize.height() + 2 * style.paddingY);
  const QSize windowSize(bodySize.width(), bodySize.height() + style.tailLength);

  const int aboveTop = character.top() - windowSize.height();
  const int belowTop = character.bottom() + 1;
  const bool roomAbove = aboveTop >= screen.top();
  const bool roomBelow = belowTop + windowSize.height() <= screen.bottom() + 1;
  const bool below = !roomAbove && roomBelow;

  const int centreX = character.center().x();
  const int left = clampedStart(centreX - windowSize.width() / 2, windowSize.width(), screen.left(),
                                screen.right() + 1);
  const int top = clampedStart(below ? belowTop : aboveTop, windowSize.height(), screen.top(),
                               screen.bottom() + 1);

  BalloonGeometry geometry;
  geometry.below = below;
  geometry.window = QRect(QPoint(left, top), windowSize);
  geometry.body = QRect(QPoint(0, below ? style.tailLength : 0), bodySize);
  geometry.text = QRect(QPoint(0, 0), textSize);
  geometry.text.moveCenter(geometry.body.center());
  const int tipX = std::clamp(centreX - left, style.tailInset,
                              std::max(style.tailInset, bodySize.width() - style.tailInset));
  geometry.tailTip = QPoint(tipX, below ? 0 : windowSize.height() - 1);
  return geometry;
}

}  // namespace character
