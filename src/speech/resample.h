// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio_clip.h"

namespace character {

// Converts mono 16-bit samples recorded at `fromRate` to `toRate` (base::resampleToPcm16(), at
// the fastest quality: speech is made while the learner waits for it).
Samples resample(const std::int16_t* samples, std::size_t count, int fromRate,
                 int toRate = kMixerSampleRate);

}  // namespace character
