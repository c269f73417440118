// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace base {

// How carefully a rate is converted: the fastest is good enough to hear, the better one keeps
// more of the sound for a recogniser.
enum class ResampleQuality { Fastest, Better };

// Mono 16-bit samples as floats in [-1, 1).
std::vector<float> pcm16ToFloat(const std::int16_t* samples, std::size_t count);

// Mono samples recorded at `fromRate`, converted to `toRate` (libsamplerate) and to 16 bits,
// clipped at full scale; no samples when the conversion fails. Treating audio as recorded faster
// than it was (a higher fromRate) raises its pitch and formants together.
std::vector<std::int16_t> resampleToPcm16(std::vector<float> samples, int fromRate, int toRate,
                                          ResampleQuality quality);

}  // namespace base
