// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech.h"

#include <algorithm>
#include <cmath>

namespace character {

namespace {

class ReadySpeech : public PreparedSpeech {
 public:
  explicit ReadySpeech(Utterance utterance) : utterance_(std::move(utterance)) {}
  bool ready() const override { return true; }
  const Utterance& utterance() const override { return utterance_; }

 private:
  Utterance utterance_;
};

}  // namespace

Utterance TimedSpeech::estimate(const QString& text, double pace) {
  Utterance utterance;
  const int msPerWord = static_cast<int>(std::lround(kMsPerWord / (pace > 0 ? pace : 1.0)));
  const qsizetype wordCount = base::splitWords(text).size();
  for (qsizetype i = 0; i < wordCount; ++i) {
    const int start = static_cast<int>(i) * msPerWord;
    const int end = start + msPerWord - kMouthStepMs;
    utterance.words.push_back({start, end});
    bool open = true;
    for (int t = start; t < end; t += kMouthStepMs, open = !open) {
      utterance.mouth.push_back({t, open ? MouthShape::Open : MouthShape::Wide});
    }
    utterance.mouth.push_back({end, MouthShape::Closed});
  }
  utterance.durationMs = static_cast<int>(wordCount) * msPerWord;
  return utterance;
}

std::shared_ptr<PreparedSpeech> TimedSpeech::prepare(const CharacterData&, const QString& text,
                                                     std::function<void()> onReady, double pace) {
  auto speech = std::make_shared<ReadySpeech>(estimate(text, pace));
  if (onReady) onReady();
  return speech;
}

}  // namespace character
