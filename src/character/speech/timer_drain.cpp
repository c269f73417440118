#include "timer_drain.h"

#include <QByteArray>

#include "audio_clip.h"

namespace character {

TimerDrain::TimerDrain(QIODevice& source, const Clock& clock, QObject* parent)
    : QObject(parent), source_(source), clock_(clock), startMs_(clock.nowMs()) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(kIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &TimerDrain::pump);
}

void TimerDrain::start() {
  startMs_ = clock_.nowMs();
  drainedSamples_ = 0;
  timer_.start();
}

void TimerDrain::pump() {
  const std::int64_t due =
      static_cast<std::int64_t>(msToSamples(clock_.nowMs() - startMs_)) - drainedSamples_;
  if (due <= 0) return;
  QByteArray sink(static_cast<qsizetype>(due * sizeof(std::int16_t)), Qt::Uninitialized);
  source_.read(sink.data(), sink.size());
  drainedSamples_ += due;
}

}  // namespace character
