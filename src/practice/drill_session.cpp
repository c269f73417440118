// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill_session.h"

#include "base/guarded_run.h"
#include "practice_log.h"
#include "stage/performance.h"

namespace practice {
namespace {

using stage::Role;

// The sentences of a lesson as its reading gives them: the girl has the odd lines.
std::vector<stage::SpokenSentence> lessonSentences(const std::vector<lesson::LessonLine>& lines) {
  std::vector<stage::SpokenSentence> sentences;
  for (std::size_t at = 0; at < lines.size(); ++at) {
    if (lines[at].sentence.trimmed().isEmpty()) continue;
    const Role speaker = stage::isGirlsTurn(std::int32_t(at + 1)) ? Role::Girl : Role::Boy;
    sentences.push_back({speaker, lines[at].sentence, lines[at].translation, true});
  }
  return sentences;
}

QString position(std::size_t index, std::size_t count) {
  return QStringLiteral("%1/%2 ").arg(index + 1).arg(count);
}

}  // namespace

QString drillSummaryLine(std::size_t saidWhole, std::size_t count) {
  return QStringLiteral("You said %1 of %2 sentence%3.")
      .arg(saidWhole)
      .arg(count)
      .arg(count == 1 ? "" : "s");
}

QString drillSummaryThought(std::size_t saidWhole, std::size_t count) {
  return QStringLiteral("%1句里你说对了%2句。").arg(count).arg(saidWhole);
}

std::size_t drillStart(const std::vector<stage::SpokenSentence>& sentences,
                       const std::optional<stage::SpokenSentence>& inPlay) {
  if (!inPlay || !inPlay->lessonLine) return 0;
  for (std::size_t at = 0; at + 1 < sentences.size(); ++at) {
    if (sentences[at].text == inPlay->text) return at;
  }
  return 0;
}

DrillSession::DrillSession(stage::Cast& cast, SentenceRun& run) : cast_(cast), run_(run) {}

void DrillSession::start(const std::vector<lesson::LessonLine>& lines,
                         const std::optional<stage::SpokenSentence>& inPlay,
                         const QString& sentence) {
  run_.cancel();
  std::vector<stage::SpokenSentence> sentences = lessonSentences(lines);
  std::size_t first = 0;
  if (!sentences.empty()) {
    first = drillStart(sentences, inPlay);
  } else if (!sentence.trimmed().isEmpty()) {
    sentences.push_back({Role::Girl, sentence});
  } else {
    cast_[Role::Host].Speak(QStringLiteral("Open a lesson or type a sentence first."));
    return;
  }
  qCInfo(lcPractice) << "drilling" << sentences.size() << "sentences from" << first + 1;
  run_.start(std::move(sentences), first, {}, position,
             [this](std::size_t saidWhole, std::size_t count) { sayHowItWent(saidWhole, count); });
}

void DrillSession::sayHowItWent(std::size_t saidWhole, std::size_t count) {
  base::runGuarded(
      [&] {
        character::Character& host = cast_[Role::Host];
        host.Speak(drillSummaryLine(saidWhole, count));
        host.Think(stage::thoughtText(drillSummaryThought(saidWhole, count)));
      },
      [](const QString& message) { qCWarning(lcPractice).noquote() << message; });
}

}  // namespace practice
