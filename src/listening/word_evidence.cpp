// SPDX-License-Identifier: GPL-3.0-or-later
#include "word_evidence.h"

#include <algorithm>

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

}  // namespace listening
