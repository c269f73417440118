// SPDX-License-Identifier: GPL-3.0-or-later
#include "changed_area.h"

#include <QRectF>
#include <algorithm>
#include <cstring>

namespace character {

namespace {

bool comparable(const QImage& before, const QImage& after) {
  return before.size() == after.size() && before.format() == after.format() &&
         before.devicePixelRatio() == after.devicePixelRatio() && after.depth() == 32;
}

}  // namespace

QRect changedArea(const QImage& before, const QImage& after) {
  if (before.cacheKey() == after.cacheKey()) return {};
  if (!comparable(before, after)) {
    return QRect(QPoint(0, 0), after.deviceIndependentSize().toSize());
  }
  const int width = after.width();
  const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(quint32);
  int top = -1, bottom = -1, left = width, right = -1;
  for (int y = 0; y < after.height(); ++y) {
    const auto* old = reinterpret_cast<const quint32*>(before.constScanLine(y));
    const auto* now = reinterpret_cast<const quint32*>(after.constScanLine(y));
    if (std::memcmp(old, now, rowBytes) == 0) continue;
    if (top < 0) top = y;
    bottom = y;
    int first = 0;
    while (old[first] == now[first]) ++first;
    int last = width - 1;
    while (old[last] == now[last]) --last;
    left = std::min(left, first);
    right = std::max(right, last);
  }
  if (top < 0) return {};
  const double ratio = after.devicePixelRatio();
  return QRectF(left / ratio, top / ratio, (right - left + 1) / ratio, (bottom - top + 1) / ratio)
      .toAlignedRect();
}

}  // namespace character
