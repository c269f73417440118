// SPDX-License-Identifier: GPL-3.0-or-later
#include "scoring_worker.h"

#include <QMetaObject>

#include "listening_log.h"
#include "resample_16k.h"
#include "scorer.h"

namespace listening {

ScoringWorker::ScoringWorker() {
  pool_.setMaxThreadCount(1);
}

ScoringWorker::~ScoringWorker() {
  pool_.waitForDone();
}

void ScoringWorker::score(PcmSound sound, const QString& sentence, Cancellation cancelled,
                          Done done) {
  pool_.start([this, sound = std::move(sound), sentence, cancelled, done] {
    if (*cancelled) return;
    auto words = scoreOnWorker(sound, sentence);
    QMetaObject::invokeMethod(
        &caller_,
        [cancelled, done, words = std::move(words)] {
          if (!*cancelled) done(words);
        },
        Qt::QueuedConnection);
  });
}

std::optional<std::vector<WordScore>> ScoringWorker::scoreOnWorker(const PcmSound& sound,
                                                                   const QString& sentence) {
  if (!scorer_) {
    QString error;
    scorer_ = Scorer::create(ScorerSettings{}, error);
    if (!scorer_) {
      qCWarning(lcListening, "cannot load the speech recogniser: %s", qUtf8Printable(error));
      return std::nullopt;
    }
  }
  auto words = scorer_->score(toRecogniserInput(sound), sentence);
  if (!words) qCWarning(lcListening, "the speech recogniser failed on a reading");
  return words;
}

}  // namespace listening
