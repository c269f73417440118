// SPDX-License-Identifier: GPL-3.0-or-later
#include "review_session.h"

#include <QDateTime>
#include <array>

#include "base/guarded_run.h"
#include "practice_log.h"
#include "stage/performance.h"

namespace practice {
namespace {

using stage::Role;

constexpr std::array<const char*, 21> kNumberWords = {
    "No",       "One",     "Two",     "Three",     "Four",     "Five",     "Six",
    "Seven",    "Eight",   "Nine",    "Ten",       "Eleven",   "Twelve",   "Thirteen",
    "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen", "Twenty"};

QString countWord(std::size_t count) {
  return count < kNumberWords.size() ? QString::fromLatin1(kNumberWords[count])
                                     : QString::number(count);
}

QString plural(qint64 count, const char* unit) {
  return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(unit)).arg(count == 1 ? "" : "s");
}

QDate localDay(progress::Seconds time) {
  return QDateTime::fromSecsSinceEpoch(time.time_since_epoch().count()).date();
}

}  // namespace

QString dueCountLine(std::size_t due) {
  return QStringLiteral("%1 sentence%2 to review.").arg(countWord(due)).arg(due == 1 ? "" : "s");
}

QString nextDueWords(progress::Seconds next, progress::Seconds now) {
  const qint64 days = localDay(now).daysTo(localDay(next));
  if (days == 1) return QStringLiteral("tomorrow");
  if (days > 1) return QStringLiteral("in ") + plural(days, "day");
  const auto minutes = std::chrono::ceil<std::chrono::minutes>(next - now).count();
  if (minutes < 60) return QStringLiteral("in ") + plural(std::max<qint64>(minutes, 1), "minute");
  return QStringLiteral("in ") + plural((minutes + 30) / 60, "hour");
}

QString nothingDueLine(const std::optional<progress::Seconds>& next, progress::Seconds now) {
  const QString nothing = QStringLiteral("Nothing to review now.");
  if (!next) return nothing;
  return nothing + QStringLiteral(" Next: ") + nextDueWords(*next, now) + QLatin1Char('.');
}

ReviewSession::ReviewSession(stage::Cast& cast, SentenceRun& run, DueSource dueSentences,
                             NextDue nextDue)
    : cast_(cast),
      run_(run),
      dueSentences_(std::move(dueSentences)),
      nextDue_(std::move(nextDue)) {}

void ReviewSession::start() {
  run_.cancel();
  const std::vector<progress::SentenceCard> due = dueSentences_();
  character::Character& host = cast_[Role::Host];
  if (due.empty()) {
    host.Speak(nothingDueLine(nextDue_(),
                              std::chrono::floor<std::chrono::seconds>(progress::Clock::now())));
    return;
  }
  qCInfo(lcPractice) << "reviewing" << due.size() << "sentences";
  std::vector<stage::SpokenSentence> sentences;
  for (std::size_t at = 0; at < due.size(); ++at) {
    sentences.push_back({at % 2 == 0 ? Role::Girl : Role::Boy, due[at].english, due[at].chinese});
  }
  stage::Cast* cast = &cast_;
  run_.start(std::move(sentences), 0, host.Speak(dueCountLine(due.size())), {},
             [cast](std::size_t, std::size_t) {
               base::runGuarded(
                   [cast] { (*cast)[Role::Host].Speak(QStringLiteral("That's all for now.")); },
                   [](const QString& message) { qCWarning(lcPractice).noquote() << message; });
             });
}

}  // namespace practice
