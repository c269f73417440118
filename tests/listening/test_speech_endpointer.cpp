// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "listening/speech_endpointer.h"

using namespace listening;

namespace {

struct Stretch {
  int blocks;
  double rms;
};

// The block after which the reading is over, if it is.
std::optional<int> endOf(const std::vector<Stretch>& recording) {
  SpeechEndpointer endpointer;
  int block = 0;
  for (const Stretch& stretch : recording) {
    for (int i = 0; i < stretch.blocks; ++i, ++block) {
      endpointer.addBlock(stretch.rms);
      if (endpointer.speechEnded()) return block;
    }
  }
  return std::nullopt;
}

// A second after the last speech, in a quiet room, in a noisy one whose input began with a block
// of digital silence, and for a learner who starts at once; a click is no speech.
TEST(SpeechEndpointerTest, TheReadingIsOverASecondAfterTheLastSpeech) {
  EXPECT_EQ(endOf({{5, 0.001}, {20, 0.05}, {3, 0.001}, {5, 0.03}, {30, 0.001}}), 42);
  EXPECT_EQ(endOf({{1, 0.0}, {10, 0.01}, {20, 0.2}, {30, 0.012}}), 40);
  EXPECT_EQ(endOf({{20, 0.1}, {30, 0.002}}), 29);
  EXPECT_EQ(endOf({{5, 0.001}, {1, 0.3}, {50, 0.001}}), std::nullopt);
}

}  // namespace
