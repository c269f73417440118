// SPDX-License-Identifier: GPL-3.0-or-later
// The progress store's figures, printed: the commit of one reading (median and 99th
// percentile over 500, each synced to the disk), picking the sentences due among 5,000 cards,
// opening the progress window over 100,000 readings of 5,000 sentences, and the size of the
// database per reading. Runs in a temporary folder; see docs/progress.md.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "progress/progress_keeper.h"
#include "progress/progress_window.h"
#include "progress/sqlite_statement.h"

namespace {

using namespace std::chrono_literals;
using progress::Clock;

constexpr int kCommits = 500;
constexpr int kSentences = 5000;
constexpr int kReadings = 100000;

progress::ReadingRecord reading(int sentence) {
  progress::ReadingRecord made;
  made.lessonPath = QStringLiteral("/lessons/unit%1.txt").arg(sentence % 20);
  made.lessonTitle = QStringLiteral("unit%1").arg(sentence % 20);
  made.lessonSentences = kSentences / 20;
  made.english = QStringLiteral("Sentence number %1 has a few more words in it.").arg(sentence);
  made.chinese = QStringLiteral("第%1句有几个词。").arg(sentence);
  made.words = 10;
  made.heard = sentence % 3 == 0 ? 9 : 10;
  if (made.heard < made.words)
    made.missed = QStringList{QStringLiteral("words%1").arg(sentence % 50)};
  return made;
}

double percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, std::size_t(share * values.size()))];
}

void measureCommits(const QString& file) {
  progress::ProgressKeeper keeper(file, {});
  std::vector<double> milliseconds;
  for (int at = 0; at < kCommits; ++at) {
    QElapsedTimer timer;
    timer.start();
    keeper.keep(reading(at), Clock::now());
    milliseconds.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::printf("commit of one reading: median %.2f ms, p99 %.2f ms (%d commits)\n",
              percentile(milliseconds, 0.5), percentile(milliseconds, 0.99), kCommits);
}

// Readings spread over 60 days, written through the keeper's own store, unsynced.
void fillStore(const QString& file) {
  progress::ProgressKeeper keeper(file, {});
  sqlite3* db = keeper.store()->database();
  progress::execute(db, "PRAGMA synchronous=OFF");
  const auto start = Clock::now() - 60 * 24h;
  for (int at = 0; at < kReadings; ++at) {
    const int sentence = at % kSentences;
    progress::ReadingRecord made = reading(sentence);
    const auto time = start + (60 * 24h) * at / kReadings;
    made.time = std::chrono::floor<std::chrono::milliseconds>(time);
    made.rating =
        made.missed.isEmpty() ? progress::fsrs::Rating::Good : progress::fsrs::Rating::Again;
    progress::fsrs::Card card =
        progress::fsrs::newCard(std::chrono::floor<std::chrono::seconds>(time));
    card = progress::fsrs::review(card, made.rating, card.due, progress::fsrs::programSettings());
    keeper.store()->record(made, QStringLiteral("sentence %1").arg(sentence), card);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/progress-bench-XXXXXX"));
  measureCommits(folder.filePath(QStringLiteral("commits.db")));

  const QString file = folder.filePath(QStringLiteral("big.db"));
  fillStore(file);
  progress::ProgressKeeper keeper(file, {});
  QElapsedTimer timer;
  timer.start();
  keeper.store();
  std::printf("opening the store of %d readings (with its integrity check): %.1f ms\n", kReadings,
              timer.nsecsElapsed() / 1e6);
  timer.restart();
  const auto due = keeper.dueSentences(Clock::now());
  std::printf("sentences due among %d cards: %zu in %.2f ms\n", kSentences, due.size(),
              timer.nsecsElapsed() / 1e6);
  timer.restart();
  progress::ProgressWindow window(keeper);
  window.showUpToDate();
  QApplication::processEvents();
  std::printf("progress window over %d readings: %.1f ms\n", kReadings, timer.nsecsElapsed() / 1e6);
  progress::execute(keeper.store()->database(), "PRAGMA wal_checkpoint(TRUNCATE)");
  std::printf("database: %.0f bytes a reading (%lld bytes for %d readings)\n",
              double(QFileInfo(file).size()) / kReadings, QFileInfo(file).size(), kReadings);
  return 0;
}
