// SPDX-License-Identifier: GPL-3.0-or-later
#include "learner_turn.h"

#include "base/guarded_run.h"
#include "practice_log.h"
#include "reading_feedback.h"

namespace practice {

LearnerTurn::LearnerTurn(stage::Cast& cast, listening::Listener& listener, HostFrame hostFrame)
    : cast_(cast), listener_(listener), hostFrame_(std::move(hostFrame)) {}

LearnerTurn::~LearnerTurn() = default;

void LearnerTurn::start(const stage::SpokenSentence& sentence) {
  cancel();
  sentence_ = sentence;
  prompt_ = cast_[stage::Role::Host].Speak(QStringLiteral("Your turn!"));
  prompt_.whenFinished(this, [this, turnNumber = turnNumber_] {
    runStep([this, turnNumber] { listenOnceThePromptIsSaid(turnNumber); });
  });
}

void LearnerTurn::cancel() {
  prompt_ = {};
  ++turnNumber_;
  reading_.reset();
  endRecording();
}

// Recording starts once the host has said his line, so that it does not record him; a prompt
// that was stopped ends the turn, and so does a later turn or a cancel.
void LearnerTurn::listenOnceThePromptIsSaid(quint64 turnNumber) {
  if (turnNumber != turnNumber_ || prompt_.isNull()) return;
  const character::Request prompt = std::exchange(prompt_, {});
  if (prompt.Status() != character::RequestStatus::Interrupted) listen();
}

// The sign says "speak now": it shows with the first sound the microphone delivers, not while
// the microphone is still being opened, so no first word is lost.
void LearnerTurn::listen() {
  recording_ = true;
  reading_ = listener_.listen(sentence_.text, readingCallbacks());
}

void LearnerTurn::endRecording() {
  recording_ = false;
  sign_.hide();
}

void LearnerTurn::showLevel(double level) {
  if (!sign_.isVisible()) sign_.showBeside(hostFrame_());
  sign_.setLevel(level);
}

// A finished reading is kept until the next turn or a cancel: it is not destroyed from inside
// its own callback.
listening::ReadingCallbacks LearnerTurn::readingCallbacks() {
  listening::ReadingCallbacks callbacks;
  callbacks.levelChanged = [this](double level) {
    if (recording_) showLevel(level);
  };
  callbacks.recordingEnded = [this] { endRecording(); };
  callbacks.recorded = [this](const listening::RecordedSound& sound) {
    keptReadings_.push_back({sentence_, sound});
    if (keptReadings_.size() > kKeptReadings) keptReadings_.pop_front();
  };
  callbacks.scored = [this](const std::vector<listening::WordScore>& words) {
    endRecording();
    runStep([&] { answer_ = answerScoredReading(cast_, sentence_, words); });
    emit scored(sentence_, words);
  };
  callbacks.failed = [this](listening::ReadingProblem problem) {
    endRecording();
    runStep([&] { answer_ = answerReadingProblem(cast_, problem); });
    emit unscored(problem);
  };
  return callbacks;
}

void LearnerTurn::runStep(const std::function<void()>& step) {
  base::runGuarded(step, [this](const QString& message) {
    qCWarning(lcPractice).noquote() << message;
    prompt_ = {};
    endRecording();
  });
}

}  // namespace practice
