// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

namespace character {

// What must be painted again when a window showing `before` is to show `after`: the smallest
// rectangle, in logical pixels, holding every pixel where the two differ; empty when none does,
// and all of `after` when the two cannot be compared (size, format or pixel ratio differ).
QRect changedArea(const QImage& before, const QImage& after);

}  // namespace character
