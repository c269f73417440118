// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "../support/recording_presenter.h"
#include "../support/test_character.h"
#include "character/agent.h"
#include "character/engine.h"
#include "character/speech.h"
#include "stage/cast.h"
#include "stage/opening_scene.h"

namespace {

using character::CallRecord;
using character::Engine;
using character::Request;

// The three characters on an engine with a virtual clock, without character files.
class OpeningScene : public ::testing::Test {
 protected:
  OpeningScene() : engine(clock, presenter, speech) {
    boy = std::make_unique<character::Character>(
        engine, engine.addCharacter(testing_support::makeTestCharacter("boy")));
    girl = std::make_unique<character::Character>(
        engine, engine.addCharacter(testing_support::makeTestCharacter("girl")));
    vemoState = &engine.addCharacter(testing_support::makeTestCharacter("vemo"));
    vemo = std::make_unique<character::Character>(engine, *vemoState);
    cast.setCharacter(stage::Role::Boy, boy.get());
    cast.setCharacter(stage::Role::Girl, girl.get());
    cast.setCharacter(stage::Role::Host, vemo.get());
    engine.setCallObserver([this](const CallRecord& call) { calls.push_back(call); });
  }

  // Plays the queued actions wake-up by wake-up until `id` is visible, checking at every step
  // that it is not visible before `cue` has finished. Returns whether it came into view.
  bool playUntilVisibleAfter(const QString& id, const Request& cue, std::int64_t limitMs) {
    engine.update();
    while (!presenter.state.value(id).visible) {
      const auto next = engine.nextWakeMs();
      if (!next || *next > limitMs) return false;
      clock.set(std::max(*next, clock.nowMs()));
      engine.update();
      if (presenter.state.value(id).visible && !cue.isFinished()) {
        ADD_FAILURE() << qPrintable(id) << " came into view at " << clock.nowMs()
                      << " ms, before its cue finished";
      }
    }
    return true;
  }

  character::VirtualClock clock;
  testing_support::RecordingPresenter presenter;
  character::TimedSpeech speech;
  Engine engine;
  character::CharacterState* vemoState = nullptr;
  std::unique_ptr<character::Character> boy, girl, vemo;
  stage::Cast cast;
  std::vector<CallRecord> calls;
};

struct ExpectedCall {
  const char* id;
  const char* operation;
  QStringList arguments;
  int awaitedStep = 0;  // for Wait: the step (1-based) whose request is awaited
};

const std::vector<ExpectedCall>& sceneTable() {
  static const std::vector<ExpectedCall> table = {
      {"vemo", "MoveTo", {"180", "156"}},
      {"vemo", "Show", {}},
      {"vemo", "Play", {"Greet"}},
      {"vemo", "Speak", {"Hi!"}},
      {"vemo", "Play", {"Congratulate"}},
      {"vemo", "Speak", {"My name's Kaibo"}},
      {"vemo", "Think", {" 你 好 !"}},
      {"vemo", "Play", {"LookRight"}},
      {"vemo", "Speak", {"Tom!Come In!"}},
      {"boy", "MoveTo", {"80", "335"}},
      {"boy", "Wait", {}, 9},
      {"boy", "Show", {}},
      {"boy", "Speak", {"Hello!"}},
      {"vemo", "Wait", {}, 13},
      {"vemo", "Play", {"LookLeft"}},
      {"vemo", "Speak", {"Jenny!Come Here!"}},
      {"girl", "MoveTo", {"300", "333"}},
      {"girl", "Height", {"150"}},
      {"girl", "Width", {"130"}},
      {"girl", "Wait", {}, 16},
      {"girl", "Show", {}},
      {"girl", "Speak", {"How are you!"}},
      {"vemo", "Wait", {}, 22},
      {"vemo", "Play", {"Congratulate"}},
      {"vemo", "Think", {"好 , 让 我 们 开 始 吧 ! 看 上 面 的 菜 单..."}},
      {"vemo", "Play", {"LookUp"}},
  };
  return table;
}

TEST_F(OpeningScene, QueuesTheTwentySixStepsInOrder) {
  stage::queueOpeningScene(cast);

  const auto& table = sceneTable();
  ASSERT_EQ(calls.size(), table.size());
  for (std::size_t step = 0; step < table.size(); ++step) {
    SCOPED_TRACE(::testing::Message() << "step " << step + 1);
    const ExpectedCall& expected = table[step];
    EXPECT_EQ(calls[step].characterId, QString::fromUtf8(expected.id));
    EXPECT_EQ(calls[step].operation, QString::fromUtf8(expected.operation));
    EXPECT_EQ(calls[step].arguments, expected.arguments);
    if (expected.awaitedStep > 0) {
      EXPECT_FALSE(calls[step].awaited.isNull());
      EXPECT_TRUE(calls[step].awaited == calls[expected.awaitedStep - 1].request);
    }
  }
}

TEST_F(OpeningScene, KeepsTheRequestsOtherCharactersWaitFor) {
  stage::queueOpeningScene(cast);

  ASSERT_EQ(calls.size(), sceneTable().size());
  EXPECT_TRUE(cast.request(stage::Role::Host) == calls[15].request);  // "Jenny!Come Here!"
  EXPECT_TRUE(cast.request(stage::Role::Boy) == calls[12].request);   // "Hello!"
  EXPECT_TRUE(cast.request(stage::Role::Girl) == calls[21].request);  // "How are you!"
  EXPECT_FALSE(cast.request(stage::Role::Host).isNull());
  EXPECT_FALSE(cast.request(stage::Role::Boy).isNull());
  EXPECT_FALSE(cast.request(stage::Role::Girl).isNull());
}

TEST_F(OpeningScene, QueuingReturnsBeforeAnythingPlays) {
  stage::queueOpeningScene(cast);

  EXPECT_FALSE(presenter.state.value("vemo").visible);
  EXPECT_FALSE(cast.request(stage::Role::Host).isFinished());
  EXPECT_FALSE(cast.request(stage::Role::Boy).isFinished());
  EXPECT_FALSE(cast.request(stage::Role::Girl).isFinished());
}

TEST_F(OpeningScene, BoyComesInOnlyAfterTomIsCalled) {
  stage::queueOpeningScene(cast);
  const Request tomComeIn = calls.at(8).request;

  ASSERT_TRUE(playUntilVisibleAfter("boy", tomComeIn, 120'000));
  EXPECT_FALSE(presenter.state.value("girl").visible);
  EXPECT_EQ(presenter.state.value("boy").frame.topLeft(), QPoint(80, 335));
}

TEST_F(OpeningScene, GirlComesInOnlyAfterJennyIsCalledAtHerPlaceAndSize) {
  stage::queueOpeningScene(cast);
  const Request jennyComeHere = cast.request(stage::Role::Host);

  ASSERT_TRUE(playUntilVisibleAfter("girl", jennyComeHere, 120'000));
  EXPECT_TRUE(cast.request(stage::Role::Boy).isFinished());
  EXPECT_EQ(presenter.state.value("girl").frame, QRect(300, 333, 130, 150));
}

TEST_F(OpeningScene, PlaysToTheEndWithEveryoneInView) {
  stage::queueOpeningScene(cast);

  engine.runUntil(clock, 120'000);
  EXPECT_TRUE(cast.request(stage::Role::Girl).isFinished());
  EXPECT_EQ(engine.queuedActions(*vemoState), 0u);
  for (const char* id : {"boy", "girl", "vemo"})
    EXPECT_TRUE(presenter.state.value(id).visible) << id;
  EXPECT_EQ(presenter.state.value("vemo").frame.topLeft(), QPoint(180, 156));
}

}  // namespace
