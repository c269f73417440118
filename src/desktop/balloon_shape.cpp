// SPDX-License-Identifier: GPL-3.0-or-later
#include "balloon_shape.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

namespace character {

namespace {

constexpr double kCornerRadius = 10;
constexpr double kTailHalfBase = 7;
constexpr double kBumpRadius = 11;
constexpr double kBumpSpacing = 15;

// Everything is drawn a pixel inside the window so the outline is not cut off.
QRectF inner(const QRect& rect) {
  return QRectF(rect).adjusted(1, 1, -1, -1);
}

QPainterPath speechShape(const BalloonGeometry& geometry) {
  const QRectF body = inner(geometry.body);
  QPainterPath box;
  box.addRoundedRect(body, kCornerRadius, kCornerRadius);

  // The tail leaves the body a little toward the body's centre and points at the tip.
  const double edgeY = geometry.below ? body.top() + 1 : body.bottom() - 1;
  const double baseX = std::clamp(
      geometry.tailTip.x() + (body.center().x() - geometry.tailTip.x()) / 4,
      body.left() + kCornerRadius + kTailHalfBase, body.right() - kCornerRadius - kTailHalfBase);
  const QPointF tip(geometry.tailTip.x() + 0.5,
                    geometry.below ? 0.5 : geometry.window.height() - 0.5);
  QPainterPath tail;
  tail.moveTo(baseX - kTailHalfBase, edgeY);
  tail.lineTo(tip);
  tail.lineTo(baseX + kTailHalfBase, edgeY);
  tail.closeSubpath();
  return box.united(tail);
}

void addCircle(QPainterPath& path, const QPointF& centre, double radius) {
  path.addEllipse(centre, radius, radius);
}

// Bumps of the cloud: circles whose centres run around a rectangle inside the body.
QPainterPath cloudShape(const QRectF& body) {
  const QRectF centres = body.adjusted(kBumpRadius, kBumpRadius, -kBumpRadius, -kBumpRadius);
  QPainterPath cloud;
  cloud.addRoundedRect(
      centres.adjusted(-kBumpRadius / 2, -kBumpRadius / 2, kBumpRadius / 2, kBumpRadius / 2),
      kBumpRadius, kBumpRadius);
  const QPolygonF corners({centres.topLeft(), centres.topRight(), centres.bottomRight(),
                           centres.bottomLeft(), centres.topLeft()});
  for (int side = 0; side < 4; ++side) {
    const QLineF edge(corners[side], corners[side + 1]);
    const int bumps = std::max(1, static_cast<int>(std::ceil(edge.length() / kBumpSpacing)));
    for (int i = 0; i < bumps; ++i) {
      QPainterPath bump;
      addCircle(bump, edge.pointAt(static_cast<double>(i) / bumps), kBumpRadius);
      cloud = cloud.united(bump);
    }
  }
  return cloud;
}

QPainterPath thoughtShape(const BalloonGeometry& geometry) {
  const QRectF body = inner(geometry.body);
  QPainterPath shape = cloudShape(body);
  const QPointF tip(geometry.tailTip.x() + 0.5, geometry.below ? 3 : geometry.window.height() - 3);
  const QPointF start(std::clamp(static_cast<double>(geometry.tailTip.x()),
                                 body.left() + 2 * kBumpRadius, body.right() - 2 * kBumpRadius),
                      geometry.below ? body.top() : body.bottom());
  const QLineF trail(start, tip);
  addCircle(shape, trail.pointAt(0.3), 5);
  addCircle(shape, trail.pointAt(0.68), 3.5);
  addCircle(shape, trail.pointAt(1.0), 2.2);
  return shape;
}

}  // namespace

QPainterPath balloonShape(BalloonKind kind, const BalloonGeometry& geometry) {
  return kind == BalloonKind::Thought ? thoughtShape(geometry) : speechShape(geometry);
}

}  // namespace character
