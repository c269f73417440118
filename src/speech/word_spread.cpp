// SPDX-License-Identifier: GPL-3.0-or-later
#include "word_spread.h"

#include "increasing_word_times.h"
#include "text_runs.h"

namespace character {

std::vector<WordTiming> spreadOverWords(const QString& text, int durationMs) {
  const std::vector<base::TextSpan> words = base::wordSpans(text);
  qsizetype totalLength = 0;
  for (const base::TextSpan& word : words) totalLength += word.text.size();
  std::vector<WordTiming> timings;
  qsizetype lengthBefore = 0;
  for (const base::TextSpan& word : words) {
    const int start = static_cast<int>(durationMs * lengthBefore / totalLength);
    lengthBefore += word.text.size();
    timings.push_back({start, static_cast<int>(durationMs * lengthBefore / totalLength)});
  }
  return timings;
}

std::vector<WordTiming> wordTimesOrSpread(const QString& text, std::vector<WordTiming> engineTimes,
                                          int durationMs) {
  if (engineTimes.size() != base::wordSpans(text).size()) return spreadOverWords(text, durationMs);
  makeWordTimesIncreasing(engineTimes, durationMs);
  return engineTimes;
}

}  // namespace character
