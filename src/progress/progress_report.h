// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

#include "progress_store.h"

namespace progress {

// The figures `chengmu --progress` prints.
struct Summary {
  qint64 readings = 0;
  qint64 sentences = 0;
  qint64 dueNow = 0;
  qint64 dueToday = 0;  // due before local midnight, those due now included
  int streak = 0;
};

// One local day of practice.
struct DayFigures {
  QDate day;
  int readings = 0;
  int heard = 0;  // words heard, of
  int words = 0;
};

// What the learner did with one lesson.
struct LessonFigures {
  QString path;
  QString title;
  int practised = 0;     // sentences read at least once
  int sentences = 0;     // in the lesson, 0 when not known
  double meanScore = 0;  // the share of words heard, over its readings
  int due = 0;
};

// A word the learner misses, how often, and the sentence it was last missed in.
struct MissedWord {
  QString word;
  int times = 0;
  QString lastSentence;
};

Summary summarize(const Store& store, Seconds now, Seconds localMidnight, QDate today);
// The summary as of now, on the local clock.
Summary summarizeNow(const Store& store);
// Days practised in a row, up to today, or up to yesterday when today has no reading yet.
int streak(const Store& store, QDate today);
// The `days` local days up to `today`, oldest first, each there even without readings.
std::vector<DayFigures> lastDays(const Store& store, QDate today, int days);
// The lessons read, by title.
std::vector<LessonFigures> lessonFigures(const Store& store, Seconds now);
// The `count` words missed most in the sentence known by `key`, most often first.
QStringList wordsMissedMost(const Store& store, const QString& key, int count);
// The `count` words missed most, most often first.
std::vector<MissedWord> mostMissedWords(const Store& store, int count);

}  // namespace progress
