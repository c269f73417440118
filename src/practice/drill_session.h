// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "lesson/lesson_line.h"
#include "sentence_run.h"

namespace practice {

// The host's summary of a drill: "You said 12 of 15 sentences.", and in Chinese.
QString drillSummaryLine(std::size_t saidWhole, std::size_t count);
QString drillSummaryThought(std::size_t saidWhole, std::size_t count);

// Where a drill of a lesson's `sentences` begins: at the sentence in play while the lesson is
// still being read (a line of the lesson, not its last), else at the first.
std::size_t drillStart(const std::vector<stage::SpokenSentence>& sentences,
                       const std::optional<stage::SpokenSentence>& inPlay);

// "跟读" (Drill): the sentences of a lesson, in order, as a SentenceRun, the host's thought
// naming where the learner is ("3/15"); at the end the host says how many were said whole.
class DrillSession {
 public:
  DrillSession(stage::Cast& cast, SentenceRun& run);

  // Drills `lines` (a lesson's sentences, girl and boy in turn as the lesson gives them) from
  // the sentence in play, or the one `sentence` when there is no lesson; with neither, the host
  // asks for one. Throws character::AgentError when the host cannot be asked.
  void start(const std::vector<lesson::LessonLine>& lines,
             const std::optional<stage::SpokenSentence>& inPlay, const QString& sentence);

 private:
  void sayHowItWent(std::size_t saidWhole, std::size_t count);

  stage::Cast& cast_;
  SentenceRun& run_;
};

}  // namespace practice
