// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "progress_store.h"

namespace progress {

// The folder of the learner's progress: $XDG_DATA_HOME/chengmu (~/.local/share/chengmu).
QString progressFolder();
// The store's file in that folder.
QString progressFile();

// Keeps the learner's scored readings and rates each sentence for review. The store is opened
// on first use. Practice never stops for it: a damaged store is moved aside
// ("progress.db.broken-<date>") and a new one begun; a folder or disk that refuses the store
// leaves the readings unkept. Either is told to the learner once a run.
class ProgressKeeper {
 public:
  // What the learner is told, in the host's words.
  using Tell = std::function<void(const QString& message)>;
  static constexpr char kDamagedMessage[] =
      "Your progress file was damaged. I put it aside and started a new one.";
  static constexpr char kNotKeptMessage[] =
      "I cannot keep your progress now: the disk is full or read-only.";

  ProgressKeeper(QString file, Tell tell);
  ~ProgressKeeper();

  // Rates `reading` and keeps it, committed before this returns; its time and rating are set
  // here. All words heard: Good, or Hard when the reading before it was a miss of the same
  // sentence (a second try); a word missed: Again. A second try rates the sentence from where
  // it stood before the first. Returns the rating, or nothing when the reading has no words.
  std::optional<fsrs::Rating> keep(ReadingRecord reading, Clock::time_point now = Clock::now());

  // The store, opened now if need be; nullptr when it cannot be kept.
  Store* store();
  // The sentences due at `now`, the longest overdue first; none when the store cannot be read.
  std::vector<SentenceCard> dueSentences(Clock::time_point now = Clock::now());
  // When the next sentence falls due after `now`, if any.
  std::optional<Seconds> nextDue(Clock::time_point now = Clock::now());

 private:
  struct Attempt {
    QString key;
    fsrs::Card before;
    bool missed = false;
    Clock::time_point at;
  };

  bool secondTry(const QString& key, Clock::time_point now) const;
  fsrs::Card cardBefore(const QString& key, Clock::time_point now);
  void open();
  void recordOrRecover(const ReadingRecord& reading, const QString& key, const fsrs::Card& card,
                       bool mayRecover = true);
  void moveDamagedStoreAside();
  void tellOnce(bool& told, const char* message);

  QString file_;
  Tell tell_;
  std::unique_ptr<Store> store_;
  std::optional<Attempt> attempt_;
  bool toldDamaged_ = false;
  bool toldNotKept_ = false;
};

}  // namespace progress
