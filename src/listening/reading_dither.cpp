// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading_dither.h"

#include <limits>
#include <random>

#include "reading_level.h"

namespace listening {

void dither(std::vector<std::int16_t>& samples) {
  std::minstd_rand noise(1);
  for (std::int16_t& sample : samples)
    if (noise() % 4 == 0)
      sample = sample < std::numeric_limits<std::int16_t>::max() ? std::int16_t(sample + 1)
                                                                 : std::int16_t(sample - 1);
}

std::vector<std::int16_t> asDecoded(std::span<const std::int16_t> samples) {
  std::vector<std::int16_t> decoded = atReadingLevel(samples);
  dither(decoded);
  return decoded;
}

}  // namespace listening
