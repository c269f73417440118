// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QThreadPool>
#include <memory>

#include "character/speech.h"
#include "espeak_synthesizer.h"
#include "festival_synthesizer.h"
#include "flite_synthesizer.h"
#include "mixer.h"
#include "speech_synthesis.h"

namespace character {

// The speech service of the running program: text is synthesised on a pool of worker threads
// (espeak-ng's part on its own thread), and played through one mixer shared by all channels.
class SynthesizedSpeech : public SpeechService {
 public:
  // Plays into `mixer`, which must be open for reading; whoever owns the mixer drains it.
  explicit SynthesizedSpeech(std::shared_ptr<Mixer> mixer);
  ~SynthesizedSpeech() override;

  // The English of `text` is said at the English voice's rate times `pace`; Chinese keeps its
  // own rate.
  std::shared_ptr<PreparedSpeech> prepare(const CharacterData& speaker, const QString& text,
                                          std::function<void()> onReady,
                                          double pace = 1.0) override;
  void play(const QString& channel, const std::shared_ptr<PreparedSpeech>& speech) override;
  void stop(const QString& channel) override;

 private:
  std::shared_ptr<Mixer> mixer_;
  FliteSynthesizer flite_;
  FestivalSynthesizer festival_;
  EspeakSynthesizer espeak_;
  SynthesizerTable engines_;
  QObject uiThread_;  // queued deliveries to the thread that made the service
  QThreadPool pool_;
};

}  // namespace character
