// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "wav_file.h"

namespace listening {

// The recogniser's input rate.
inline constexpr int kRecogniserSampleRate = 16000;

// The sound as the recogniser takes it: mono (channels averaged), clipped peaks restored
// (restoreClippedPeaks()), 16 kHz, converted at the better quality the recogniser is owed.
std::vector<std::int16_t> toRecogniserInput(const PcmSound& sound);

}  // namespace listening
