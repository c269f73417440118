// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech_endpointer.h"

#include <algorithm>
#include <cmath>

namespace listening {

void SpeechEndpointer::addBlock(double rms) {
  blocks_.push_back(rms);
}

double SpeechEndpointer::noiseFloor() const {
  if (blocks_.empty()) return kQuietestFloor;
  std::vector<double> levels = blocks_;
  const auto tenth = levels.begin() + std::ptrdiff_t(levels.size() / 10);
  std::nth_element(levels.begin(), tenth, levels.end());
  return std::max(*tenth, kQuietestFloor);
}

double SpeechEndpointer::speechThreshold() const {
  return std::max(noiseFloor() * kSpeechOverFloor, kQuietestSpeech);
}

bool SpeechEndpointer::heardSpeech() const {
  const double threshold = speechThreshold();
  return std::count_if(blocks_.begin(), blocks_.end(), [threshold](double rms) {
           return rms > threshold;
         }) >= kShortestSpeechBlocks;
}

std::optional<std::size_t> SpeechEndpointer::lastSpeechBlock() const {
  const double threshold = speechThreshold();
  for (std::size_t block = blocks_.size(); block > 0; --block) {
    if (blocks_[block - 1] > threshold) return block - 1;
  }
  return std::nullopt;
}

bool SpeechEndpointer::speechEnded() const {
  if (!heardSpeech()) return false;
  return blocks_.size() - 1 - *lastSpeechBlock() >= std::size_t(kSilenceAfterSpeechBlocks);
}

double meterLevel(double rms) {
  constexpr double kQuietestShown = -60.0;
  if (rms <= 0) return 0;
  const double decibels = 20 * std::log10(rms);
  return std::clamp((decibels - kQuietestShown) / -kQuietestShown, 0.0, 1.0);
}

}  // namespace listening
