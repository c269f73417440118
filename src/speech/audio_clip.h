// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace character {

// Every clip the program plays is mono, signed 16-bit, at this rate; engines' output is
// resampled to it.
constexpr int kMixerSampleRate = 22050;

using Samples = std::vector<std::int16_t>;

inline int samplesToMs(std::size_t samples, int sampleRate = kMixerSampleRate) {
  return static_cast<int>(static_cast<std::int64_t>(samples) * 1000 / sampleRate);
}

inline std::size_t msToSamples(std::int64_t ms, int sampleRate = kMixerSampleRate) {
  return static_cast<std::size_t>(ms * sampleRate / 1000);
}

}  // namespace character
