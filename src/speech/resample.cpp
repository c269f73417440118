// SPDX-License-Identifier: GPL-3.0-or-later
#include "resample.h"

#include <samplerate.h>

#include <cmath>
#include <vector>

namespace character {

Samples resample(const std::int16_t* samples, std::size_t count, int fromRate, int toRate) {
  if (count == 0) return {};
  if (fromRate == toRate) return Samples(samples, samples + count);
  const double ratio = static_cast<double>(toRate) / fromRate;
  std::vector<float> in(count);
  src_short_to_float_array(samples, in.data(), static_cast<int>(count));
  std::vector<float> out(static_cast<std::size_t>(std::ceil(count * ratio)) + 1);
  SRC_DATA data{};
  data.data_in = in.data();
  data.input_frames = static_cast<long>(in.size());
  data.data_out = out.data();
  data.output_frames = static_cast<long>(out.size());
  data.src_ratio = ratio;
  if (src_simple(&data, SRC_SINC_FASTEST, 1) != 0) return {};
  Samples result(static_cast<std::size_t>(data.output_frames_gen));
  src_float_to_short_array(out.data(), result.data(), static_cast<int>(result.size()));
  return result;
}

}  // namespace character
