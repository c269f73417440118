// SPDX-License-Identifier: GPL-3.0-or-later
#include "clipped_peaks.h"

#include <algorithm>
#include <cmath>

namespace listening {

namespace {

constexpr float kLowestClippingLevel = 0.25f;
constexpr float kHighestRestoredPeak = 4.0f;

// The cubic Hermite curve from (0, from) with slope fromSlope to (1, to) with slope toSlope.
float hermite(float t, float from, float fromSlope, float to, float toSlope) {
  const float t2 = t * t, t3 = t2 * t;
  return (2 * t3 - 3 * t2 + 1) * from + (t3 - 2 * t2 + t) * fromSlope + (-2 * t3 + 3 * t2) * to +
         (t3 - t2) * toSlope;
}

// Samples [first, last) sit at `level`; samples first - 2 to last + 1 exist.
void restoreRun(std::vector<float>& samples, std::size_t first, std::size_t last, float level) {
  const std::size_t before = first - 1, after = last;
  const float span = float(after - before);
  const float fromSlope = (samples[before] - samples[before - 1]) * span;
  const float toSlope = (samples[after + 1] - samples[after]) * span;
  const float magnitude = std::abs(level);
  for (std::size_t i = first; i < last; ++i) {
    const float curve =
        hermite(float(i - before) / span, samples[before], fromSlope, samples[after], toSlope);
    const float restored = std::clamp(std::abs(curve), magnitude, kHighestRestoredPeak * magnitude);
    samples[i] = std::copysign(restored, level);
  }
}

void restoreRunsAt(std::vector<float>& samples, float level) {
  if (std::abs(level) < kLowestClippingLevel) return;
  std::size_t i = 2;
  while (i + 2 < samples.size()) {
    if (samples[i] != level) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end + 2 < samples.size() && samples[end] == level) ++end;
    if (end - i >= 2 && samples[end] != level) restoreRun(samples, i, end, level);
    i = end;
  }
}

}  // namespace

void restoreClippedPeaks(std::vector<float>& samples) {
  if (samples.size() < 5) return;
  const auto [lowest, highest] = std::minmax_element(samples.begin(), samples.end());
  const float negativeLevel = *lowest, positiveLevel = *highest;
  restoreRunsAt(samples, positiveLevel);
  restoreRunsAt(samples, negativeLevel);
  float peak = 0;
  for (const float sample : samples) peak = std::max(peak, std::abs(sample));
  if (peak > 1.0f)
    for (float& sample : samples) sample /= peak;
}

}  // namespace listening
