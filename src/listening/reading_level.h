// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace listening {

// The reading brought to the one level the recogniser decodes well: its loud stretches (the
// 90th percentile of the 20 ms frames' root mean square) at -20 dB of full scale. The recogniser
// hears nothing at all in a reading that is too loud (a clipped microphone: every word missed),
// and little in one recorded far too quietly. A gain of at most 64 (+36 dB), so silence is not
// made into noise.
std::vector<std::int16_t> atReadingLevel(std::span<const std::int16_t> samples);

}  // namespace listening
