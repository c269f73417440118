// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "listener.h"
#include "wav_file.h"

namespace listening {

class Scorer;

// A reading's say in its scoring: set when the reading is gone, so the scoring is skipped if it
// has not begun and its result dropped if it has.
using Cancellation = std::shared_ptr<std::atomic_bool>;

// Scores readings one after another on a thread of its own. The scorer is made there for the
// first reading (it loads the recogniser, about a second) and kept for the next ones. Results
// come back through the event loop of the thread that made the worker.
class ScoringWorker {
 public:
  // The words, or nothing when the recogniser could not be loaded or run.
  using Done = std::function<void(std::optional<std::vector<WordScore>> words)>;

  ScoringWorker();
  // Waits for the scoring in progress, if any.
  ~ScoringWorker();
  ScoringWorker(const ScoringWorker&) = delete;
  ScoringWorker& operator=(const ScoringWorker&) = delete;

  // `sound` is brought to the recogniser's rate on the worker too. `done` runs on the worker's
  // creating thread unless `cancelled` was set by then.
  void score(PcmSound sound, const QString& sentence, Cancellation cancelled, Done done);

 private:
  std::optional<std::vector<WordScore>> scoreOnWorker(const PcmSound& sound,
                                                      const QString& sentence);

  std::unique_ptr<Scorer> scorer_;  // made and used on the worker thread only
  QObject caller_;                  // the creating thread's event loop
  QThreadPool pool_;                // one thread
};

}  // namespace listening
