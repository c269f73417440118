// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "lesson/lesson_session.h"
#include "lesson/sentence_view.h"
#include "stage/cast.h"

namespace practice {
class LearnerTurn;
class SentenceRun;
}  // namespace practice

namespace app::commands {

// What the commands work on. The program provides the real one; tests provide their own.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;

  virtual stage::Cast& cast() = 0;
  // The lesson being read and LineCounter.
  virtual lesson::LessonSession& lesson() = 0;
  // The sentence window, created hidden on first use.
  virtual lesson::SentenceView& sentenceWindow() = 0;
  // The learner's turn at reading a sentence aloud.
  virtual practice::LearnerTurn& learnerTurn() = 0;
  // The sentences practised one after another (a review, a drill).
  virtual practice::SentenceRun& sentenceRun() = 0;
  // Begins the review of the sentences due.
  virtual void startReview() = 0;
  // Begins a drill of the lesson opened last, or of the sentence window's sentence.
  virtual void startDrill() = 0;
  // Plays the learner's last recording, then the pupil says its sentence; the host asks for a
  // reading when there is none. Stopping the characters stops the playing.
  virtual void hearMyReading() = 0;
  virtual void stopPlayback() = 0;
  // Shows the progress window, created on first use.
  virtual void showProgress() = 0;
  // Shows the help window, created on first use, and activates it.
  virtual void showHelp() = 0;
  // The open dialog for lessons: the chosen file's full path, or "" when cancelled.
  virtual QString chooseLessonFile() = 0;
  // Shows the message of a command that failed; the program goes on.
  virtual void reportError(const QString& message) = 0;
  // Ends the program at once with status 0.
  virtual void endProgram() = 0;
};

}  // namespace app::commands
