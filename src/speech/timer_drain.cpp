// SPDX-License-Identifier: GPL-3.0-or-later
#include "timer_drain.h"

#include <QByteArray>

#include "audio_clip.h"
#include "base/guarded_run.h"
#include "speech_log.h"

namespace character {

TimerDrain::TimerDrain(Mixer& source, const Clock& clock, QObject* parent)
    : QObject(parent), source_(source), clock_(clock), startMs_(clock.nowMs()) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(kIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &TimerDrain::pump);
  connect(&source_, &Mixer::clipStarted, this, &TimerDrain::onClipStarted);
}

void TimerDrain::start() {
  draining_ = true;
  startMs_ = clock_.nowMs();
  drainedSamples_ = 0;
  if (!source_.idle()) timer_.start();
}

void TimerDrain::onClipStarted() {
  if (draining_ && !timer_.isActive()) start();
}

void TimerDrain::pump() {
  base::runGuarded([this] { drainDue(); }, base::logFailure(lcSpeech, "draining silent speech"));
}

void TimerDrain::drainDue() {
  const std::int64_t due =
      static_cast<std::int64_t>(msToSamples(clock_.nowMs() - startMs_)) - drainedSamples_;
  if (due <= 0) return;
  QByteArray sink(static_cast<qsizetype>(due * sizeof(std::int16_t)), Qt::Uninitialized);
  source_.read(sink.data(), sink.size());
  drainedSamples_ += due;
  if (source_.idle()) timer_.stop();
}

}  // namespace character
