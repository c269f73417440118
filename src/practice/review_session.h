// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "progress/progress_store.h"
#include "sentence_run.h"

namespace practice {

// The host's count of the sentences due: "Three sentences to review."
QString dueCountLine(std::size_t due);
// When the next sentence falls due, from `now`, as the host says it after "Next: ":
// "in 10 minutes", "in 3 hours" (later today), "tomorrow", "in 4 days" (local days).
QString nextDueWords(progress::Seconds next, progress::Seconds now);
// What the host says when nothing is due, with the next sentence's time if one is scheduled.
QString nothingDueLine(const std::optional<progress::Seconds>& next, progress::Seconds now);

// The review: the host says how many sentences are due, and they come back one after another,
// the longest overdue first, girl and boy in turn, as a SentenceRun; then the host says
// "That's all for now.". Stopping it keeps what was rated.
class ReviewSession {
 public:
  using DueSource = std::function<std::vector<progress::SentenceCard>()>;
  using NextDue = std::function<std::optional<progress::Seconds>()>;

  ReviewSession(stage::Cast& cast, SentenceRun& run, DueSource dueSentences, NextDue nextDue);

  // Begins a review of what is due now; the host says how many, or that nothing is due and
  // when the next one is. Throws character::AgentError when the host cannot be asked.
  void start();

 private:
  stage::Cast& cast_;
  SentenceRun& run_;
  DueSource dueSentences_;
  NextDue nextDue_;
};

}  // namespace practice
