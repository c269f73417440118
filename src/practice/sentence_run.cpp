// SPDX-License-Identifier: GPL-3.0-or-later
#include "sentence_run.h"

#include <algorithm>

#include "base/guarded_run.h"
#include "practice_log.h"
#include "stage/performance.h"

namespace practice {
namespace {

// Where the sentence window stands while a run shows its sentences, in twips.
constexpr int kSentenceWindowLeft = 960;
constexpr int kSentenceWindowTop = 360;

}  // namespace

SentenceRun::SentenceRun(stage::Cast& cast, LearnerTurn& turn, Window window)
    : cast_(cast), turn_(turn), window_(std::move(window)) {
  connect(&turn_, &LearnerTurn::scored, this,
          [this](const stage::SpokenSentence&, const std::vector<listening::WordScore>& words) {
            if (std::exchange(waitingForReading_, false)) readingScored(words);
          });
  connect(&turn_, &LearnerTurn::unscored, this, [this](listening::ReadingProblem problem) {
    if (std::exchange(waitingForReading_, false)) readingUnscored(problem);
  });
}

void SentenceRun::start(std::vector<stage::SpokenSentence> sentences, std::size_t first,
                        const character::Request& after, Label label, Finished finished) {
  cancel();
  if (sentences.empty()) return;
  sentences_ = std::move(sentences);
  current_ = std::min(first, sentences_.size() - 1);
  saidWhole_.assign(sentences_.size(), false);
  label_ = std::move(label);
  finished_ = std::move(finished);
  if (after.isNull()) return present();
  after.whenFinished(this, [this, generation = generation_] {
    if (generation == generation_) present();
  });
}

void SentenceRun::cancel() {
  ++generation_;
  sentences_.clear();
  paused_ = false;
  waitingForReading_ = false;
}

void SentenceRun::runGuarded(const std::function<void()>& step) {
  base::runGuarded(step, [this](const QString& message) {
    qCWarning(lcPractice).noquote() << message;
    cancel();
  });
}

// The pupil says the sentence, the host thinks its label and translation, and the learner's
// turn follows.
void SentenceRun::present() {
  runGuarded([this] {
    const stage::SpokenSentence& sentence = sentences_.at(current_);
    secondTry_ = false;
    lesson::SentenceView& window = window_();
    window.setSentence(sentence.text);
    window.setTranslation(sentence.translation);
    window.showForTyping(kSentenceWindowLeft, kSentenceWindowTop);
    const QString label = label_ ? label_(current_, sentences_.size()) : QString();
    stage::PresentForPractice(cast_, sentence, label)
        .whenFinished(this, [this, sentence, generation = generation_] {
          if (generation != generation_) return;
          waitingForReading_ = true;
          runGuarded([&] { turn_.start(sentence); });
        });
  });
}

// Runs `step` once the host's answer (and the pupil's missed words) have been said.
void SentenceRun::afterAnswer(const std::function<void()>& step) {
  turn_.answer().whenFinished(this, [this, step, generation = generation_] {
    if (generation == generation_) step();
  });
}

void SentenceRun::readingScored(const std::vector<listening::WordScore>& words) {
  const bool missed = !listening::everyWordHeard(words);
  if (!missed) saidWhole_[current_] = true;
  if (missed && !std::exchange(secondTry_, true)) return afterAnswer([this] { listenAgain(); });
  afterAnswer([this] { moveOn(); });
}

void SentenceRun::listenAgain() {
  waitingForReading_ = true;
  runGuarded([this] { turn_.start(sentences_.at(current_)); });
}

// Nothing heard counts as a miss; a microphone that cannot be had ends the run.
void SentenceRun::readingUnscored(listening::ReadingProblem problem) {
  if (problem == listening::ReadingProblem::NothingHeard) return readingScored({});
  cancel();
}

void SentenceRun::moveOn() {
  if (++current_ < sentences_.size()) return present();
  const std::size_t whole = std::count(saidWhole_.begin(), saidWhole_.end(), true);
  const std::size_t count = sentences_.size();
  const Finished finished = finished_;
  cancel();
  if (finished) finished(whole, count);
}

// What is being said stops, and the turn in progress ends, without a word from anyone.
void SentenceRun::silenceTheCast() {
  ++generation_;
  waitingForReading_ = false;
  turn_.cancel();
  cast_.spokenSentences().takeNote();
  for (stage::Role role : stage::kRoles) {
    base::runGuarded([&] { cast_[role].Stop(); }, [](const QString&) {});
  }
}

void SentenceRun::skip(int by) {
  if (!active()) return;
  if (by < 0 && current_ == 0) return;
  silenceTheCast();
  paused_ = false;
  if (by < 0) {
    --current_;
    return present();
  }
  current_ += by - 1;
  moveOn();
}

void SentenceRun::pauseOrResume() {
  if (!active()) return;
  silenceTheCast();
  paused_ = !paused_;
  if (!paused_) present();
}

}  // namespace practice
