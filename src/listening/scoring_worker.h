// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "listener.h"
#include "voice_readings.h"
#include "wav_file.h"

namespace listening {

class Scorer;

// A reading's say in its scoring: set when the reading is gone, so the scoring is skipped if it
// has not begun and its result dropped if it has.
using Cancellation = std::shared_ptr<std::atomic_bool>;

// Scores readings one after another on a thread of its own. The scorer is made there when a
// reading begins (it loads the recogniser, about a second, while the learner reads) and kept for
// the next readings; after `idleRelease` without one it is let go, and its memory handed back to
// the system. Results come back through the event loop of the thread that made the worker.
// Readings whose every word was heard are kept in `voice` and, as they come, the recogniser is
// fitted to the learner's voice on the worker (fitVoice(): a few seconds, every
// VoiceReadings::kReadingsPerFit readings).
class ScoringWorker {
 public:
  // The words, or nothing when the recogniser could not be loaded or run.
  using Done = std::function<void(std::optional<std::vector<WordScore>> words)>;

  static constexpr std::chrono::milliseconds kIdleRelease{30'000};

  explicit ScoringWorker(std::chrono::milliseconds idleRelease = kIdleRelease,
                         QString voiceFolder = VoiceReadings::learnerFolder());
  // Waits for the scoring in progress, if any.
  ~ScoringWorker();
  ScoringWorker(const ScoringWorker&) = delete;
  ScoringWorker& operator=(const ScoringWorker&) = delete;

  // `sound` is brought to the recogniser's rate on the worker too. `done` runs on the worker's
  // creating thread unless `cancelled` was set by then.
  void score(PcmSound sound, const QString& sentence, Cancellation cancelled, Done done);

  // A reading has begun: the scorer is made now, unless it is there.
  void prepare();

  // Whether the scorer is made; asked on the worker, after what was queued before.
  bool scorerMade();

 private:
  bool makeScorer();
  std::optional<std::vector<WordScore>> scoreOnWorker(const PcmSound& sound,
                                                      const QString& sentence);
  void releaseWhenIdle();
  void learnVoice(std::span<const std::int16_t> samples, const QString& sentence);

  std::unique_ptr<Scorer> scorer_;  // made and used on the worker thread only
  VoiceReadings voice_;             // on the worker thread only
  bool fitFailed_ = false;          // not tried again before the program starts again
  QObject caller_;                  // the creating thread's event loop
  QTimer idle_;                     // on the creating thread
  QThreadPool pool_;                // one thread
};

}  // namespace listening
