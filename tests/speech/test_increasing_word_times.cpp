// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <utility>

#include "speech/increasing_word_times.h"

namespace character {
namespace {

std::vector<std::pair<int, int>> startsAndEnds(const std::vector<WordTiming>& times) {
  std::vector<std::pair<int, int>> pairs;
  for (const WordTiming& time : times) pairs.emplace_back(time.startMs, time.endMs);
  return pairs;
}

// A word without a time, words that overlap or go back, and words past the end of the utterance
// all end up in order within it.
TEST(IncreasingWordTimes, WordsFollowEachOtherWithinTheUtterance) {
  std::vector<WordTiming> times = {{100, 300}, {-1, -1},    {250, 400},
                                   {200, 350}, {900, 1200}, {1100, 1300}};
  makeWordTimesIncreasing(times, 1000);
  const std::vector<std::pair<int, int>> expected = {{100, 300}, {300, 300},  {300, 400},
                                                     {400, 400}, {900, 1000}, {1000, 1000}};
  EXPECT_EQ(startsAndEnds(times), expected);
}

}  // namespace
}  // namespace character
