// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <chrono>

#include "desktop/engine_driver.h"
#include "support/recording_presenter.h"
#include "support/test_character.h"

namespace character {
namespace {

// Lets the event loop run for a while, so that due timers fire.
void runEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class EngineDriverTest : public ::testing::Test {
 protected:
  VirtualClock clock;
  testing_support::RecordingPresenter presenter;
  TimedSpeech speech;
  Engine engine{clock, presenter, speech};
  CharacterState& boy = engine.addCharacter(testing_support::makeTestCharacter("boy"));
  EngineDriver driver{engine, clock};
};

TEST_F(EngineDriverTest, NoTimerRunsWhileNothingIsDue) {
  runEventLoop(20);
  EXPECT_FALSE(driver.isScheduled());
}

TEST_F(EngineDriverTest, AQueuedCallIsPlayedFromTheEventLoopRightAway) {
  runEventLoop(5);
  engine.show(boy);
  EXPECT_FALSE(presenter.state["boy"].visible) << "the call only queues";
  runEventLoop(20);
  EXPECT_TRUE(presenter.state["boy"].visible);
}

TEST_F(EngineDriverTest, TheTimerWaitsForTheNextKeyframeNotLess) {
  engine.show(boy);
  runEventLoop(20);
  ASSERT_TRUE(driver.isScheduled());
  const int remaining = driver.scheduledInMs();
  EXPECT_GT(remaining, 50) << "the Showing keyframes last 100 ms";
  EXPECT_LE(remaining, 100);
}

TEST_F(EngineDriverTest, ARestingCharacterWaitsForAWholeTenthOfASecondOnlyWhileResting) {
  engine.show(boy);
  runEventLoop(20);
  EXPECT_LE(driver.scheduledInMs(), 100) << "a character showing itself keeps its own pace";
  clock.advance(1'000);
  // The Showing keyframe's timer runs out and the resting loop begins, later on a busy machine.
  for (int slice = 0; slice < 40 && !engine.resting(); ++slice) runEventLoop(50);
  ASSERT_TRUE(engine.resting());
  ASSERT_TRUE(driver.isScheduled());
  const std::int64_t nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
  const std::int64_t offTick = (nowMs + driver.scheduledInMs()) % 100;
  EXPECT_LE(std::min<std::int64_t>(offTick, 100 - offTick), 2)
      << "the next blink comes with the toolbar's poll, on a whole tenth of a second";
}

TEST_F(EngineDriverTest, TimeThatHasPassedIsCaughtUpAtOnce) {
  engine.show(boy);
  runEventLoop(20);
  clock.advance(60'000);
  engine.speak(boy, QStringLiteral("Hello!"));
  runEventLoop(50);
  EXPECT_TRUE(presenter.state["boy"].balloon.shown);
}

}  // namespace
}  // namespace character
