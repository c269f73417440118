// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "listening/word_evidence.h"

using namespace listening;

// Free phones decoded over frames 0-39: the word heard over frames 10-29 is compared with half
// of each phone's score (-100 and -60 over 20 frames each), -80 in all.
TEST(WordEvidenceTest, AWordCountsAsSaidOnlyWhenItsPhonesExplainItsFramesAboutAsWell) {
  const std::vector<DecodedSegment> freePhones{{"_ah", 0, 19, -100}, {"_s", 20, 39, -60}};
  EXPECT_DOUBLE_EQ(freePhonesScore(freePhones, 10, 29), -80);
  EXPECT_TRUE(wordBeatsFreePhones({"sun", 10, 29, -70}, freePhones, 0));
  EXPECT_TRUE(wordBeatsFreePhones({"sun", 10, 29, -110}, freePhones, 2));
  EXPECT_FALSE(wordBeatsFreePhones({"sun", 10, 29, -130}, freePhones, 2));
}
