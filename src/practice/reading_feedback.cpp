// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading_feedback.h"

#include <QStringList>
#include <algorithm>

#include "practice_log.h"

namespace practice {
namespace {

using listening::WordScore;

qsizetype heardCount(const std::vector<WordScore>& words) {
  return std::count_if(words.begin(), words.end(),
                       [](const WordScore& word) { return word.heard; });
}

// Where each word stands in `text`, in order; empty when one cannot be found.
std::vector<qsizetype> wordOffsets(const QString& text, const std::vector<WordScore>& words) {
  std::vector<qsizetype> offsets;
  qsizetype from = 0;
  for (const WordScore& word : words) {
    const qsizetype found = word.word.isEmpty() ? -1 : text.indexOf(word.word, from);
    if (found < 0) return {};
    offsets.push_back(found);
    from = found + word.word.size();
  }
  return offsets;
}

QStringList missedWords(const std::vector<WordScore>& words) {
  QStringList missed;
  for (const WordScore& word : words) {
    if (!word.heard) missed << word.word;
  }
  return missed;
}

}  // namespace

character::SpeakStyle scoredNote(const QString& sentence, const std::vector<WordScore>& words) {
  QString text = sentence.trimmed();
  std::vector<qsizetype> offsets = wordOffsets(text, words);
  if (offsets.size() != words.size()) {
    QStringList written;
    for (const WordScore& word : words) written << word.word;
    text = written.join(QLatin1Char(' '));
    offsets = wordOffsets(text, words);
  }
  character::SpeakStyle note;
  note.note = QStringLiteral("%1 (%2/%3)").arg(text).arg(heardCount(words)).arg(words.size());
  for (std::size_t i = 0; i < words.size() && i < offsets.size(); ++i) {
    if (!words[i].heard) note.marked.push_back({offsets[i], words[i].word.size()});
  }
  return note;
}

character::Request answerScoredReading(stage::Cast& cast, const stage::SpokenSentence& sentence,
                                       const std::vector<WordScore>& words) {
  character::Character& host = cast[stage::Role::Host];
  const character::SpeakStyle note = scoredNote(sentence.text, words);
  const QStringList missed = missedWords(words);
  if (!words.empty() && missed.isEmpty()) {
    // The result first: the learner waits for it, not for the gesture.
    const character::Request wellDone = host.Speak(QStringLiteral("Well done!"), note);
    host.Play(QStringLiteral("Congratulate"));
    return wellDone;
  }
  const character::Request tryAgain = host.Speak(QStringLiteral("Try again."), note);
  if (missed.isEmpty()) return tryAgain;
  character::Character& pupil = cast[sentence.speaker];
  pupil.Wait(tryAgain);
  character::SpeakStyle slowly;
  slowly.pace = kMissedWordsPace;
  return pupil.Speak(missed.join(QLatin1Char(' ')), slowly);
}

QString problemLine(listening::ReadingProblem problem) {
  switch (problem) {
    case listening::ReadingProblem::NoMicrophone:
      return QStringLiteral("I can't hear you: no microphone found.");
    case listening::ReadingProblem::MicrophoneUnavailable:
      return QStringLiteral("I can't hear you: the microphone is not available.");
    case listening::ReadingProblem::NothingHeard:
      return QStringLiteral("I didn't hear anything. Try again!");
    case listening::ReadingProblem::ScoringFailed:
      break;
  }
  return QStringLiteral("I can't listen right now.");
}

character::Request answerReadingProblem(stage::Cast& cast, listening::ReadingProblem problem) {
  if (problem == listening::ReadingProblem::ScoringFailed) {
    qCWarning(lcPractice, "the reading could not be scored");
  }
  return cast[stage::Role::Host].Speak(problemLine(problem));
}

}  // namespace practice
