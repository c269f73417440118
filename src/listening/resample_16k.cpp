// SPDX-License-Identifier: GPL-3.0-or-later
#include "resample_16k.h"

#include <utility>

#include "base/resample.h"
#include "clipped_peaks.h"

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

}  // namespace

std::vector<std::int16_t> toRecogniserInput(const PcmSound& sound) {
  std::vector<float> mono = monoFloat(sound);
  restoreClippedPeaks(mono);
  return base::resampleToPcm16(std::move(mono), sound.sampleRate, kRecogniserSampleRate,
                               base::ResampleQuality::Better);
}

}  // namespace listening
