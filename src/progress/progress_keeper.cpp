// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_keeper.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "progress_log.h"
#include "sentence_key.h"
#include "sqlite_statement.h"

namespace progress {
namespace {

// A miss and the try after it belong together while they are this close.
constexpr auto kSecondTryWithin = std::chrono::minutes(10);

Seconds wholeSeconds(Clock::time_point time) {
  return std::chrono::floor<std::chrono::seconds>(time);
}

// `file` renamed to a name beside it that is free: "<file>.broken-<date>", with "-2", "-3" ...
// after it when that is taken. SQLite's own files of it go along, so the pair stays readable.
void renameBeside(const QString& file, const QString& stamp) {
  QString aside = file + QStringLiteral(".broken-") + stamp;
  for (int count = 2; QFileInfo::exists(aside); ++count) {
    aside = file + QStringLiteral(".broken-%1-%2").arg(stamp).arg(count);
  }
  for (const char* suffix : {"-wal", "-shm"}) {
    if (QFileInfo::exists(file + QLatin1String(suffix))) {
      QFile::rename(file + QLatin1String(suffix), aside + QLatin1String(suffix));
    }
  }
  if (!QFile::rename(file, aside)) {
    throw DatabaseError(0, QStringLiteral("cannot move %1 aside").arg(file));
  }
  qCWarning(lcProgress).noquote() << "damaged progress store moved to" << aside;
}

}  // namespace

QString progressFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/chengmu");
}

QString progressFile() {
  return progressFolder() + QStringLiteral("/progress.db");
}

ProgressKeeper::ProgressKeeper(QString file, Tell tell)
    : file_(std::move(file)), tell_(std::move(tell)) {}

ProgressKeeper::~ProgressKeeper() = default;

std::optional<fsrs::Rating> ProgressKeeper::keep(ReadingRecord reading, Clock::time_point now) {
  const QString key = sentenceKey(reading.english);
  if (key.isEmpty() || reading.words == 0) return std::nullopt;
  const bool missed = !reading.missed.isEmpty();
  const bool retry = secondTry(key, now);
  reading.time = std::chrono::floor<std::chrono::milliseconds>(now);
  reading.rating = missed ? fsrs::Rating::Again : retry ? fsrs::Rating::Hard : fsrs::Rating::Good;
  const fsrs::Card before = retry ? attempt_->before : cardBefore(key, now);
  attempt_ = Attempt{key, before, missed, now};
  if (store()) {
    recordOrRecover(
        reading, key,
        fsrs::review(before, reading.rating, wholeSeconds(now), fsrs::programSettings()));
  }
  return reading.rating;
}

bool ProgressKeeper::secondTry(const QString& key, Clock::time_point now) const {
  return attempt_ && attempt_->missed && attempt_->key == key &&
         now - attempt_->at < kSecondTryWithin;
}

// The sentence's card as the store has it, or a new card due now.
fsrs::Card ProgressKeeper::cardBefore(const QString& key, Clock::time_point now) {
  if (Store* kept = store()) {
    try {
      if (const std::optional<SentenceCard> found = kept->card(key)) return found->card;
    } catch (const DatabaseError& error) {
      qCWarning(lcProgress).noquote() << error.what();
    }
  }
  return fsrs::newCard(wholeSeconds(now));
}

Store* ProgressKeeper::store() {
  if (!store_) open();
  return store_.get();
}

std::vector<SentenceCard> ProgressKeeper::dueSentences(Clock::time_point now) {
  try {
    if (Store* kept = store()) return kept->dueSentences(wholeSeconds(now));
  } catch (const DatabaseError& error) {
    qCWarning(lcProgress).noquote() << error.what();
  }
  return {};
}

std::optional<Seconds> ProgressKeeper::nextDue(Clock::time_point now) {
  try {
    if (Store* kept = store()) return kept->nextDue(wholeSeconds(now));
  } catch (const DatabaseError& error) {
    qCWarning(lcProgress).noquote() << error.what();
  }
  return std::nullopt;
}

void ProgressKeeper::open() {
  try {
    if (!QDir().mkpath(QFileInfo(file_).absolutePath())) {
      throw DatabaseError(0, QStringLiteral("cannot make the folder of %1").arg(file_));
    }
    try {
      store_ = std::make_unique<Store>(file_);
    } catch (const DatabaseError& error) {
      if (!error.corrupt()) throw;
      qCWarning(lcProgress).noquote() << error.what();
      moveDamagedStoreAside();
      store_ = std::make_unique<Store>(file_);
    }
  } catch (const DatabaseError& error) {
    qCWarning(lcProgress).noquote() << error.what();
    tellOnce(toldNotKept_, kNotKeptMessage);
  }
}

// A store found damaged while in use is set aside as one found damaged on opening, and the
// reading goes to the new one.
void ProgressKeeper::recordOrRecover(const ReadingRecord& reading, const QString& key,
                                     const fsrs::Card& card, bool mayRecover) {
  try {
    store_->record(reading, key, card);
  } catch (const DatabaseError& error) {
    qCWarning(lcProgress).noquote() << error.what();
    if (!error.corrupt() || !mayRecover) return tellOnce(toldNotKept_, kNotKeptMessage);
    store_.reset();
    try {
      moveDamagedStoreAside();
    } catch (const DatabaseError& moveError) {
      qCWarning(lcProgress).noquote() << moveError.what();
      return tellOnce(toldNotKept_, kNotKeptMessage);
    }
    if (store()) recordOrRecover(reading, key, card, false);
  }
}

void ProgressKeeper::moveDamagedStoreAside() {
  renameBeside(file_, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss")));
  tellOnce(toldDamaged_, kDamagedMessage);
}

void ProgressKeeper::tellOnce(bool& told, const char* message) {
  if (std::exchange(told, true)) return;
  if (tell_) tell_(QString::fromUtf8(message));
}

}  // namespace progress
