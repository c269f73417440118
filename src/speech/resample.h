// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio_clip.h"

namespace character {

// Converts mono 16-bit samples recorded at `fromRate` to `toRate` (libsamplerate; no samples
// when it fails). Treating audio as recorded faster than it was (a higher fromRate) raises its
// pitch and formants together.
Samples resample(const std::int16_t* samples, std::size_t count, int fromRate,
                 int toRate = kMixerSampleRate);

}  // namespace character
