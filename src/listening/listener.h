// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace listening {

// One word of the sentence as written, and whether the reading said it.
struct WordScore {
  QString word;
  bool heard = false;
};

// Whether a reading's words are there and were all heard.
inline bool everyWordHeard(const std::vector<WordScore>& words) {
  return !words.empty() &&
         std::all_of(words.begin(), words.end(), [](const WordScore& word) { return word.heard; });
}

// Why a reading gave no score. Each is feedback for the learner, not a failure of the program.
enum class ReadingProblem {
  NoMicrophone,           // no input device at all
  MicrophoneUnavailable,  // the sound server refused the recording
  NothingHeard,           // nothing above the noise floor
  ScoringFailed,          // the recogniser could not be loaded or run
};

// A learner's recording: mono 16-bit samples.
struct RecordedSound {
  std::vector<std::int16_t> samples;
  int sampleRate = 0;
};

// What a reading reports, always on the thread that called Listener::listen() and never after
// its Reading is destroyed. Exactly one of `scored` and `failed` comes last.
struct ReadingCallbacks {
  std::function<void(double level)> levelChanged;  // 0..1, several times a second while recording
  std::function<void()> recordingEnded;            // the learner is done; scoring begins
  std::function<void(const std::vector<WordScore>& words)> scored;  // one per sentence word
  std::function<void(ReadingProblem problem)> failed;
  std::function<void(const RecordedSound& sound)> recorded;  // with recordingEnded: the sound
};

// A reading in progress: destroying it stops the recording and drops the scoring.
class Reading {
 public:
  virtual ~Reading() = default;
};

// A recording being played back: destroying it stops the sound.
class Playback {
 public:
  virtual ~Playback() = default;
};

// Records the default microphone and scores what the learner said against a sentence. The
// recogniser loads on first use, off the user interface thread.
class Listener {
 public:
  virtual ~Listener() = default;
  virtual std::unique_ptr<Reading> listen(const QString& sentence, ReadingCallbacks callbacks) = 0;
  // Plays `sound` on the default output; `finished` is called from the event loop once it has
  // been played, or could not be (never after the Playback is destroyed).
  virtual std::unique_ptr<Playback> play(const RecordedSound& sound,
                                         std::function<void()> finished) = 0;
};

}  // namespace listening
