// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "progress/progress_export.h"
#include "progress/progress_keeper.h"
#include "progress/progress_report.h"

namespace {

using namespace std::chrono_literals;
using progress::Clock;
using progress::fsrs::Rating;

const Clock::time_point kMonday = Clock::from_time_t(1796000000);

progress::ReadingRecord reading(const QString& english, const QStringList& missed, int words) {
  progress::ReadingRecord made;
  made.lessonPath = QStringLiteral("/lessons/unit1.txt");
  made.lessonTitle = QStringLiteral("unit1");
  made.english = english;
  made.chinese = QStringLiteral("你好，汤姆！");
  made.words = words;
  made.heard = words - int(missed.size());
  made.missed = missed;
  return made;
}

progress::Seconds seconds(Clock::time_point time) {
  return std::chrono::floor<std::chrono::seconds>(time);
}

struct KeeperTest : ::testing::Test {
  QTemporaryDir folder;
  QString file = folder.filePath(QStringLiteral("chengmu/progress.db"));
  QStringList told;
  progress::ProgressKeeper keeper{file, [this](const QString& message) { told << message; }};
};

// A miss is Again and due in ten minutes; the second try heard whole is Hard, rated from where
// the sentence stood before the miss; the same words written otherwise are the same sentence.
TEST_F(KeeperTest, RatesAMissThenASecondTryAndKeepsEveryReading) {
  EXPECT_EQ(
      keeper.keep(reading(QStringLiteral("Hello, Tom!"), {QStringLiteral("Tom!")}, 2), kMonday),
      Rating::Again);
  ASSERT_EQ(keeper.dueSentences(kMonday + 9min).size(), 0u);
  ASSERT_EQ(keeper.dueSentences(kMonday + 10min).size(), 1u);
  EXPECT_EQ(keeper.keep(reading(QStringLiteral("hello tom"), {}, 2), kMonday + 1min), Rating::Hard);
  EXPECT_EQ(keeper.keep(reading(QStringLiteral("Hello Tom."), {}, 2), kMonday + 2min),
            Rating::Good);

  const progress::Store& store = *keeper.store();
  const auto due = store.nextDue(seconds(kMonday + 2min));
  ASSERT_TRUE(due);
  EXPECT_GE(*due - seconds(kMonday), std::chrono::hours(24));
  const progress::Summary summary = progress::summarize(store, seconds(kMonday + 3min),
                                                        seconds(kMonday + 24h), QDate(2026, 12, 1));
  EXPECT_EQ(summary.readings, 3);
  EXPECT_EQ(summary.sentences, 1);
  EXPECT_EQ(summary.dueNow, 0);
  const std::vector<progress::MissedWord> missed = progress::mostMissedWords(store, 20);
  ASSERT_EQ(missed.size(), 1u);
  EXPECT_EQ(missed[0].word, QStringLiteral("tom"));
  EXPECT_EQ(missed[0].lastSentence, QStringLiteral("Hello, Tom!"));
  EXPECT_TRUE(told.isEmpty());
}

// One row a reading, quoted where a field holds a comma, the time in UTC.
TEST_F(KeeperTest, ExportsEveryReadingAsCsv) {
  keeper.keep(reading(QStringLiteral("Hello, Tom!"), {QStringLiteral("Tom!")}, 2), kMonday);
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  progress::writeReadingsCsv(*keeper.store(), out);
  EXPECT_EQ(out.data().toStdString(),
            std::string("time,lesson,english,chinese,heard,words,missed,rating\r\n"
                        "2026-11-30T00:53:20Z,/lessons/unit1.txt,\"Hello, Tom!\","
                        "你好，汤姆！,1,2,Tom!,Again\r\n"));
}

// A damaged store is moved aside and a new one begun, told once; a store of a newer program
// is left as it is and practice goes on unkept.
TEST_F(KeeperTest, SetsADamagedStoreAsideAndLeavesANewerOneAlone) {
  QDir().mkpath(folder.filePath(QStringLiteral("chengmu")));
  QFile damaged(file);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray(8192, 'x'));
  damaged.close();
  keeper.keep(reading(QStringLiteral("Good morning"), {}, 2), kMonday);
  keeper.keep(reading(QStringLiteral("Good night"), {}, 2), kMonday + 1min);
  EXPECT_EQ(told, QStringList{QString::fromUtf8(progress::ProgressKeeper::kDamagedMessage)});
  const QStringList aside =
      QDir(folder.filePath(QStringLiteral("chengmu"))).entryList({"progress.db.broken-*"});
  ASSERT_EQ(aside.size(), 1);
  EXPECT_EQ(QFileInfo(folder.filePath("chengmu/" + aside[0])).size(), 8192);
  EXPECT_EQ(progress::summarize(*keeper.store(), {}, {}, {}).readings, 2);

  sqlite3* db = keeper.store()->database();
  ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr), SQLITE_OK);
  QStringList toldLater;
  progress::ProgressKeeper later(file, [&](const QString& message) { toldLater << message; });
  EXPECT_EQ(later.keep(reading(QStringLiteral("Good night"), {}, 2), kMonday), Rating::Good);
  EXPECT_EQ(toldLater, QStringList{QString::fromUtf8(progress::ProgressKeeper::kNotKeptMessage)});
  EXPECT_TRUE(
      QDir(folder.filePath(QStringLiteral("chengmu"))).entryList({"progress.db.broken-*"}).size() ==
      1);
}

// A folder that refuses the store: practice goes on, told once, nothing written.
TEST_F(KeeperTest, GoesOnUnkeptWhereTheFolderCannotBeWritten) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(keeper.keep(reading(QStringLiteral("Good night"), {}, 2), kMonday), Rating::Good);
  EXPECT_EQ(keeper.keep(reading(QStringLiteral("Good night"), {}, 2), kMonday), Rating::Good);
  EXPECT_EQ(told, QStringList{QString::fromUtf8(progress::ProgressKeeper::kNotKeptMessage)});
  EXPECT_TRUE(keeper.dueSentences(kMonday).empty());
  QFile::setPermissions(folder.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace
