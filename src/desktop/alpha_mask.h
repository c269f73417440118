// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRegion>

namespace character {

// Makes every pixel of `image` fully opaque (alpha >= 128) or fully clear, so that a window cut
// out along its shape has clean edges without a compositor. The image ends up in
// ARGB32_Premultiplied.
void makeAlphaBinary(QImage& image);

// A clear ARGB32_Premultiplied picture of `logicalSize` with `devicePixelRatio` pixels for each
// logical one.
QImage transparentImage(const QSize& logicalSize, double devicePixelRatio);

// The opaque pixels of an image whose alpha is all 0 or 255, in the image's logical pixels, as a
// region for QWidget::setMask.
QRegion opaqueRegion(const QImage& image);

}  // namespace character
