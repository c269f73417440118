// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading_level.h"

#include <algorithm>
#include <cmath>

namespace listening {

namespace {

constexpr std::size_t kFrameSamples = 320;  // 20 ms at 16 kHz
constexpr double kLoudFrameRms = 0.1 * 32768;
constexpr double kMostGain = 64;

double rootMeanSquare(std::span<const std::int16_t> frame) {
  double sum = 0;
  for (const std::int16_t sample : frame) sum += double(sample) * sample;
  return std::sqrt(sum / double(frame.size()));
}

double loudFrameLevel(std::span<const std::int16_t> samples) {
  std::vector<double> levels;
  for (std::size_t start = 0; start + kFrameSamples <= samples.size(); start += kFrameSamples)
    levels.push_back(rootMeanSquare(samples.subspan(start, kFrameSamples)));
  if (levels.empty()) return 0;
  const auto loud = levels.begin() + std::ptrdiff_t(levels.size() * 9 / 10);
  std::nth_element(levels.begin(), loud, levels.end());
  return *loud;
}

}  // namespace

std::vector<std::int16_t> atReadingLevel(std::span<const std::int16_t> samples) {
  const double level = loudFrameLevel(samples);
  const double gain = level > 0 ? std::min(kLoudFrameRms / level, kMostGain) : 1.0;
  std::vector<std::int16_t> levelled(samples.size());
  std::transform(samples.begin(), samples.end(), levelled.begin(), [gain](std::int16_t sample) {
    return std::int16_t(std::clamp(std::lround(sample * gain), -32768L, 32767L));
  });
  return levelled;
}

}  // namespace listening
