// SPDX-License-Identifier: GPL-3.0-or-later
#include "microphone_listener.h"

#include <QMetaObject>
#include <QObject>
#include <utility>

#include "microphone_recording.h"
#include "scoring_worker.h"
#include "sound_playback.h"

namespace listening {

namespace {

// One reading: the recording, then its scoring. Every callback of the caller's is called from
// the event loop through a copy, so a callback may destroy the reading; destroying it cancels
// the scoring and drops every callback still to come.
class MicrophoneReading : public Reading {
 public:
  MicrophoneReading(const QString& sentence, ReadingCallbacks callbacks,
                    std::weak_ptr<ScoringWorker> worker)
      : sentence_(sentence),
        callbacks_(std::move(callbacks)),
        worker_(std::move(worker)),
        recording_({[this](double level) { report(callbacks_.levelChanged, level); },
                    [this](PcmSound sound) { score(std::move(sound)); },
                    [this](ReadingProblem problem) { report(callbacks_.failed, problem); }}) {}

  ~MicrophoneReading() override { *cancelled_ = true; }

 private:
  template <typename... Parameters, typename... Values>
  void report(const std::function<void(Parameters...)>& callback, Values... values) {
    QMetaObject::invokeMethod(
        &context_,
        [callback, values...] {
          if (callback) callback(values...);
        },
        Qt::QueuedConnection);
  }

  void score(PcmSound sound) {
    report(callbacks_.recordingEnded);
    report(callbacks_.recorded, RecordedSound{sound.samples, sound.sampleRate});
    const std::shared_ptr<ScoringWorker> worker = worker_.lock();
    if (!worker) {
      report(callbacks_.failed, ReadingProblem::ScoringFailed);
      return;
    }
    worker->score(std::move(sound), sentence_, cancelled_,
                  [this](std::optional<std::vector<WordScore>> words) { scored(words); });
  }

  void scored(const std::optional<std::vector<WordScore>>& words) {
    if (words) {
      report(callbacks_.scored, *words);
    } else {
      report(callbacks_.failed, ReadingProblem::ScoringFailed);
    }
  }

  QString sentence_;
  ReadingCallbacks callbacks_;
  std::weak_ptr<ScoringWorker> worker_;
  Cancellation cancelled_ = std::make_shared<std::atomic_bool>(false);
  QObject context_;  // the event loop's calls to the caller, dropped with the reading
  MicrophoneRecording recording_;
};

}  // namespace

MicrophoneListener::MicrophoneListener() : worker_(std::make_shared<ScoringWorker>()) {}

MicrophoneListener::~MicrophoneListener() = default;

std::unique_ptr<Playback> MicrophoneListener::play(const RecordedSound& sound,
                                                   std::function<void()> finished) {
  return std::make_unique<SoundPlayback>(sound, std::move(finished));
}

std::unique_ptr<Reading> MicrophoneListener::listen(const QString& sentence,
                                                    ReadingCallbacks callbacks) {
  worker_->prepare();
  return std::make_unique<MicrophoneReading>(sentence, std::move(callbacks), worker_);
}

}  // namespace listening
