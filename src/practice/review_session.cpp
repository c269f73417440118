// SPDX-License-Identifier: GPL-3.0-or-later
#include "review_session.h"

#include <QDateTime>
#include <array>

#include "base/guarded_run.h"
#include "practice_log.h"
#include "stage/performance.h"

namespace practice {
namespace {

using stage::Role;

// Where the sentence window stands while a review shows its sentences, in twips.
constexpr int kSentenceWindowLeft = 960;
constexpr int kSentenceWindowTop = 360;

constexpr std::array<const char*, 21> kNumberWords = {
    "No",       "One",     "Two",     "Three",     "Four",     "Five",     "Six",
    "Seven",    "Eight",   "Nine",    "Ten",       "Eleven",   "Twelve",   "Thirteen",
    "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen", "Twenty"};

QString countWord(std::size_t count) {
  return count < kNumberWords.size() ? QString::fromLatin1(kNumberWords[count])
                                     : QString::number(count);
}

QString plural(qint64 count, const char* unit) {
  return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(unit)).arg(count == 1 ? "" : "s");
}

QDate localDay(progress::Seconds time) {
  return QDateTime::fromSecsSinceEpoch(time.time_since_epoch().count()).date();
}

}  // namespace

QString dueCountLine(std::size_t due) {
  return QStringLiteral("%1 sentence%2 to review.").arg(countWord(due)).arg(due == 1 ? "" : "s");
}

QString nextDueWords(progress::Seconds next, progress::Seconds now) {
  const qint64 days = localDay(now).daysTo(localDay(next));
  if (days == 1) return QStringLiteral("tomorrow");
  if (days > 1) return QStringLiteral("in ") + plural(days, "day");
  const auto minutes = std::chrono::ceil<std::chrono::minutes>(next - now).count();
  if (minutes < 60) return QStringLiteral("in ") + plural(std::max<qint64>(minutes, 1), "minute");
  return QStringLiteral("in ") + plural((minutes + 30) / 60, "hour");
}

QString nothingDueLine(const std::optional<progress::Seconds>& next, progress::Seconds now) {
  const QString nothing = QStringLiteral("Nothing to review now.");
  if (!next) return nothing;
  return nothing + QStringLiteral(" Next: ") + nextDueWords(*next, now) + QLatin1Char('.');
}

ReviewSession::ReviewSession(stage::Cast& cast, LearnerTurn& turn, Window window,
                             DueSource dueSentences, NextDue nextDue)
    : cast_(cast),
      turn_(turn),
      window_(std::move(window)),
      dueSentences_(std::move(dueSentences)),
      nextDue_(std::move(nextDue)) {
  connect(&turn_, &LearnerTurn::scored, this,
          [this](const stage::SpokenSentence&, const std::vector<listening::WordScore>& words) {
            if (std::exchange(waitingForReading_, false)) readingScored(words);
          });
  connect(&turn_, &LearnerTurn::unscored, this, [this](listening::ReadingProblem problem) {
    if (std::exchange(waitingForReading_, false)) readingUnscored(problem);
  });
}

void ReviewSession::start() {
  cancel();
  due_ = dueSentences_();
  character::Character& host = cast_[Role::Host];
  if (due_.empty()) {
    host.Speak(nothingDueLine(nextDue_(),
                              std::chrono::floor<std::chrono::seconds>(progress::Clock::now())));
    return;
  }
  qCInfo(lcPractice) << "reviewing" << due_.size() << "sentences";
  current_ = 0;
  host.Speak(dueCountLine(due_.size())).whenFinished(this, [this, generation = generation_] {
    if (generation == generation_) presentNext();
  });
}

void ReviewSession::cancel() {
  ++generation_;
  due_.clear();
  waitingForReading_ = false;
}

Role ReviewSession::pupilFor(std::size_t index) const {
  return index % 2 == 0 ? Role::Girl : Role::Boy;
}

// The pupil says the sentence, the host thinks its translation, and the learner's turn follows.
void ReviewSession::presentNext() {
  base::runGuarded(
      [this] {
        const progress::SentenceCard& card = due_.at(current_);
        const stage::SpokenSentence sentence{pupilFor(current_), card.english, card.chinese};
        secondTry_ = false;
        lesson::SentenceView& window = window_();
        window.setSentence(card.english);
        window.setTranslation(card.chinese);
        window.showForTyping(kSentenceWindowLeft, kSentenceWindowTop);
        stage::PresentForReview(cast_, sentence)
            .whenFinished(this, [this, sentence, generation = generation_] {
              if (generation != generation_) return;
              waitingForReading_ = true;
              turn_.start(sentence);
            });
      },
      [this](const QString& message) {
        qCWarning(lcPractice).noquote() << message;
        cancel();
      });
}

// Runs `step` once the host's answer (and the pupil's missed words) have been said.
void ReviewSession::afterAnswer(const std::function<void()>& step) {
  turn_.answer().whenFinished(this, [this, step, generation = generation_] {
    if (generation == generation_) step();
  });
}

void ReviewSession::readingScored(const std::vector<listening::WordScore>& words) {
  const bool missed = std::any_of(words.begin(), words.end(),
                                  [](const listening::WordScore& word) { return !word.heard; });
  if (missed && !std::exchange(secondTry_, true)) {
    afterAnswer([this] {
      waitingForReading_ = true;
      const progress::SentenceCard& card = due_.at(current_);
      base::runGuarded(
          [&] {
            turn_.start({pupilFor(current_), card.english, card.chinese});
          },
          [this](const QString& message) {
            qCWarning(lcPractice).noquote() << message;
            cancel();
          });
    });
    return;
  }
  afterAnswer([this] { moveOn(); });
}

// Nothing heard counts as a miss; a microphone that cannot be had ends the review.
void ReviewSession::readingUnscored(listening::ReadingProblem problem) {
  if (problem == listening::ReadingProblem::NothingHeard)
    return readingScored({{QString(), false}});
  cancel();
}

void ReviewSession::moveOn() {
  if (++current_ < due_.size()) return presentNext();
  finish();
}

void ReviewSession::finish() {
  cancel();
  base::runGuarded([this] { cast_[Role::Host].Speak(QStringLiteral("That's all for now.")); },
                   [](const QString& message) { qCWarning(lcPractice).noquote() << message; });
}

}  // namespace practice
