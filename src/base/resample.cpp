// SPDX-License-Identifier: GPL-3.0-or-later
#include "resample.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace base {

namespace {

int converterFor(ResampleQuality quality) {
  return quality == ResampleQuality::Fastest ? SRC_SINC_FASTEST : SRC_SINC_MEDIUM_QUALITY;
}

std::vector<float> converted(std::vector<float> input, int fromRate, int toRate,
                             ResampleQuality quality) {
  if (fromRate == toRate || input.empty()) return input;
  const double ratio = double(toRate) / fromRate;
  std::vector<float> output(std::size_t(std::ceil(double(input.size()) * ratio)) + 16);
  SRC_DATA data{};
  data.data_in = input.data();
  data.input_frames = long(input.size());
  data.data_out = output.data();
  data.output_frames = long(output.size());
  data.src_ratio = ratio;
  if (src_simple(&data, converterFor(quality), 1) != 0) return {};
  output.resize(std::size_t(data.output_frames_gen));
  return output;
}

std::int16_t toPcm16(float sample) {
  return std::int16_t(std::lround(std::clamp(sample * 32768.0f, -32768.0f, 32767.0f)));
}

}  // namespace

std::vector<float> pcm16ToFloat(const std::int16_t* samples, std::size_t count) {
  std::vector<float> floats(count);
  for (std::size_t i = 0; i < count; ++i) floats[i] = float(samples[i]) / 32768.0f;
  return floats;
}

std::vector<std::int16_t> resampleToPcm16(std::vector<float> samples, int fromRate, int toRate,
                                          ResampleQuality quality) {
  const std::vector<float> output = converted(std::move(samples), fromRate, toRate, quality);
  std::vector<std::int16_t> pcm(output.size());
  std::transform(output.begin(), output.end(), pcm.begin(), toPcm16);
  return pcm;
}

}  // namespace base
