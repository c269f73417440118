// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_driver.h"

#include <algorithm>
#include <limits>

#include "character/logging.h"

namespace character {

namespace {

// A wait this long (a character resting between blinks) may end a few milliseconds late, so the
// system can wake the program once for it and the toolbar's poll together.
constexpr std::int64_t kCoarseWaitMs = 1000;

}  // namespace

EngineDriver::EngineDriver(Engine& engine, const Clock& clock) : engine_(engine), clock_(clock) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &EngineDriver::updateEngine);
  engine_.setWakeListener([this] { updateSoon(); });
  updateSoon();
}

EngineDriver::~EngineDriver() {
  engine_.setWakeListener({});
}

// A timer slot: a failed update is logged, and the engine is woken again when it next needs to be.
void EngineDriver::updateEngine() {
  runGuarded(lcCharacter, "updating the characters", [this] { engine_.update(); });
  runGuarded(lcCharacter, "scheduling the next update", [this] { schedule(); });
}

void EngineDriver::schedule() {
  const std::optional<std::int64_t> wake = engine_.nextWakeMs();
  if (!wake) {
    timer_.stop();
    return;
  }
  const std::int64_t delay =
      std::clamp<std::int64_t>(*wake - clock_.nowMs(), 0, std::numeric_limits<int>::max());
  timer_.setTimerType(delay >= kCoarseWaitMs ? Qt::CoarseTimer : Qt::PreciseTimer);
  timer_.start(static_cast<int>(delay));
}

// The engine calls this from inside a character call or a speech callback; the update itself
// runs from the event loop, after the caller has returned.
void EngineDriver::updateSoon() {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.start(0);
}

}  // namespace character
