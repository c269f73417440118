// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace listening {

// One step added to a quarter of the reading's samples, the same ones for the same
// reading every time. Stretches of exact zeros (digital silence, as synthesised or edited files
// have) otherwise throw the recogniser off the whole utterance. The recogniser's own dither
// draws on one random stream for the life of the process, so a reading's words depended on the
// readings scored before it, and each decode of one reading heard other noise.
void dither(std::vector<std::int16_t>& samples);

// The reading as every decode hears it, and as the fit to the learner's voice learns it: at the
// reading level (atReadingLevel()), dithered.
std::vector<std::int16_t> asDecoded(std::span<const std::int16_t> samples);

}  // namespace listening
