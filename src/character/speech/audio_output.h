// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudio>
#include <QObject>
#include <memory>

#include "character/clock.h"
#include "mixer.h"
#include "timer_drain.h"

class QAudioSink;

namespace character {

// Plays the mixer through the desktop's default sound output, pulling from it. Without an
// output, or once the output fails, the mixer is drained by a timer at the same pace instead:
// speech is silent but lasts as long as aloud. Either way a message goes to stderr once; the
// learner never sees an error.
class AudioOutput : public QObject {
  Q_OBJECT

 public:
  explicit AudioOutput(Mixer& mixer, QObject* parent = nullptr);
  ~AudioOutput() override;

  void start();
  bool silent() const { return silent_; }

 private:
  void onSinkStateChanged(QAudio::State state);
  void drainSilently(const QString& reason);

  Mixer& mixer_;
  SteadyClock clock_;
  TimerDrain drain_;
  std::unique_ptr<QAudioSink> sink_;
  bool silent_ = false;
};

}  // namespace character
