// SPDX-License-Identifier: GPL-3.0-or-later
#include "word_evidence.h"

#include <algorithm>

#include "reading_grammar.h"

namespace listening {

double freePhonesScore(const std::vector<DecodedSegment>& freePhones, int startFrame,
                       int endFrame) {
  double score = 0;
  for (const DecodedSegment& phone : freePhones) {
    const int overlap =
        std::min(endFrame, phone.endFrame) - std::max(startFrame, phone.startFrame) + 1;
    if (overlap > 0)
      score += phone.acousticScore * overlap / double(phone.endFrame - phone.startFrame + 1);
  }
  return score;
}

bool wordBeatsFreePhones(const DecodedSegment& word, const std::vector<DecodedSegment>& freePhones,
                         double marginPerFrame) {
  const int frames = word.endFrame - word.startFrame + 1;
  return word.acousticScore + marginPerFrame * frames >=
         freePhonesScore(freePhones, word.startFrame, word.endFrame);
}

double sentenceShareOfSpeech(const std::vector<DecodedSegment>& reading,
                             const QStringList& sentenceWords) {
  int wordFrames = 0, phoneFrames = 0;
  for (const DecodedSegment& segment : reading) {
    const int frames = segment.endFrame - segment.startFrame + 1;
    if (sentenceWords.contains(segment.word))
      wordFrames += frames;
    else if (isPhoneWord(segment.word))
      phoneFrames += frames;
  }
  return wordFrames + phoneFrames > 0 ? double(wordFrames) / (wordFrames + phoneFrames) : 0;
}

}  // namespace listening
