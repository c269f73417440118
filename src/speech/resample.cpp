// SPDX-License-Identifier: GPL-3.0-or-later
#include "resample.h"

#include "base/resample.h"

namespace character {

Samples resample(const std::int16_t* samples, std::size_t count, int fromRate, int toRate) {
  return base::resampleToPcm16(base::pcm16ToFloat(samples, count), fromRate, toRate,
                               base::ResampleQuality::Fastest);
}

}  // namespace character
