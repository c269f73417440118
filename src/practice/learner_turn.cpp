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
  sign_.hide();
}

// Recording starts once the host has said his line, so that it does not record him; a prompt
// that was stopped ends the turn, and so does a later turn or a cancel.
void LearnerTurn::listenOnceThePromptIsSaid(quint64 turnNumber) {
  if (turnNumber != turnNumber_ || prompt_.isNull()) return;
  const character::Request prompt = std::exchange(prompt_, {});
  if (prompt.Status() != character::RequestStatus::Interrupted) listen();
}

void LearnerTurn::listen() {
  sign_.showBeside(hostFrame_());
  reading_ = listener_.listen(sentence_.text, readingCallbacks());
}

// A finished reading is kept until the next turn or a cancel: it is not destroyed from inside
// its own callback.
listening::ReadingCallbacks LearnerTurn::readingCallbacks() {
  listening::ReadingCallbacks callbacks;
  callbacks.levelChanged = [this](double level) { sign_.setLevel(level); };
  callbacks.recordingEnded = [this] { sign_.hide(); };
  callbacks.scored = [this](const std::vector<listening::WordScore>& words) {
    sign_.hide();
    runStep([&] { answerScoredReading(cast_, sentence_, words); });
    emit scored(sentence_, words);
  };
  callbacks.failed = [this](listening::ReadingProblem problem) {
    sign_.hide();
    runStep([&] { answerReadingProblem(cast_, problem); });
  };
  return callbacks;
}

void LearnerTurn::runStep(const std::function<void()>& step) {
  base::runGuarded(step, [this](const QString& message) {
    qCWarning(lcPractice).noquote() << message;
    prompt_ = {};
    sign_.hide();
  });
}

}  // namespace practice
