// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "learner_turn.h"
#include "lesson/sentence_view.h"
#include "progress/progress_keeper.h"
#include "stage/cast.h"

namespace practice {

// The host's count of the sentences due: "Three sentences to review."
QString dueCountLine(std::size_t due);
// When the next sentence falls due, from `now`, as the host says it after "Next: ":
// "in 10 minutes", "in 3 hours" (later today), "tomorrow", "in 4 days" (local days).
QString nextDueWords(progress::Seconds next, progress::Seconds now);
// What the host says when nothing is due, with the next sentence's time if one is scheduled.
QString nothingDueLine(const std::optional<progress::Seconds>& next, progress::Seconds now);

// The review: the sentences due come back one after another, the longest overdue first. For
// each, a pupil says it with the sentence window showing it and the host thinking its
// translation; then the learner's turn runs, and a miss gets a second try once the pupil has
// said the missed words. The readings are rated and kept as every reading is (the keeper sees
// them through the program), so stopping a review keeps what was rated.
class ReviewSession : public QObject {
  Q_OBJECT

 public:
  using DueSource = std::function<std::vector<progress::SentenceCard>()>;
  using NextDue = std::function<std::optional<progress::Seconds>()>;

  // The sentence window, made when first asked for.
  using Window = std::function<lesson::SentenceView&()>;

  ReviewSession(stage::Cast& cast, LearnerTurn& turn, Window window, DueSource dueSentences,
                NextDue nextDue);

  // Begins a review of what is due now; the host says how many, or that nothing is due and
  // when the next one is. Throws character::AgentError when a character cannot be asked.
  void start();
  // Ends the review in progress; nothing more is said for it.
  void cancel();
  bool active() const { return !due_.empty(); }

 private:
  void presentNext();
  void readingScored(const std::vector<listening::WordScore>& words);
  void readingUnscored(listening::ReadingProblem problem);
  void afterAnswer(const std::function<void()>& step);
  void moveOn();
  void finish();
  stage::Role pupilFor(std::size_t index) const;

  stage::Cast& cast_;
  LearnerTurn& turn_;
  Window window_;
  DueSource dueSentences_;
  NextDue nextDue_;
  std::vector<progress::SentenceCard> due_;
  std::size_t current_ = 0;
  bool secondTry_ = false;
  bool waitingForReading_ = false;
  // Counts the reviews begun and cancelled, so a late callback of an earlier one does nothing.
  quint64 generation_ = 0;
};

}  // namespace practice
