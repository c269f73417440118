// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "listening/reading_dither.h"

using namespace listening;

// Digital silence gets one step of noise in about a quarter of its samples, full scale does not
// wrap round, and a reading is dithered the same whatever was dithered before it.
TEST(ReadingDitherTest, SilenceGetsOneStepOfTheSameNoiseEveryTime) {
  const std::vector<std::int16_t> silence(4000, 0);
  std::vector<std::int16_t> once = silence;
  dither(once);
  const auto raised = std::count(once.begin(), once.end(), std::int16_t(1));
  EXPECT_EQ(std::count(once.begin(), once.end(), std::int16_t(0)) + raised, 4000);
  EXPECT_GT(raised, 800);
  EXPECT_LT(raised, 1200);

  std::vector<std::int16_t> loud(4000, 32767);
  dither(loud);
  EXPECT_EQ(*std::min_element(loud.begin(), loud.end()), 32766);

  std::vector<std::int16_t> again = silence;
  dither(again);
  EXPECT_EQ(again, once);
}
