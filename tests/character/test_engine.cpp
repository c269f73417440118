// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <map>
#include <memory>

#include "character/agent_error.h"
#include "character/engine.h"
#include "support/recording_presenter.h"
#include "support/test_character.h"

using namespace character;
using testing_support::makeTestCharacter;
using testing_support::RecordingPresenter;

namespace {

class EngineTest : public ::testing::Test {
 protected:
  VirtualClock clock;
  RecordingPresenter presenter;
  TimedSpeech speech;
  Engine engine{clock, presenter, speech};
  CharacterState& boy = engine.addCharacter(makeTestCharacter("boy"));
  CharacterState& girl = engine.addCharacter(makeTestCharacter("girl"));

  void runFor(std::int64_t ms) { engine.runUntil(clock, clock.nowMs() + ms); }
  // Runs until `request` is finished and returns the time it took.
  std::int64_t runUntilFinished(const Request& request, std::int64_t limitMs = 60000) {
    const std::int64_t start = clock.nowMs();
    engine.update();
    while (!request.isFinished() && clock.nowMs() - start < limitMs) {
      auto next = engine.nextWakeMs();
      if (!next) break;
      clock.set(std::max(*next, clock.nowMs()));
      engine.update();
    }
    return clock.nowMs() - start;
  }
};

TEST_F(EngineTest, ActionsOfOneCharacterPlayInCallOrder) {
  Request show = engine.show(boy);
  Request greet = engine.play(boy, "Greet");
  Request look = engine.play(boy, "LookLeft");
  EXPECT_EQ(show.Status(), RequestStatus::Pending);
  EXPECT_EQ(runUntilFinished(show), 200);
  EXPECT_EQ(greet.Status(), RequestStatus::Running);
  EXPECT_EQ(look.Status(), RequestStatus::Pending);
  EXPECT_EQ(runUntilFinished(greet), 300);
  EXPECT_EQ(look.Status(), RequestStatus::Running);
  EXPECT_EQ(runUntilFinished(look), 300);
  EXPECT_EQ(engine.queuedActions(boy), 0u);
}

TEST_F(EngineTest, CharactersActInParallel) {
  Request boyGreet = engine.play(boy, "Greet");
  Request girlRead = engine.play(girl, "Read");
  engine.update();
  EXPECT_EQ(boyGreet.Status(), RequestStatus::Running);
  EXPECT_EQ(girlRead.Status(), RequestStatus::Running);
  runFor(300);
  EXPECT_EQ(boyGreet.Status(), RequestStatus::Done);
  EXPECT_EQ(girlRead.Status(), RequestStatus::Done);
}

TEST_F(EngineTest, WaitHoldsLaterActionsUntilTheAwaitedRequestFinishes) {
  Request said = engine.speak(boy, "one two three");  // 1200 ms at reading pace
  engine.wait(girl, said);
  Request girlRead = engine.play(girl, "Read");
  runFor(1000);
  EXPECT_EQ(girlRead.Status(), RequestStatus::Pending);
  EXPECT_EQ(said.Status(), RequestStatus::Running);
  runFor(200);
  EXPECT_EQ(said.Status(), RequestStatus::Done);
  EXPECT_EQ(girlRead.Status(), RequestStatus::Running);
}

TEST_F(EngineTest, WaitOnAFinishedRequestGoesOnAtOnce) {
  Request greet = engine.play(boy, "Greet");
  runFor(300);
  ASSERT_EQ(greet.Status(), RequestStatus::Done);
  Request waited = engine.wait(girl, greet);
  engine.update();
  EXPECT_EQ(waited.Status(), RequestStatus::Done);
}

TEST_F(EngineTest, WaitOnAnInterruptedRequestGoesOn) {
  Request greet = engine.play(boy, "Greet");
  Request look = engine.play(boy, "LookLeft");
  Request waited = engine.wait(girl, look);
  Request read = engine.play(girl, "Read");
  runFor(50);
  engine.stop(boy);
  EXPECT_EQ(greet.Status(), RequestStatus::Interrupted);
  EXPECT_EQ(look.Status(), RequestStatus::Interrupted);
  engine.update();
  EXPECT_EQ(waited.Status(), RequestStatus::Done);
  EXPECT_EQ(read.Status(), RequestStatus::Running);
}

TEST_F(EngineTest, StopInTheMiddleOfAQueueReleasesEveryWaiter) {
  std::vector<Request> boyRequests;
  std::vector<Request> girlWaits;
  for (int i = 0; i < 5; ++i) {
    boyRequests.push_back(engine.speak(boy, "sentence number " + QString::number(i)));
    girlWaits.push_back(engine.wait(girl, boyRequests.back()));
  }
  runFor(2000);
  ASSERT_EQ(boyRequests[0].Status(), RequestStatus::Done);
  ASSERT_EQ(boyRequests[1].Status(), RequestStatus::Running);
  engine.stop(boy);
  runFor(10);
  for (int i = 1; i < 5; ++i) EXPECT_EQ(boyRequests[i].Status(), RequestStatus::Interrupted) << i;
  for (const Request& wait : girlWaits) EXPECT_EQ(wait.Status(), RequestStatus::Done);
  EXPECT_EQ(engine.queuedActions(boy), 0u);
  EXPECT_EQ(engine.queuedActions(girl), 0u);
  EXPECT_FALSE(presenter.state["boy"].balloon.shown);
}

// Whoever asks is told once that a request finished, through the event loop and never from
// inside an update: when it is done, when a Stop interrupts it, and at once for one finished
// already; never once the asker is gone.
TEST_F(EngineTest, ARequestTellsOnceThatItFinished) {
  QObject asker;
  std::map<QString, int> told;
  const Request said = engine.speak(boy, "Hello there");
  const Request queued = engine.play(boy, "Greet");
  said.whenFinished(&asker, [&] { ++told["said"]; });
  queued.whenFinished(&asker, [&] { ++told["queued"]; });
  auto gone = std::make_unique<QObject>();
  queued.whenFinished(gone.get(), [&] { ++told["gone"]; });
  runUntilFinished(said);
  EXPECT_TRUE(told.empty());
  QCoreApplication::processEvents();
  gone.reset();
  engine.stop(boy);
  engine.stop(boy);
  QCoreApplication::processEvents();
  said.whenFinished(&asker, [&] { ++told["late"]; });
  QCoreApplication::processEvents();
  EXPECT_EQ(queued.Status(), RequestStatus::Interrupted);
  EXPECT_EQ(told, (std::map<QString, int>{{"said", 1}, {"queued", 1}, {"late", 1}}));
}

TEST_F(EngineTest, StopLeavesOtherCharactersAlone) {
  Request boySays = engine.speak(boy, "hello there");
  Request girlSays = engine.speak(girl, "hello there");
  runFor(100);
  engine.stop(boy);
  EXPECT_EQ(boySays.Status(), RequestStatus::Interrupted);
  EXPECT_EQ(girlSays.Status(), RequestStatus::Running);
  EXPECT_TRUE(presenter.state["girl"].balloon.shown);
}

TEST_F(EngineTest, HeightAndWidthActAtOnceEvenWithAQueue) {
  engine.play(boy, "Greet");
  engine.setSize(boy, 130, 150);
  EXPECT_EQ(engine.frame(boy).size(), QSize(130, 150));
  EXPECT_EQ(presenter.state["boy"].frame.size(), QSize(130, 150));
}

TEST_F(EngineTest, AMoveQueuedBeforeShowDecidesWhereTheCharacterAppears) {
  engine.moveTo(boy, 80, 335);
  Request shown = engine.show(boy);
  engine.update();
  EXPECT_TRUE(presenter.state["boy"].visible);
  EXPECT_EQ(presenter.state["boy"].frame.topLeft(), QPoint(80, 335));
  runUntilFinished(shown);
  EXPECT_EQ(engine.frame(boy).topLeft(), QPoint(80, 335));
}

TEST_F(EngineTest, AVisibleCharacterWalksToItsTarget) {
  engine.show(boy);
  Request moved = engine.moveTo(boy, 500, 0);
  runFor(200);  // showing
  runFor(500);  // half of the 1000 ms walk
  const int halfway = engine.frame(boy).x();
  EXPECT_GT(halfway, 100);
  EXPECT_LT(halfway, 400);
  runUntilFinished(moved);
  EXPECT_EQ(engine.frame(boy).topLeft(), QPoint(500, 0));
}

TEST_F(EngineTest, PlaySpeakAndThinkShowAHiddenCharacterFirst) {
  for (auto call : {+[](Engine&e, CharacterState&c) { e.play(c, "Greet"); },
                    +[](Engine&e, CharacterState&c) { e.speak(c, "Hi"); },
                    +[](Engine&e, CharacterState&c) { e.think(c, "hm"); }}) {
    engine.hide(boy);
    runFor(5000);
    ASSERT_FALSE(engine.isVisible(boy));
    call(engine, boy);
    engine.update();
    EXPECT_TRUE(engine.isVisible(boy));
  }
}

TEST_F(EngineTest, AnimationNamesMatchWithoutRegardToCase) {
  Request request = engine.play(boy, "lookdown");
  engine.update();
  EXPECT_EQ(presenter.state["boy"].pose.animation->name, "LookDown");
  EXPECT_EQ(runUntilFinished(request), 300);
}

TEST_F(EngineTest, AnUnknownAnimationIsAnErrorThatNamesIt) {
  try {
    engine.play(boy, "Cartwheel");
    FAIL() << "no error";
  } catch (const AgentError& error) {
    EXPECT_TRUE(error.message().contains("Cartwheel"));
    EXPECT_TRUE(error.message().contains("boy"));
  }
  EXPECT_EQ(engine.queuedActions(boy), 0u);
}

TEST_F(EngineTest, SpeechBalloonRevealsWordByWordAndStaysAMoment) {
  Request said = engine.speak(boy, "Good  morning, Tom!");
  engine.update();
  EXPECT_EQ(presenter.state["boy"].balloon.visibleText, "Good");
  EXPECT_EQ(presenter.state["boy"].balloon.fullText, "Good  morning, Tom!");
  runFor(400);
  EXPECT_EQ(presenter.state["boy"].balloon.visibleText, "Good  morning,");
  EXPECT_TRUE(presenter.state["boy"].pose.speaking);
  runUntilFinished(said);
  EXPECT_EQ(presenter.state["boy"].balloon.visibleText, "Good  morning, Tom!");
  EXPECT_FALSE(presenter.state["boy"].pose.speaking);
  runFor(Engine::kSpeechHoldMs - 1);
  EXPECT_TRUE(presenter.state["boy"].balloon.shown);
  runFor(1);
  EXPECT_FALSE(presenter.state["boy"].balloon.shown);
}

TEST_F(EngineTest, AThoughtShowsItsWholeTextForItsTime) {
  Request thought = engine.think(boy, " 你 好");
  engine.update();
  EXPECT_EQ(presenter.state["boy"].balloon.kind, BalloonKind::Thought);
  EXPECT_EQ(presenter.state["boy"].balloon.visibleText, " 你 好");
  EXPECT_EQ(runUntilFinished(thought), Engine::kThoughtBaseMs + 2 * Engine::kThoughtMsPerChar);
  EXPECT_FALSE(presenter.state["boy"].balloon.shown);
}

TEST_F(EngineTest, HideTakesTheCharacterOutOfView) {
  engine.show(boy);
  Request hidden = engine.hide(boy);
  runUntilFinished(hidden);
  EXPECT_FALSE(engine.isVisible(boy));
  EXPECT_FALSE(presenter.state["boy"].visible);
}

TEST_F(EngineTest, NothingWakesTheEngineWhileEveryoneIsHiddenAndIdle) {
  EXPECT_FALSE(engine.nextWakeMs().has_value());
  engine.show(boy);
  runFor(1000);
  // A visible character at rest only wakes for its next blink.
  ASSERT_TRUE(engine.nextWakeMs().has_value());
  EXPECT_GE(*engine.nextWakeMs() - clock.nowMs(), 100);
}

TEST_F(EngineTest, WaitOnAnEmptyRequestIsAnError) {
  EXPECT_THROW(engine.wait(boy, Request()), AgentError);
}

TEST_F(EngineTest, CallsAreReportedToTheObserverInOrder) {
  QStringList calls;
  engine.setCallObserver([&](const CallRecord& call) {
    calls << call.characterId + " " + call.operation + " " + call.arguments.join(",");
  });
  Request said = engine.speak(boy, "Hello!");
  engine.wait(girl, said);
  engine.setSize(girl, 130, 150);
  engine.stop(girl);
  EXPECT_EQ(calls, QStringList({"boy Speak Hello!", "girl Wait ", "girl Width 130",
                                "girl Height 150", "girl Stop "}));
}

TEST_F(EngineTest, RemovingACharacterInterruptsItsRequests) {
  CharacterState& extra = engine.addCharacter(makeTestCharacter("extra"));
  Request said = engine.speak(extra, "Hello there");
  engine.update();
  engine.removeCharacter(extra);
  EXPECT_EQ(said.Status(), RequestStatus::Interrupted);
  EXPECT_FALSE(presenter.state.contains("extra"));
}

}  // namespace
