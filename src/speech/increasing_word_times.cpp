// SPDX-License-Identifier: GPL-3.0-or-later
#include "increasing_word_times.h"

#include <algorithm>

namespace character {

void makeWordTimesIncreasing(std::vector<WordTiming>& times, int durationMs) {
  const int lastMs = std::max(durationMs, 0);
  int previousEnd = 0;
  for (WordTiming& time : times) {
    if (time.startMs < 0) time = {previousEnd, previousEnd};
    time.startMs = std::clamp(time.startMs, previousEnd, lastMs);
    time.endMs = std::clamp(time.endMs, time.startMs, lastMs);
    previousEnd = time.endMs;
  }
}

}  // namespace character
