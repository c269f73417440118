#pragma once

#include <QIODevice>
#include <QObject>
#include <QTimer>
#include <cstdint>

#include "character/clock.h"

namespace character {

// Reads an audio device at real-time pace and throws the sound away: what plays when there is
// no sound output, so every clip still lasts as long as it would aloud.
class TimerDrain : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIntervalMs = 10;

  TimerDrain(QIODevice& source, const Clock& clock, QObject* parent = nullptr);

  // Drains on a timer from now on (the pace counts from here, or from construction without it).
  void start();
  // Reads what has played since the last call, by the clock.
  void pump();

 private:
  QIODevice& source_;
  const Clock& clock_;
  QTimer timer_;
  std::int64_t drainedSamples_ = 0;
  std::int64_t startMs_ = 0;
};

}  // namespace character
