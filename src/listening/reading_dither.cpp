// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading_dither.h"

#include <limits>
#include <random>

namespace listening {

void dither(std::vector<std::int16_t>& samples) {
  std::minstd_rand noise(1);
  for (std::int16_t& sample : samples)
    if (noise() % 4 == 0)
      sample = sample < std::numeric_limits<std::int16_t>::max() ? std::int16_t(sample + 1)
                                                                 : std::int16_t(sample - 1);
}

}  // namespace listening
