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

// 30 frames of the sentence's words against 50 of phones said in a word's place: the reading
// was mostly something else. Silence and noise count for neither.
TEST(WordEvidenceTest, TheSentencesShareOfSpeechIsTheFramesItsWordsExplain) {
  const QStringList sentence{"you", "are", "now"};
  const std::vector<DecodedSegment> otherSpeech{{"<sil>", 0, 49, -10},     {"you", 50, 69, -50},
                                                {"_l", 70, 89, -40},       {"_aa", 90, 119, -60},
                                                {"[NOISE]", 120, 199, -9}, {"now", 200, 209, -20}};
  EXPECT_DOUBLE_EQ(sentenceShareOfSpeech(otherSpeech, sentence), 30.0 / 80.0);
  EXPECT_DOUBLE_EQ(sentenceShareOfSpeech({{"you", 0, 9, -5}}, sentence), 1.0);
  EXPECT_DOUBLE_EQ(sentenceShareOfSpeech({{"<sil>", 0, 9, -5}}, sentence), 0.0);
}
