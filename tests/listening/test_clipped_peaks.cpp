// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "listening/clipped_peaks.h"

using namespace listening;

namespace {

// A 200 Hz tone at 8 kHz, `amplitude` times full scale, clipped as a 16-bit input clips it.
std::vector<float> clippedTone(float amplitude) {
  std::vector<float> tone(400);
  for (std::size_t i = 0; i < tone.size(); ++i)
    tone[i] = std::clamp(amplitude * float(std::sin(2 * std::numbers::pi * 200 * double(i) / 8000)),
                         -1.0f, 32767.0f / 32768);
  return tone;
}

}  // namespace

// The tone driven 1.5 times over full scale gets its crests back (each as high over the samples
// beside its run as the tone's own), scaled to fit; tones that never clipped, loud or quiet,
// are left as they are.
TEST(ClippedPeaksTest, CrestsClippedOffComeBackAndOtherSoundsAreLeftAlone) {
  std::vector<float> restored = clippedTone(1.5f);
  restoreClippedPeaks(restored);
  const std::vector<float> clipped = clippedTone(1.5f);
  const auto firstClipped = std::find(clipped.begin(), clipped.end(), clipped[10]);
  const std::size_t before = std::size_t(firstClipped - clipped.begin()) - 1;
  const float crest = *std::max_element(restored.begin(), restored.end());
  EXPECT_LE(crest, 1.0f);
  EXPECT_NEAR(crest / restored[before], 1.5f / clipped[before], 0.15);
  EXPECT_FLOAT_EQ(*std::min_element(restored.begin(), restored.end()), -crest);

  for (const float amplitude : {0.99f, 0.1f}) {
    std::vector<float> untouched = clippedTone(amplitude);
    restoreClippedPeaks(untouched);
    EXPECT_EQ(untouched, clippedTone(amplitude));
  }
}
