// SPDX-License-Identifier: GPL-3.0-or-later
#include "balloon_layout.h"

#include <algorithm>
#include <cstdlib>

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

// A window's place: its top left corner on the screen and whether its tail points up at a
// character above it.
struct Spot {
  QPoint topLeft;
  bool below = false;
};

// What a placement works with: the balloon window's size, the character and the screen.
struct Frame {
  QSize window;
  QRect character;
  QRect screen;

  Spot clamped(int left, int top, bool below) const {
    return Spot{QPoint(clampedStart(left, window.width(), screen.left(), screen.right() + 1),
                       clampedStart(top, window.height(), screen.top(), screen.bottom() + 1)),
                below};
  }
  QRect rectAt(const Spot& spot) const { return QRect(spot.topLeft, window); }
};

// Above the character, centred on it; below it when there is no room above.
Spot usualSpot(const Frame& frame) {
  const int aboveTop = frame.character.top() - frame.window.height();
  const int belowTop = frame.character.bottom() + 1;
  const bool roomAbove = aboveTop >= frame.screen.top();
  const bool roomBelow = belowTop + frame.window.height() <= frame.screen.bottom() + 1;
  const bool below = !roomAbove && roomBelow;
  const int centredLeft = frame.character.center().x() - frame.window.width() / 2;
  return frame.clamped(centredLeft, below ? belowTop : aboveTop, below);
}

// The places tried in turn beside the usual one: above, below, left and right of the character,
// each first as it is and then slid along its side just past each area in the way, nearest
// first.
std::vector<Spot> otherSpots(const Frame& frame, const std::vector<QRect>& areas) {
  const QRect& character = frame.character;
  const int width = frame.window.width();
  const int height = frame.window.height();
  const int centredLeft = character.center().x() - width / 2;
  const int centredTop = character.center().y() - height / 2;
  const int aboveTop = character.top() - height;
  const int belowTop = character.bottom() + 1;
  const int leftOf = character.left() - width;
  const int rightOf = character.right() + 1;

  std::vector<int> lefts;
  std::vector<int> tops;
  for (const QRect& area : areas) {
    lefts.insert(lefts.end(), {area.left() - width, area.right() + 1});
    tops.insert(tops.end(), {area.top() - height, area.bottom() + 1});
  }
  const auto nearest = [](int from) {
    return [from](int a, int b) { return std::abs(a - from) < std::abs(b - from); };
  };
  std::stable_sort(lefts.begin(), lefts.end(), nearest(centredLeft));
  std::stable_sort(tops.begin(), tops.end(), nearest(centredTop));

  std::vector<Spot> spots{
      frame.clamped(centredLeft, aboveTop, false), frame.clamped(centredLeft, belowTop, true),
      frame.clamped(leftOf, centredTop, false), frame.clamped(rightOf, centredTop, false)};
  for (int left : lefts) spots.push_back(frame.clamped(left, aboveTop, false));
  for (int left : lefts) spots.push_back(frame.clamped(left, belowTop, true));
  for (int top : tops) spots.push_back(frame.clamped(leftOf, top, false));
  for (int top : tops) spots.push_back(frame.clamped(rightOf, top, false));
  return spots;
}

bool coversAny(const QRect& window, const std::vector<QRect>& areas) {
  return std::any_of(areas.begin(), areas.end(),
                     [&window](const QRect& area) { return window.intersects(area); });
}

// The usual place unless it covers one of `keepClear`; then the first other place inside the
// screen that covers neither those nor the character; the usual place when there is none.
Spot chosenSpot(const Frame& frame, const std::vector<QRect>& keepClear) {
  const Spot usual = usualSpot(frame);
  if (!coversAny(frame.rectAt(usual), keepClear)) return usual;
  std::vector<QRect> avoided = keepClear;
  avoided.push_back(frame.character);
  for (const Spot& spot : otherSpots(frame, keepClear)) {
    const QRect window = frame.rectAt(spot);
    if (frame.screen.contains(window) && !coversAny(window, avoided)) return spot;
  }
  return usual;
}

}  // namespace

BalloonGeometry placeBalloon(BalloonKind kind, const QSize& textSize, const QRect& character,
                             const QRect& screen, const std::vector<QRect>& keepClear) {
  const Style style = styleOf(kind);
  const QSize bodySize(std::max(textSize.width() + 2 * style.paddingX, style.minBodyWidth),
                       textSize.height() + 2 * style.paddingY);
  const Frame frame{QSize(bodySize.width(), bodySize.height() + style.tailLength), character,
                    screen};
  const Spot spot = chosenSpot(frame, keepClear);

  BalloonGeometry geometry;
  geometry.below = spot.below;
  geometry.window = frame.rectAt(spot);
  geometry.body = QRect(QPoint(0, spot.below ? style.tailLength : 0), bodySize);
  geometry.text = QRect(QPoint(0, 0), textSize);
  geometry.text.moveCenter(geometry.body.center());
  const int tipX = std::clamp(character.center().x() - spot.topLeft.x(), style.tailInset,
                              std::max(style.tailInset, bodySize.width() - style.tailInset));
  geometry.tailTip = QPoint(tipX, spot.below ? 0 : frame.window.height() - 1);
  return geometry;
}

}  // namespace character
