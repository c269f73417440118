// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudio>
#include <QObject>
#include <QTimer>
#include <memory>

#include "character/clock.h"
#include "mixer.h"
#include "timer_drain.h"

class QAudioSink;

namespace character {

// Plays the mixer through the desktop's default sound output, pulling from it. Without an
// output, or once the output fails, the mixer is drained by a timer at the same pace instead:
// speech is silent but lasts as long as aloud. Either way a message goes to stderr once; the
// learner never sees an error. The output is suspended after ten seconds of silence, so a
// program at rest is not woken by its sound output, and resumed when a clip is on its way.
class AudioOutput : public QObject {
  Q_OBJECT

 public:
  explicit AudioOutput(Mixer& mixer, QObject* parent = nullptr);
  ~AudioOutput() override;

  void start();
  bool silent() const { return silent_; }
  // Resumes a suspended output ahead of a clip: resuming takes longer than a clip may wait.
  void wake();

 private:
  void onSinkStateChanged(QAudio::State state);
  void resumeSink();
  void suspendSinkIfSilent();
  void drainSilently(const QString& reason);

  Mixer& mixer_;
  SteadyClock clock_;
  TimerDrain drain_;
  std::unique_ptr<QAudioSink> sink_;
  QTimer restTimer_;
  bool silent_ = false;
};

}  // namespace character
