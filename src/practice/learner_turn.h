// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <memory>

#include "character/request.h"
#include "listening/listener.h"
#include "recording_sign.h"
#include "stage/cast.h"

namespace practice {

// The learner's turn: the host says "Your turn!", then the learner's reading of a sentence is
// recorded, with the recording sign beside the host, and scored; the host answers with the
// result. Nothing here waits: the listener reports through callbacks on the UI thread.
class LearnerTurn : public QObject {
  Q_OBJECT

 public:
  // Where the host stands on the screen, for the sign.
  using HostFrame = std::function<QRect()>;

  LearnerTurn(stage::Cast& cast, listening::Listener& listener, HostFrame hostFrame);
  ~LearnerTurn() override;

  // Begins a turn at `sentence`, ending one still in progress first. Throws
  // character::AgentError when the host cannot be asked to speak.
  void start(const stage::SpokenSentence& sentence);
  // Ends the turn in progress: no recording, no scoring, no sign.
  void cancel();

  const RecordingSign& sign() const { return sign_; }
  // A recording of the learner's, with the sentence read.
  struct KeptReading {
    stage::SpokenSentence sentence;
    listening::RecordedSound sound;
  };
  // The last kKeptReadings recordings, the latest last; kept in memory only.
  static constexpr std::size_t kKeptReadings = 10;
  const std::deque<KeptReading>& keptReadings() const { return keptReadings_; }

  // The request that ends the host's answer to the last reading; null before any.
  const character::Request& answer() const { return answer_; }

 signals:
  // A reading of `sentence` was scored, once the host has been asked to answer it.
  void scored(const stage::SpokenSentence& sentence,
              const std::vector<listening::WordScore>& words);
  // A reading gave no score, once the host has been asked to say why.
  void unscored(listening::ReadingProblem problem);

 private:
  void listenOnceThePromptIsSaid(quint64 turnNumber);
  void listen();
  void showLevel(double level);
  void endRecording();
  listening::ReadingCallbacks readingCallbacks();
  // Runs a step of a callback; a failure is logged and the turn ends.
  void runStep(const std::function<void()>& step);

  stage::Cast& cast_;
  listening::Listener& listener_;
  HostFrame hostFrame_;
  RecordingSign sign_;
  stage::SpokenSentence sentence_{stage::Role::Girl, {}};
  // The host's "Your turn!" of the turn in progress; empty when no turn waits for it.
  character::Request prompt_;
  character::Request answer_;
  // Counts the turns begun and ended, so that the end of an earlier prompt is told apart.
  quint64 turnNumber_ = 0;
  std::unique_ptr<listening::Reading> reading_;
  std::deque<KeptReading> keptReadings_;
  // From the start of a recording until it ends, however it ends.
  bool recording_ = false;
};

}  // namespace practice
