// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "listener.h"
#include "reading_grammar.h"
#include "word_evidence.h"

namespace listening {

struct ScorerSettings {
  // The recogniser's acoustic model and dictionary: a folder holding en-us/ (the model) and
  // cmudict-en-us.dict, as pocketsphinx-en-us installs it.
  QString modelDirectory = defaultModelDirectory();
  GrammarWeights weights;
  // The fit of the model to the speaker's voice (fitVoice()); none when empty or unfit.
  QString speakerTransform;

  static QString defaultModelDirectory();
};

// Scores spoken readings against the sentences they were meant to be. Creating one loads the
// recogniser and its model (about a second, tens of megabytes): do it on first use, off the
// user interface thread. score() may be called from any thread, one call at a time (calls
// from several threads wait for each other).
class Scorer {
 public:
  // Null, with the reason in `error`, when the recogniser or its model cannot be loaded.
  static std::unique_ptr<Scorer> create(const ScorerSettings& settings, QString& error);
  ~Scorer();
  Scorer(const Scorer&) = delete;
  Scorer& operator=(const Scorer&) = delete;

  // `samples`: the reading, mono 16-bit at 16 kHz. One result per word of `sentence`
  // (sentenceWords()), in order; nothing when the recogniser failed.
  std::optional<std::vector<WordScore>> score(std::span<const std::int16_t> samples,
                                              const QString& sentence);

 private:
  struct Recogniser;
  Scorer(std::unique_ptr<Recogniser> recogniser, const ScorerSettings& settings);

  // The model fitted by `transformPath` (fitVoice()) from now on. False, and the model as it
  // was, when the file does not hold a transform of this model.
  bool fitToSpeaker(const QString& transformPath);
  QStringList dictionaryWordsFor(const QStringList& words);
  bool useGrammar(const char* searchName, const QString& grammar);
  std::vector<DecodedSegment> decode(std::span<const std::int16_t> samples);
  std::vector<bool> wordsHeard(std::span<const std::int16_t> samples,
                               const QStringList& dictionaryWords);
  void recheckDoubtfulWords(std::span<const std::int16_t> levelled,
                            const QStringList& dictionaryWords,
                            const std::vector<FirstHearing>& first, std::vector<bool>& heard);

  std::mutex mutex_;
  std::unique_ptr<Recogniser> recogniser_;
  GrammarWeights weights_;
  QString modelDirectory_;
};

}  // namespace listening
