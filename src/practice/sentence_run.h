// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "learner_turn.h"
#include "lesson/sentence_view.h"
#include "stage/cast.h"

namespace practice {

// Sentences practised one after another with no click between them: for each, its pupil says
// it with the sentence window showing it and the host thinking its translation (after the
// label, such as "3/15", when one is asked for); then the learner's turn runs, and a miss gets
// a second try once the pupil has said the missed words. The review and the drill run on it.
// Every reading is kept and rated by whoever hears the learner's turn.
class SentenceRun : public QObject {
  Q_OBJECT

 public:
  // The sentence window, made when first asked for.
  using Window = std::function<lesson::SentenceView&()>;
  // The label the host's thought begins with for the sentence at `index` of `count`; "" none.
  using Label = std::function<QString(std::size_t index, std::size_t count)>;
  // Told once the last sentence has been answered: how many were said whole, at the first try
  // or the second, of how many.
  using Finished = std::function<void(std::size_t saidWhole, std::size_t count)>;

  SentenceRun(stage::Cast& cast, LearnerTurn& turn, Window window);

  // Runs `sentences` from `first` once `after` has finished (at once for a null request),
  // ending a run in progress first.
  void start(std::vector<stage::SpokenSentence> sentences, std::size_t first,
             const character::Request& after, Label label, Finished finished);
  // Ends the run; nothing more is said for it.
  void cancel();
  bool active() const { return !sentences_.empty(); }
  bool paused() const { return paused_; }

  // While running: stops what is being said and goes on at the next or the previous sentence
  // (none before the first; past the last, the run finishes).
  void skip(int by);
  // Stops what is being said and waits; resuming says the current sentence again.
  void pauseOrResume();

 private:
  void present();
  void readingScored(const std::vector<listening::WordScore>& words);
  void readingUnscored(listening::ReadingProblem problem);
  void afterAnswer(const std::function<void()>& step);
  void listenAgain();
  void moveOn();
  void silenceTheCast();
  void runGuarded(const std::function<void()>& step);

  stage::Cast& cast_;
  LearnerTurn& turn_;
  Window window_;
  std::vector<stage::SpokenSentence> sentences_;
  Label label_;
  Finished finished_;
  std::size_t current_ = 0;
  std::vector<bool> saidWhole_;
  bool secondTry_ = false;
  bool paused_ = false;
  bool waitingForReading_ = false;
  // Counts the runs and the moves within them, so a late callback of an earlier step does
  // nothing.
  quint64 generation_ = 0;
};

}  // namespace practice
