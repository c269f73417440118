// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/twips.h"

namespace {

using platform::Twips;

TEST(Twips, FifteenTwipsPerPixelAtNinetySixDpi) {
  const Twips twips(96, 96);
  EXPECT_DOUBLE_EQ(twips.perPixelX(), 15);
  EXPECT_DOUBLE_EQ(twips.perPixelY(), 15);
  EXPECT_EQ(twips.toPixels(QRect(3870, 2745, 2400, 1035)), QRect(258, 183, 160, 69));
  EXPECT_EQ(twips.toPixelsY(300), 20);
}

TEST(Twips, RoundsToTheNearestPixel) {
  const Twips twips(96, 96);
  EXPECT_EQ(twips.toPixelsY(23), 2);    // 1.53
  EXPECT_EQ(twips.toPixelsX(366), 24);  // 24.4
  EXPECT_EQ(twips.toPixelsY(7), 0);     // 0.47
  EXPECT_EQ(twips.toPixelsY(8), 1);     // 0.53
  EXPECT_EQ(twips.toPixelsX(-8), -1);
}

TEST(Twips, EachAxisUsesItsOwnResolution) {
  const Twips twips(144, 72);
  EXPECT_EQ(twips.toPixels(QRect(1440, 1440, 2400, 300)), QRect(144, 72, 240, 15));
}

}  // namespace
