// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace listening {

// A recording is judged in blocks of a tenth of a second.
inline constexpr int kBlocksPerSecond = 10;

// Tells, block by block, whether the learner has spoken and when the reading is over: a second
// after the last block of speech.
//
// The noise floor is the level a tenth of the blocks so far are quieter than (never below
// kQuietestFloor), so it follows the room: a learner who starts at once is heard as soon as
// pauses show how quiet the room is, and every block is judged again against the floor as it is
// now; a stray block of digital silence, as a sound input may give when it starts, does not pin
// it. Speech is a block louder than the floor by kSpeechOverFloor and louder than
// kQuietestSpeech; a click or a knock (shorter than kShortestSpeechBlocks) is no speech. A
// tenth, because the second of silence that ends a reading is at least a tenth of a recording
// (ten seconds at most): the floor is then no louder than that silence.
class SpeechEndpointer {
 public:
  static constexpr double kQuietestFloor = 0.0005;  // about -66 dB of full scale
  static constexpr double kQuietestSpeech = 0.003;  // about -50 dB of full scale
  static constexpr double kSpeechOverFloor = 4.0;   // 12 dB
  static constexpr int kShortestSpeechBlocks = 2;
  static constexpr int kSilenceAfterSpeechBlocks = kBlocksPerSecond;

  // `rms`: the root mean square of the next block's samples, in full scales (0..1).
  void addBlock(double rms);
  // Whether the recording so far holds speech.
  bool heardSpeech() const;
  // Whether the learner spoke and has been silent for a second since.
  bool speechEnded() const;

 private:
  double noiseFloor() const;
  double speechThreshold() const;
  std::optional<std::size_t> lastSpeechBlock() const;

  std::vector<double> blocks_;
};

// What a level meter shows for a block: its loudness from -60 dB of full scale (0) to full
// scale (1).
double meterLevel(double rms);

}  // namespace listening
