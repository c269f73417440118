// SPDX-License-Identifier: GPL-3.0-or-later
#include "alpha_mask.h"

#include <QBitmap>

namespace character {

namespace {

constexpr int kOpaqueFrom = 128;

QRgb binaryPixel(QRgb premultiplied) {
  if (qAlpha(premultiplied) < kOpaqueFrom) return 0;
  const QRgb straight = qUnpremultiply(premultiplied);
  return qRgba(qRed(straight), qGreen(straight), qBlue(straight), 255);
}

}  // namespace

void makeAlphaBinary(QImage& image) {
  if (image.format() != QImage::Format_ARGB32_Premultiplied)
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) line[x] = binaryPixel(line[x]);
  }
}

QImage transparentImage(const QSize& logicalSize, double devicePixelRatio) {
  QImage image((QSizeF(logicalSize) * devicePixelRatio).toSize(),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::transparent);
  return image;
}

QRegion opaqueRegion(const QImage& image) {
  const QSize logicalSize = (QSizeF(image.size()) / image.devicePixelRatio()).toSize();
  QImage logical = logicalSize == image.size()
                       ? image
                       : image.scaled(logicalSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  logical.setDevicePixelRatio(1);
  return QRegion(QBitmap::fromImage(logical.createAlphaMask(Qt::ThresholdAlphaDither)));
}

}  // namespace character
