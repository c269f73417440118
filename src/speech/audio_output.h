// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "character/clock.h"
#include "mixer.h"
#include "timer_drain.h"

namespace character {

class PulseStream;

// Plays the mixer through the desktop's sound server (PulseAudio, or PipeWire in its place),
// which pulls from it on a thread of its own. Without a server, or once the stream fails, the
// mixer is drained by a timer at the same pace instead:
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
  void resume();
  void suspendIfSilent();
  void drainSilently(const QString& reason);

  Mixer& mixer_;
  SteadyClock clock_;
  TimerDrain drain_;
  std::unique_ptr<PulseStream> stream_;
  QTimer restTimer_;
  bool silent_ = false;
};

}  // namespace character
