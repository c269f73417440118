// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>

#include "desktop/changed_area.h"

namespace character {
namespace {

QImage frameOf(QSize size, double ratio) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  image.setDevicePixelRatio(ratio);
  return image;
}

TEST(ChangedAreaTest, CoversExactlyTheDifferingPixelsInLogicalPixels) {
  const QImage before = frameOf(QSize(40, 60), 2.0);
  QImage blink = before.copy();
  blink.setPixel(11, 20, qRgba(0, 0, 0, 255));
  blink.setPixel(16, 23, qRgba(0, 0, 0, 255));
  EXPECT_EQ(changedArea(before, blink), QRect(5, 10, 4, 2));
  EXPECT_TRUE(changedArea(before, before.copy()).isEmpty()) << "equal pixels, another image";
  EXPECT_EQ(changedArea(before, frameOf(QSize(40, 80), 2.0)), QRect(0, 0, 20, 40));
  EXPECT_EQ(changedArea(QImage(), before), QRect(0, 0, 20, 30));
}

}  // namespace
}  // namespace character
