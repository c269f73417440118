// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_driver.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "base/guarded_run.h"
#include "desktop_log.h"

namespace character {

namespace {

// A wait this long may end a few milliseconds late, so the system can wake the program once for
// it and another timer together.
constexpr std::int64_t kCoarseWaitMs = 1000;

// Qt's coarse timers of a tenth of a second, the toolbar's cursor poll among them, fire on the
// monotonic clock's whole tenths of a second.
constexpr std::int64_t kTickMs = 100;

// The delay that ends on the first whole tenth of a second at least `delayMs` from now. A
// resting character's next frame (a blink, its end) then comes with the poll's wake-up instead
// of a wake-up of its own, at most a tenth of a second late.
std::int64_t delayToTick(std::int64_t delayMs) {
  const std::int64_t nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
  const std::int64_t due = nowMs + delayMs;
  return (due + kTickMs - 1) / kTickMs * kTickMs - nowMs;
}

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
  base::runGuarded([this] { engine_.update(); },
                   base::logFailure(lcCharacter, "updating the characters"));
  base::runGuarded([this] { schedule(); },
                   base::logFailure(lcCharacter, "scheduling the next update"));
}

void EngineDriver::schedule() {
  const std::optional<std::int64_t> wake = engine_.nextWakeMs();
  if (!wake) {
    timer_.stop();
    return;
  }
  const bool resting = engine_.resting();
  std::int64_t delay = std::max<std::int64_t>(*wake - clock_.nowMs(), 0);
  if (resting) delay = delayToTick(delay);
  delay = std::min<std::int64_t>(delay, std::numeric_limits<int>::max());
  timer_.setTimerType(resting || delay >= kCoarseWaitMs ? Qt::CoarseTimer : Qt::PreciseTimer);
  timer_.start(static_cast<int>(delay));
}

// The engine calls this from inside a character call or a speech callback; the update itself
// runs from the event loop, after the caller has returned.
void EngineDriver::updateSoon() {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.start(0);
}

}  // namespace character
