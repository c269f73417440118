// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "base/words.h"
#include "character_data.h"

namespace character {

struct WordTiming {
  int startMs = 0;  // from the start of the utterance
  int endMs = 0;
};

struct MouthCue {
  int startMs = 0;
  MouthShape shape = MouthShape::Closed;
};

// The result of synthesis: how long it lasts, when each word is said, how the mouth moves.
struct Utterance {
  int durationMs = 0;
  std::vector<WordTiming> words;  // one per word of base::splitWords(text)
  std::vector<MouthCue> mouth;    // in time order
};

// Speech being prepared in the background. Read utterance() only once ready() is true, and only
// on the UI thread.
class PreparedSpeech {
 public:
  virtual ~PreparedSpeech() = default;
  virtual bool ready() const = 0;
  // True once ready when synthesis failed; utterance() is then not to be used.
  virtual bool failed() const { return false; }
  virtual const Utterance& utterance() const = 0;
};

// Turns text into speech for a character. Every call returns at once and is made on the UI
// thread; synthesis happens elsewhere.
class SpeechService {
 public:
  virtual ~SpeechService() = default;
  // Starts preparing `text` in the voices of `speaker`, its English at `pace` (1: the voice's own
  // speed; 0.75: three quarters of it, every word time stretched with it). `onReady` runs on the
  // UI thread once the result is ready; it may run before prepare() returns.
  virtual std::shared_ptr<PreparedSpeech> prepare(const CharacterData& speaker, const QString& text,
                                                  std::function<void()> onReady,
                                                  double pace = 1.0) = 0;
  // Plays prepared speech on `channel` (one per character), cutting what that channel played.
  virtual void play(const QString& channel, const std::shared_ptr<PreparedSpeech>& speech) = 0;
  // Silences `channel` at once.
  virtual void stop(const QString& channel) = 0;
};

// Silent speech at the pace of reading aloud (about 150 words a minute): for tests, and for
// machines where no synthesiser is available.
class TimedSpeech : public SpeechService {
 public:
  static constexpr int kMsPerWord = 400;
  static constexpr int kMouthStepMs = 120;

  // The timing of `text` read aloud at `pace`: every word lasts kMsPerWord / pace.
  static Utterance estimate(const QString& text, double pace = 1.0);
  std::shared_ptr<PreparedSpeech> prepare(const CharacterData& speaker, const QString& text,
                                          std::function<void()> onReady,
                                          double pace = 1.0) override;
  void play(const QString&, const std::shared_ptr<PreparedSpeech>&) override {}
  void stop(const QString&) override {}
};

}  // namespace character
