// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "listener.h"

namespace listening {

class ScoringWorker;

// The listener of the listening module: records the default microphone (MicrophoneRecording)
// and scores the recording on the worker (ScoringWorker). Readings may outlive it: one that ends
// its recording after the listener is gone reports ScoringFailed.
class MicrophoneListener : public Listener {
 public:
  MicrophoneListener();
  // Waits for the scoring in progress, if any.
  ~MicrophoneListener() override;

  std::unique_ptr<Reading> listen(const QString& sentence, ReadingCallbacks callbacks) override;
  std::unique_ptr<Playback> play(const RecordedSound& sound,
                                 std::function<void()> finished) override;

 private:
  std::shared_ptr<ScoringWorker> worker_;
};

}  // namespace listening
