// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_report.h"

#include <QDateTime>

#include "sqlite_statement.h"

namespace progress {
namespace {

constexpr char kLocalDay[] = "date(time / 1000, 'unixepoch', 'localtime')";

qint64 count(const Store& store, const char* sql, std::optional<Seconds> time = std::nullopt) {
  Statement query(store.database(), sql);
  if (time) query.bind(1, qint64(time->time_since_epoch().count()));
  query.next();
  return query.integer(0);
}

QDate isoDate(const QString& text) {
  return QDate::fromString(text, Qt::ISODate);
}

}  // namespace

Summary summarize(const Store& store, Seconds now, Seconds localMidnight, QDate today) {
  Summary summary;
  summary.readings = count(store, "SELECT COUNT(*) FROM readings");
  summary.sentences = count(store, "SELECT COUNT(*) FROM sentences");
  summary.dueNow = count(store, "SELECT COUNT(*) FROM sentences WHERE due <= ?1", now);
  summary.dueToday = count(store, "SELECT COUNT(*) FROM sentences WHERE due < ?1", localMidnight);
  summary.streak = streak(store, today);
  return summary;
}

Summary summarizeNow(const Store& store) {
  const QDate today = QDate::currentDate();
  const QDateTime midnight(today.addDays(1), QTime(0, 0));
  return summarize(store, std::chrono::floor<std::chrono::seconds>(Clock::now()),
                   Seconds(std::chrono::seconds(midnight.toSecsSinceEpoch())), today);
}

int streak(const Store& store, QDate today) {
  Statement days(store.database(), QByteArray("SELECT DISTINCT ")
                                       .append(kLocalDay)
                                       .append(" AS day FROM readings ORDER BY day DESC")
                                       .constData());
  int run = 0;
  QDate expected = today;
  while (days.next()) {
    const QDate day = isoDate(days.text(0));
    if (run == 0 && day == today.addDays(-1)) expected = day;
    if (day > expected) continue;
    if (day != expected) break;
    ++run;
    expected = expected.addDays(-1);
  }
  return run;
}

std::vector<DayFigures> lastDays(const Store& store, QDate today, int days) {
  const QDate first = today.addDays(1 - days);
  std::vector<DayFigures> figures;
  for (QDate day = first; day <= today; day = day.addDays(1)) figures.push_back({day, 0, 0, 0});
  // Readings in the window, with a day of margin for time zones; their local day decides.
  const qint64 since = QDateTime(first.addDays(-1), QTime(0, 0)).toMSecsSinceEpoch();
  Statement query(store.database(), QByteArray("SELECT ")
                                        .append(kLocalDay)
                                        .append(", COUNT(*), SUM(heard), SUM(words) FROM readings "
                                                "WHERE time >= ?1 GROUP BY 1")
                                        .constData());
  query.bind(1, since);
  while (query.next()) {
    const qint64 at = first.daysTo(isoDate(query.text(0)));
    if (at < 0 || at >= days) continue;
    figures[at] = {figures[at].day, int(query.integer(1)), int(query.integer(2)),
                   int(query.integer(3))};
  }
  return figures;
}

std::vector<LessonFigures> lessonFigures(const Store& store, Seconds now) {
  // The mean score scans the readings in their order: through the lesson index, each row
  // would be a page of its own.
  Statement query(store.database(),
                  "WITH practised AS (SELECT DISTINCT lesson_id, sentence_id FROM readings "
                  "WHERE lesson_id IS NOT NULL), "
                  "scores AS (SELECT lesson_id, AVG(CAST(heard AS REAL) / MAX(words, 1)) AS mean "
                  "FROM readings NOT INDEXED WHERE lesson_id IS NOT NULL GROUP BY lesson_id) "
                  "SELECT l.path, l.title, COUNT(*), l.sentences, sc.mean, SUM(s.due <= ?1) "
                  "FROM lessons l JOIN practised p ON p.lesson_id = l.id "
                  "JOIN sentences s ON s.id = p.sentence_id JOIN scores sc ON sc.lesson_id = l.id "
                  "GROUP BY l.id ORDER BY l.title, l.path");
  query.bind(1, qint64(now.time_since_epoch().count()));
  std::vector<LessonFigures> figures;
  while (query.next()) {
    figures.push_back({query.text(0), query.text(1), int(query.integer(2)), int(query.integer(3)),
                       query.real(4), int(query.integer(5))});
  }
  return figures;
}

QStringList wordsMissedMost(const Store& store, const QString& key, int count) {
  Statement query(store.database(),
                  "SELECT m.word FROM missed_words m JOIN readings r ON r.id = m.reading_id "
                  "JOIN sentences s ON s.id = r.sentence_id WHERE s.key = ?1 "
                  "GROUP BY m.word ORDER BY COUNT(*) DESC, m.word LIMIT ?2");
  query.bind(1, key).bind(2, qint64(count));
  QStringList words;
  while (query.next()) words << query.text(0);
  return words;
}

std::vector<MissedWord> mostMissedWords(const Store& store, int count) {
  Statement query(store.database(),
                  "SELECT w.word, w.times, r.english FROM (SELECT word, COUNT(*) AS times, "
                  "MAX(reading_id) AS last FROM missed_words GROUP BY word "
                  "ORDER BY times DESC, word LIMIT ?1) w JOIN readings r ON r.id = w.last "
                  "ORDER BY w.times DESC, w.word");
  query.bind(1, qint64(count));
  std::vector<MissedWord> words;
  while (query.next()) words.push_back({query.text(0), int(query.integer(1)), query.text(2)});
  return words;
}

}  // namespace progress
