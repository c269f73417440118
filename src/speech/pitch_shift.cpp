// SPDX-License-Identifier: GPL-3.0-or-later
#include "pitch_shift.h"

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace character {

namespace {

using RubberBand::RubberBandStretcher;

constexpr std::size_t kBlock = 4096;

void appendAvailable(RubberBandStretcher& stretcher, std::vector<float>& out) {
  for (int available = stretcher.available(); available > 0; available = stretcher.available()) {
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(available));
    float* channel = out.data() + start;
    out.resize(start + stretcher.retrieve(&channel, static_cast<std::size_t>(available)));
  }
}

}  // namespace

Samples shiftPitchKeepingFormants(const Samples& samples, int sampleRate, double semitones) {
  if (samples.empty() || sampleRate <= 0) return samples;
  std::vector<float> in(samples.begin(), samples.end());
  RubberBandStretcher stretcher(static_cast<std::size_t>(sampleRate), 1,
                                RubberBandStretcher::OptionProcessOffline |
                                    RubberBandStretcher::OptionEngineFiner |
                                    RubberBandStretcher::OptionFormantPreserved,
                                1.0, std::pow(2.0, semitones / 12.0));
  stretcher.setExpectedInputDuration(in.size());
  for (std::size_t at = 0; at < in.size(); at += kBlock) {
    const float* block = in.data() + at;
    const std::size_t count = std::min(kBlock, in.size() - at);
    stretcher.study(&block, count, at + count == in.size());
  }
  std::vector<float> out;
  out.reserve(in.size());
  for (std::size_t at = 0; at < in.size(); at += kBlock) {
    const float* block = in.data() + at;
    const std::size_t count = std::min(kBlock, in.size() - at);
    stretcher.process(&block, count, at + count == in.size());
    appendAvailable(stretcher, out);
  }
  appendAvailable(stretcher, out);
  Samples shifted(out.size());
  std::transform(out.begin(), out.end(), shifted.begin(), [](float value) {
    return static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
  });
  return shifted;
}

}  // namespace character
