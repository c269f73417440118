// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoring_worker.h"

#include <malloc.h>

#include <QMetaObject>
#include <future>

#include "listening_log.h"
#include "resample_16k.h"
#include "scorer.h"
#include "voice_fit.h"

namespace listening {

ScoringWorker::ScoringWorker(std::chrono::milliseconds idleRelease, QString voiceFolder)
    : voice_(std::move(voiceFolder)) {
  pool_.setMaxThreadCount(1);
  idle_.setSingleShot(true);
  idle_.setInterval(idleRelease);
  QObject::connect(&idle_, &QTimer::timeout, &caller_, [this] {
    pool_.start([this] {
      scorer_.reset();
      malloc_trim(0);
    });
  });
}

ScoringWorker::~ScoringWorker() {
  pool_.waitForDone();
}

void ScoringWorker::score(PcmSound sound, const QString& sentence, Cancellation cancelled,
                          Done done) {
  releaseWhenIdle();
  pool_.start([this, sound = std::move(sound), sentence, cancelled, done] {
    if (*cancelled) return;
    auto words = scoreOnWorker(sound, sentence);
    QMetaObject::invokeMethod(
        &caller_,
        [this, cancelled, done, words = std::move(words)] {
          releaseWhenIdle();
          if (!*cancelled) done(words);
        },
        Qt::QueuedConnection);
  });
}

// The wait for idleness begins once the scorer is ready.
void ScoringWorker::prepare() {
  releaseWhenIdle();
  pool_.start([this] {
    if (makeScorer()) QMetaObject::invokeMethod(&caller_, [this] { releaseWhenIdle(); });
  });
}

bool ScoringWorker::scorerMade() {
  std::promise<bool> made;
  pool_.start([this, &made] { made.set_value(scorer_ != nullptr); });
  return made.get_future().get();
}

void ScoringWorker::releaseWhenIdle() {
  idle_.start();
}

bool ScoringWorker::makeScorer() {
  if (scorer_) return true;
  QString error;
  ScorerSettings settings;
  settings.speakerTransform = voice_.transformPath();
  scorer_ = Scorer::create(settings, error);
  if (!scorer_) {
    qCWarning(lcListening, "cannot load the speech recogniser: %s", qUtf8Printable(error));
  }
  return scorer_ != nullptr;
}

std::optional<std::vector<WordScore>> ScoringWorker::scoreOnWorker(const PcmSound& sound,
                                                                   const QString& sentence) {
  if (!makeScorer()) return std::nullopt;
  const std::vector<std::int16_t> samples = toRecogniserInput(sound);
  auto words = scorer_->score(samples, sentence);
  if (!words) qCWarning(lcListening, "the speech recogniser failed on a reading");
  if (words && everyWordHeard(*words)) learnVoice(samples, sentence);
  return words;
}

// The next reading is heard by a scorer made with the new fit.
void ScoringWorker::learnVoice(std::span<const std::int16_t> samples, const QString& sentence) {
  if (!voice_.keep(samples, sentence) || fitFailed_ || !voice_.fitDue()) return;
  QString error;
  if (fitVoice(ScorerSettings::defaultModelDirectory(), voice_.readings(), voice_.transformPath(),
               error)) {
    voice_.markFitted();
    scorer_.reset();
    return;
  }
  fitFailed_ = true;
  qCWarning(lcListening, "cannot fit the recogniser to the learner's voice: %s",
            qUtf8Printable(error));
}

}  // namespace listening
