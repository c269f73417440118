// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesized_speech.h"

#include "base/guarded_run.h"
#include "speech_log.h"

namespace character {

namespace {

constexpr int kSynthesisThreads = 2;

class SynthesizedPreparedSpeech : public PreparedSpeech {
 public:
  bool ready() const override { return ready_; }
  const Utterance& utterance() const override { return spoken_.utterance; }
  std::shared_ptr<const Samples> samples() const { return samples_; }

  void complete(SpokenText spoken) {
    samples_ = std::make_shared<const Samples>(std::move(spoken.samples));
    spoken_ = std::move(spoken);
    ready_ = true;
  }

 private:
  bool ready_ = false;
  SpokenText spoken_;
  std::shared_ptr<const Samples> samples_;
};

// Says `text`; when synthesis throws, silence as long as reading it aloud at `pace` would take.
SpokenText synthesizeOrSilence(const QString& text, const VoiceSettings& english,
                               const VoiceSettings& chinese, const SynthesizerTable& engines,
                               double pace) {
  SpokenText spoken;
  bool said = false;
  base::runGuarded(
      [&] {
        spoken = synthesizeText(text, english, chinese, engines);
        said = true;
      },
      base::logFailure(lcSpeech, "speech synthesis"));
  if (said) return spoken;
  spoken.utterance = TimedSpeech::estimate(text, pace);
  spoken.samples = Samples(msToSamples(spoken.utterance.durationMs), 0);
  return spoken;
}

}  // namespace

SynthesizedSpeech::SynthesizedSpeech(std::shared_ptr<Mixer> mixer) : mixer_(std::move(mixer)) {
  engines_.insert(QStringLiteral("flite"), &flite_);
  engines_.insert(QStringLiteral("festival"), &festival_);
  engines_.insert(QStringLiteral("espeak-ng"), &espeak_);
  pool_.setMaxThreadCount(kSynthesisThreads);
}

SynthesizedSpeech::~SynthesizedSpeech() {
  pool_.clear();
  pool_.waitForDone();
}

std::shared_ptr<PreparedSpeech> SynthesizedSpeech::prepare(const CharacterData& speaker,
                                                           const QString& text,
                                                           std::function<void()> onReady,
                                                           double pace) {
  auto speech = std::make_shared<SynthesizedPreparedSpeech>();
  // The job holds the speech weakly: speech dropped before its turn (a Stop) is never said.
  std::weak_ptr<SynthesizedPreparedSpeech> wanted = speech;
  // A job of the pool and a queued call of the event loop: neither lets an exception through.
  VoiceSettings english = speaker.voice;
  english.rate = (english.rate > 0 ? english.rate : 1.0) * (pace > 0 ? pace : 1.0);
  pool_.start([this, wanted, text, english, chinese = speaker.chineseVoice, pace,
               onReady = std::move(onReady)] {
    if (wanted.expired()) return;
    base::runGuarded(
        [&] {
          auto spoken = std::make_shared<SpokenText>(
              synthesizeOrSilence(text, english, chinese, engines_, pace));
          QMetaObject::invokeMethod(
              &uiThread_,
              [wanted, spoken, onReady] {
                base::runGuarded(
                    [&] {
                      const auto speech = wanted.lock();
                      if (!speech) return;
                      speech->complete(std::move(*spoken));
                      if (onReady) onReady();
                    },
                    base::logFailure(lcSpeech, "delivering speech"));
              },
              Qt::QueuedConnection);
        },
        base::logFailure(lcSpeech, "preparing speech"));
  });
  return speech;
}

void SynthesizedSpeech::play(const QString& channel,
                             const std::shared_ptr<PreparedSpeech>& speech) {
  const auto* synthesized = dynamic_cast<const SynthesizedPreparedSpeech*>(speech.get());
  if (!synthesized || !synthesized->ready()) return mixer_->stop(channel);
  mixer_->play(channel, synthesized->samples());
}

void SynthesizedSpeech::stop(const QString& channel) {
  mixer_->stop(channel);
}

}  // namespace character
