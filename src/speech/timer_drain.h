// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>

#include "character/clock.h"
#include "mixer.h"

namespace character {

// Reads the mixer at real-time pace and throws the sound away: what plays when there is no sound
// output, so every clip still lasts as long as it would aloud. Its timer runs only while a clip
// plays, so a program at rest is not woken a hundred times a second.
class TimerDrain : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIntervalMs = 10;

  TimerDrain(Mixer& source, const Clock& clock, QObject* parent = nullptr);

  // Drains on a timer from now on, whenever a clip plays (the pace counts from here, or from
  // construction without it).
  void start();
  // Reads what has played since the last call, by the clock. A failure is logged, never thrown.
  void pump();
  bool running() const { return timer_.isActive(); }

 private:
  void onClipStarted();
  void drainDue();

  Mixer& source_;
  bool draining_ = false;
  const Clock& clock_;
  QTimer timer_;
  std::int64_t drainedSamples_ = 0;
  std::int64_t startMs_ = 0;
};

}  // namespace character
