// SPDX-License-Identifier: GPL-3.0-or-later
#include "resample_16k.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>

namespace listening {

namespace {

std::vector<float> monoFloat(const PcmSound& sound) {
  const std::size_t frames = sound.samples.size() / std::size_t(sound.channels);
  std::vector<float> mono(frames);
  for (std::size_t frame = 0; frame < frames; ++frame) {
    float sum = 0;
    for (int channel = 0; channel < sound.channels; ++channel)
      sum += sound.samples[frame * std::size_t(sound.channels) + std::size_t(channel)];
    mono[frame] = sum / float(sound.channels) / 32768.0f;
  }
  return mono;
}

std::vector<float> resampled(std::vector<float> input, int fromRate) {
  if (fromRate == kRecogniserSampleRate || input.empty()) return input;
  const double ratio = double(kRecogniserSampleRate) / fromRate;
  std::vector<float> output(std::size_t(std::ceil(double(input.size()) * ratio)) + 16);
  SRC_DATA data{};
  data.data_in = input.data();
  data.input_frames = long(input.size());
  data.data_out = output.data();
  data.output_frames = long(output.size());
  data.src_ratio = ratio;
  if (src_simple(&data, SRC_SINC_MEDIUM_QUALITY, 1) != 0) return {};
  output.resize(std::size_t(data.output_frames_gen));
  return output;
}

}  // namespace

std::vector<std::int16_t> toRecogniserInput(const PcmSound& sound) {
  const std::vector<float> mono = resampled(monoFloat(sound), sound.sampleRate);
  std::vector<std::int16_t> samples(mono.size());
  for (std::size_t i = 0; i < mono.size(); ++i)
    samples[i] = std::int16_t(std::lround(std::clamp(mono[i] * 32768.0f, -32768.0f, 32767.0f)));
  return samples;
}

}  // namespace listening
