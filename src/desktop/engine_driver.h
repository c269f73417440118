// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include "character/clock.h"
#include "character/engine.h"

namespace character {

// Runs an engine on the Qt event loop: one single-shot timer set to the engine's next wake-up,
// and an update as soon as the engine says something new was queued. While nothing is due no
// timer runs at all, so a character at rest costs no CPU between its blinks.
class EngineDriver : public QObject {
 public:
  EngineDriver(Engine& engine, const Clock& clock);
  ~EngineDriver() override;

  // Whether an update is scheduled (for tests).
  bool isScheduled() const { return timer_.isActive(); }
  int scheduledInMs() const { return timer_.isActive() ? timer_.remainingTime() : -1; }

 private:
  void updateEngine();
  void schedule();
  void updateSoon();

  Engine& engine_;
  const Clock& clock_;
  QTimer timer_;
};

}  // namespace character
