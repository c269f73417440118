// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_store.h"

#include <sqlite3.h>

#include <array>

#include "sentence_key.h"
#include "sqlite_statement.h"

namespace progress {
namespace {

// Each step brings the schema from its index to the next version.
constexpr std::array<const char*, Store::kSchemaVersion> kMigrations = {
    R"sql(
CREATE TABLE lessons(
  id INTEGER PRIMARY KEY,
  path TEXT NOT NULL UNIQUE,
  title TEXT NOT NULL,
  sentences INTEGER NOT NULL DEFAULT 0);
CREATE TABLE sentences(
  id INTEGER PRIMARY KEY,
  key TEXT NOT NULL UNIQUE,
  english TEXT NOT NULL,
  chinese TEXT NOT NULL,
  state INTEGER NOT NULL,
  step INTEGER,
  stability REAL,
  difficulty REAL,
  due INTEGER NOT NULL,
  last_review INTEGER);
CREATE INDEX sentences_due ON sentences(due);
CREATE TABLE readings(
  id INTEGER PRIMARY KEY,
  time INTEGER NOT NULL,
  lesson_id INTEGER REFERENCES lessons(id),
  sentence_id INTEGER NOT NULL REFERENCES sentences(id),
  english TEXT NOT NULL,
  chinese TEXT NOT NULL,
  heard INTEGER NOT NULL,
  words INTEGER NOT NULL,
  missed TEXT NOT NULL,
  pace REAL NOT NULL,
  rating INTEGER NOT NULL);
CREATE INDEX readings_time ON readings(time);
CREATE INDEX readings_lesson ON readings(lesson_id, sentence_id);
CREATE TABLE missed_words(
  reading_id INTEGER NOT NULL REFERENCES readings(id),
  word TEXT NOT NULL);
CREATE INDEX missed_words_word ON missed_words(word);
)sql"};

class NewerSchemaError : public DatabaseError {
 public:
  explicit NewerSchemaError(int version)
      : DatabaseError(SQLITE_ERROR,
                      QStringLiteral("the progress store has schema %1, newer than this program's")
                          .arg(version)) {}
};

constexpr const char* kCardColumns =
    "english, chinese, state, step, stability, difficulty, due, "
    "last_review";

template <typename T>
std::optional<T> optionalColumn(const Statement& row, int column, T value) {
  return row.isNull(column) ? std::nullopt : std::optional<T>(value);
}

// A row of kCardColumns, from `first` on.
SentenceCard cardFromRow(const Statement& row, int first = 0) {
  SentenceCard made{row.text(first), row.text(first + 1), {}};
  fsrs::Card& card = made.card;
  card.state = static_cast<fsrs::State>(row.integer(first + 2));
  card.step = optionalColumn(row, first + 3, int(row.integer(first + 3)));
  card.stability = optionalColumn(row, first + 4, row.real(first + 4));
  card.difficulty = optionalColumn(row, first + 5, row.real(first + 5));
  card.due = Seconds(std::chrono::seconds(row.integer(first + 6)));
  card.lastReview =
      optionalColumn(row, first + 7, Seconds(std::chrono::seconds(row.integer(first + 7))));
  return made;
}

std::optional<qint64> epochSeconds(const std::optional<Seconds>& time) {
  if (!time) return std::nullopt;
  return time->time_since_epoch().count();
}

// Rolls back unless committed.
class Transaction {
 public:
  explicit Transaction(sqlite3* db) : db_(db) { execute(db_, "BEGIN IMMEDIATE"); }
  ~Transaction() {
    if (!committed_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  void commit() {
    execute(db_, "COMMIT");
    committed_ = true;
  }

 private:
  sqlite3* db_;
  bool committed_ = false;
};

}  // namespace

bool isNewerSchemaError(const std::exception& error) {
  return dynamic_cast<const NewerSchemaError*>(&error) != nullptr;
}

Store::Store(const QString& path) {
  const int opened = sqlite3_open_v2(path.toUtf8().constData(), &db_,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  try {
    check(db_, opened, "open");
    sqlite3_busy_timeout(db_, 2000);
    checkIntact();
    const int version = schemaVersion();
    if (version > kSchemaVersion) throw NewerSchemaError(version);
    execute(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON");
    migrate(version);
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

Store::~Store() {
  sqlite3_close(db_);
}

// A damaged file shows here, before anything is written to it.
void Store::checkIntact() const {
  Statement quickCheck(db_, "PRAGMA quick_check");
  if (quickCheck.next() && quickCheck.text(0) != QLatin1String("ok")) {
    throw DatabaseError(SQLITE_CORRUPT, quickCheck.text(0));
  }
}

int Store::schemaVersion() const {
  Statement version(db_, "PRAGMA user_version");
  version.next();
  return int(version.integer(0));
}

void Store::migrate(int from) {
  for (int step = from; step < kSchemaVersion; ++step) {
    Transaction transaction(db_);
    execute(db_, kMigrations[step]);
    execute(db_,
            QByteArray("PRAGMA user_version=").append(QByteArray::number(step + 1)).constData());
    transaction.commit();
  }
}

std::optional<SentenceCard> Store::card(const QString& key) const {
  Statement query(db_, QByteArray("SELECT ")
                           .append(kCardColumns)
                           .append(" FROM sentences WHERE key = ?1")
                           .constData());
  query.bind(1, key);
  if (!query.next()) return std::nullopt;
  return cardFromRow(query);
}

void Store::record(const ReadingRecord& reading, const QString& key, const fsrs::Card& card) {
  Transaction transaction(db_);
  const qint64 lesson = lessonId(reading);
  const qint64 sentence = keepCard(reading, key, card);
  keepReading(reading, lesson, sentence);
  transaction.commit();
}

// The lesson's row, made or brought up to date; 0 for a typed sentence.
qint64 Store::lessonId(const ReadingRecord& reading) {
  if (reading.lessonPath.isEmpty()) return 0;
  Statement upsert(db_,
                   "INSERT INTO lessons(path, title, sentences) VALUES(?1, ?2, ?3) "
                   "ON CONFLICT(path) DO UPDATE SET title = ?2, "
                   "sentences = CASE WHEN ?3 > 0 THEN ?3 ELSE sentences END "
                   "RETURNING id");
  upsert.bind(1, reading.lessonPath)
      .bind(2, reading.lessonTitle)
      .bind(3, qint64(reading.lessonSentences));
  upsert.next();
  const qint64 id = upsert.integer(0);
  upsert.run();
  return id;
}

qint64 Store::keepCard(const ReadingRecord& reading, const QString& key, const fsrs::Card& card) {
  Statement upsert(db_,
                   "INSERT INTO sentences(key, english, chinese, state, step, stability, "
                   "difficulty, due, last_review) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9) "
                   "ON CONFLICT(key) DO UPDATE SET english = ?2, "
                   "chinese = CASE WHEN ?3 <> '' THEN ?3 ELSE chinese END, state = ?4, "
                   "step = ?5, stability = ?6, difficulty = ?7, due = ?8, last_review = ?9 "
                   "RETURNING id");
  upsert.bind(1, key).bind(2, reading.english).bind(3, reading.chinese);
  upsert.bind(4, qint64(card.state));
  upsert.bind(5, card.step ? std::optional<qint64>(*card.step) : std::nullopt);
  upsert.bind(6, card.stability).bind(7, card.difficulty);
  upsert.bind(8, qint64(card.due.time_since_epoch().count()));
  upsert.bind(9, epochSeconds(card.lastReview));
  upsert.next();
  const qint64 id = upsert.integer(0);
  upsert.run();
  return id;
}

void Store::keepReading(const ReadingRecord& reading, qint64 lesson, qint64 sentence) {
  Statement insert(db_,
                   "INSERT INTO readings(time, lesson_id, sentence_id, english, chinese, heard, "
                   "words, missed, pace, rating) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
  insert.bind(1, qint64(reading.time.time_since_epoch().count()));
  insert.bind(2, lesson ? std::optional<qint64>(lesson) : std::nullopt);
  insert.bind(3, sentence).bind(4, reading.english).bind(5, reading.chinese);
  insert.bind(6, qint64(reading.heard)).bind(7, qint64(reading.words));
  insert.bind(8, reading.missed.join(QLatin1Char(' '))).bind(9, reading.pace);
  insert.bind(10, qint64(reading.rating));
  insert.run();
  const qint64 readingId = sqlite3_last_insert_rowid(db_);
  Statement missed(db_, "INSERT INTO missed_words(reading_id, word) VALUES(?1, ?2)");
  for (const QString& word : reading.missed) {
    const QString key = wordKey(word);
    if (key.isEmpty()) continue;
    missed.bind(1, readingId).bind(2, key);
    missed.run();
    missed.reset();
  }
}

std::vector<SentenceCard> Store::dueSentences(Seconds now) const {
  Statement query(db_, QByteArray("SELECT ")
                           .append(kCardColumns)
                           .append(" FROM sentences WHERE due <= ?1 ORDER BY due, id")
                           .constData());
  query.bind(1, qint64(now.time_since_epoch().count()));
  std::vector<SentenceCard> due;
  while (query.next()) due.push_back(cardFromRow(query));
  return due;
}

std::optional<Seconds> Store::nextDue(Seconds now) const {
  Statement query(db_, "SELECT MIN(due) FROM sentences WHERE due > ?1");
  query.bind(1, qint64(now.time_since_epoch().count()));
  if (!query.next() || query.isNull(0)) return std::nullopt;
  return Seconds(std::chrono::seconds(query.integer(0)));
}

}  // namespace progress
