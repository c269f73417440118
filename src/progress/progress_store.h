// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "fsrs.h"

struct sqlite3;

namespace progress {

using Clock = std::chrono::system_clock;
using Seconds = std::chrono::sys_seconds;

// One scored reading of a sentence, as it is kept.
struct ReadingRecord {
  std::chrono::sys_time<std::chrono::milliseconds> time;
  QString lessonPath;       // "" for a typed sentence
  QString lessonTitle;      // "" for a typed sentence
  int lessonSentences = 0;  // the sentences of the lesson, 0 when not known
  QString english;
  QString chinese;
  int heard = 0;
  int words = 0;
  QStringList missed;
  double pace = 1.0;
  fsrs::Rating rating = fsrs::Rating::Good;
};

// A sentence the learner has read, with its review card.
struct SentenceCard {
  QString english;  // as read last
  QString chinese;  // as read last
  fsrs::Card card;
};

// The learner's progress in an SQLite file: every reading kept, and the review card of every
// sentence read, a sentence known by sentenceKey(). Each reading is committed in a transaction
// of its own before record() returns, in a write-ahead log synced to the disk, so a program
// killed right after loses nothing recorded.
class Store {
 public:
  // The schema this program writes: PRAGMA user_version.
  static constexpr int kSchemaVersion = 1;

  // Opens the store in `path`, creating it and bringing an older schema up to date. Throws
  // DatabaseError: corrupt() for a file that is no database or a damaged one, unwritable() for
  // a folder or disk that refuses it, and a plain one (SQLITE_CANTOPEN never) for a store
  // written by a newer program, which is left untouched.
  explicit Store(const QString& path);
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  // The card of the sentence known by `key`, if it was ever read.
  std::optional<SentenceCard> card(const QString& key) const;
  // Keeps `reading` of the sentence known by `key` and its card after it, in one transaction.
  void record(const ReadingRecord& reading, const QString& key, const fsrs::Card& card);

  // The sentences due at `now`, the longest overdue first.
  std::vector<SentenceCard> dueSentences(Seconds now) const;
  // When the next sentence falls due after `now`, if any is scheduled.
  std::optional<Seconds> nextDue(Seconds now) const;

  sqlite3* database() const { return db_; }

 private:
  void checkIntact() const;
  int schemaVersion() const;
  void migrate(int from);
  qint64 lessonId(const ReadingRecord& reading);
  qint64 keepCard(const ReadingRecord& reading, const QString& key, const fsrs::Card& card);
  void keepReading(const ReadingRecord& reading, qint64 lesson, qint64 sentence);

  sqlite3* db_ = nullptr;
};

// A store written by a newer program than this one.
bool isNewerSchemaError(const std::exception& error);

}  // namespace progress
