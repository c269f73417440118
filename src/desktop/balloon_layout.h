// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

#include "character/presenter.h"

namespace character {

// Where a balloon goes and how its parts sit in its window.
struct BalloonGeometry {
  QRect window;        // screen pixels: the balloon window, body and tail
  QRect body;          // window pixels: the rounded box or the cloud
  QRect text;          // window pixels: the wrapped text
  QPoint tailTip;      // window pixels: where the tail or the last bubble points to
  bool below = false;  // the balloon hangs below the character
};

// Places a balloon holding text of `textSize` for a character whose frame is `character`:
// above it, centred on it, or below it when there is no room above; always inside `screen`
// (the screen's available area) when it fits there at all. When that place would cover one of
// `keepClear` (screen pixels: windows the learner must still see), the balloon goes below, beside
// or slid along instead, wherever it then covers none of them nor the character; it stays in the
// usual place when no such place is left on the screen.
BalloonGeometry placeBalloon(BalloonKind kind, const QSize& textSize, const QRect& character,
                             const QRect& screen, const std::vector<QRect>& keepClear = {});

}  // namespace character
