// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>

#include "character/engine.h"
#include "support/recording_presenter.h"
#include "support/test_character.h"

using namespace character;
using testing_support::makeTestCharacter;
using testing_support::RecordingPresenter;

namespace {

// Speech whose results the test hands out by itself, with whatever word times it likes.
class ScriptedSpeech : public SpeechService {
 public:
  struct Pending : PreparedSpeech {
    bool isReady = false;
    bool hasFailed = false;
    Utterance result;
    std::function<void()> onReady;
    bool ready() const override { return isReady; }
    bool failed() const override { return hasFailed; }
    const Utterance& utterance() const override { return result; }
  };

  std::shared_ptr<PreparedSpeech> prepare(const CharacterData& speaker, const QString& text,
                                          std::function<void()> onReady,
                                          double pace = 1.0) override {
    auto speech = std::make_shared<Pending>();
    speech->onReady = std::move(onReady);
    prepared.push_back({speaker.id, text, speech, pace});
    return speech;
  }
  void play(const QString& channel, const std::shared_ptr<PreparedSpeech>&) override {
    played << channel;
  }
  void stop(const QString& channel) override { stopped << channel; }

  void finish(int index, Utterance result) {
    auto& speech = *prepared.at(index).speech;
    speech.result = std::move(result);
    speech.isReady = true;
    speech.onReady();
  }

  struct Entry {
    QString who;
    QString text;
    std::shared_ptr<Pending> speech;
    double pace = 1.0;
  };
  std::vector<Entry> prepared;
  QStringList played;
  QStringList stopped;
};

class EngineSpeechTest : public ::testing::Test {
 protected:
  VirtualClock clock;
  RecordingPresenter presenter;
  ScriptedSpeech speech;
  Engine engine{clock, presenter, speech};
  CharacterState& boy = engine.addCharacter(makeTestCharacter("boy"));

  void runFor(std::int64_t ms) { engine.runUntil(clock, clock.nowMs() + ms); }
  QString balloonText() { return presenter.state["boy"].balloon.visibleText; }
};

Utterance unevenThreeWords() {
  Utterance utterance;
  utterance.durationMs = 2000;
  utterance.words = {{0, 400}, {500, 1400}, {1500, 1900}};
  utterance.mouth = {{0, MouthShape::Open}, {400, MouthShape::Closed}, {500, MouthShape::Round}};
  return utterance;
}

TEST_F(EngineSpeechTest, BalloonRevealFollowsTheWordTimes) {
  Request said = engine.speak(boy, "one two three");
  speech.finish(0, unevenThreeWords());
  engine.update();
  EXPECT_EQ(speech.played, QStringList{"boy"});
  EXPECT_EQ(balloonText(), "one");
  runFor(499);
  EXPECT_EQ(balloonText(), "one");
  runFor(1);
  EXPECT_EQ(balloonText(), "one two");
  runFor(999);
  EXPECT_EQ(balloonText(), "one two");
  runFor(1);
  EXPECT_EQ(balloonText(), "one two three");
  EXPECT_EQ(said.Status(), RequestStatus::Running);
  runFor(500);
  EXPECT_EQ(said.Status(), RequestStatus::Done);
}

TEST_F(EngineSpeechTest, MouthFollowsTheCues) {
  engine.speak(boy, "one two three");
  speech.finish(0, unevenThreeWords());
  engine.update();
  EXPECT_EQ(presenter.state["boy"].pose.mouth, MouthShape::Open);
  runFor(450);
  EXPECT_EQ(presenter.state["boy"].pose.mouth, MouthShape::Closed);
  runFor(100);
  EXPECT_EQ(presenter.state["boy"].pose.mouth, MouthShape::Round);
  EXPECT_TRUE(presenter.state["boy"].pose.speaking);
}

TEST_F(EngineSpeechTest, StopMidSentenceSilencesAndClosesTheBalloon) {
  Request said = engine.speak(boy, "one two three");
  speech.finish(0, unevenThreeWords());
  runFor(600);
  ASSERT_TRUE(presenter.state["boy"].balloon.shown);
  engine.stop(boy);
  EXPECT_EQ(said.Status(), RequestStatus::Interrupted);
  EXPECT_FALSE(presenter.state["boy"].balloon.shown);
  EXPECT_TRUE(speech.stopped.contains("boy"));
  EXPECT_FALSE(presenter.state["boy"].pose.speaking);
}

TEST_F(EngineSpeechTest, ASpeakWaitsForItsSpeechAndStartsWhenReady) {
  int wakes = 0;
  engine.setWakeListener([&] { ++wakes; });
  Request said = engine.speak(boy, "one two three");
  runFor(5000);
  EXPECT_EQ(said.Status(), RequestStatus::Running);
  EXPECT_TRUE(speech.played.isEmpty());
  const int wakesBefore = wakes;
  speech.finish(0, unevenThreeWords());
  EXPECT_GT(wakes, wakesBefore);
  engine.update();
  EXPECT_EQ(speech.played, QStringList{"boy"});
  runFor(2000);
  EXPECT_EQ(said.Status(), RequestStatus::Done);
  engine.setWakeListener({});  // the engine wakes once more when it goes, after `wakes`
}

TEST_F(EngineSpeechTest, FailedSpeechFailsTheRequestAndReleasesWaiters) {
  CharacterState& girl = engine.addCharacter(makeTestCharacter("girl"));
  Request said = engine.speak(boy, "one two three");
  Request waited = engine.wait(girl, said);
  speech.prepared[0].speech->hasFailed = true;
  speech.prepared[0].speech->isReady = true;
  engine.update();
  EXPECT_EQ(said.Status(), RequestStatus::Failed);
  EXPECT_EQ(waited.Status(), RequestStatus::Done);
}

TEST_F(EngineSpeechTest, SpeechIsPreparedOnlyAFewActionsAhead) {
  // Three words each, as many as the speech service times.
  for (int i = 0; i < 1000; ++i) engine.speak(boy, QStringLiteral("sentence number %1").arg(i));
  ASSERT_EQ(int(speech.prepared.size()), Engine::kSpeakLookahead);
  EXPECT_EQ(speech.prepared[0].text, "sentence number 0");
  speech.finish(0, unevenThreeWords());
  runFor(1000);
  // The first sentence is playing and counts among the three.
  EXPECT_EQ(int(speech.prepared.size()), Engine::kSpeakLookahead);
  runFor(1000);
  // The second one starts: one more is handed to the speech service.
  ASSERT_EQ(int(speech.prepared.size()), Engine::kSpeakLookahead + 1);
  EXPECT_EQ(speech.prepared.back().text, "sentence number 3");
}

// Queuing a Speak behind a long queue looks only a few actions ahead; the speech is still
// prepared, once the queue has come to it.
TEST_F(EngineSpeechTest, SpeechFarBehindOtherActionsIsPreparedWhenTheQueueComesToIt) {
  Request done = Request::make();
  done.setStatus(RequestStatus::Done);
  for (int i = 0; i < 10 * Engine::kSpeakLookaheadActions; ++i) engine.wait(boy, done);
  Request said = engine.speak(boy, QStringLiteral("far behind"));
  EXPECT_TRUE(speech.prepared.empty());
  engine.update();
  ASSERT_EQ(speech.prepared.size(), 1u);
  EXPECT_EQ(speech.prepared[0].text, "far behind");
  EXPECT_EQ(said.Status(), RequestStatus::Running);
}

// The pace of a Speak reaches the speech service: its own, or the engine's when it has none,
// as the engine's pace was when the Speak was queued.
TEST_F(EngineSpeechTest, EverySpeakIsPreparedAtItsPace) {
  engine.speak(boy, "plain");
  engine.setSpeechPace(0.75);
  engine.speak(boy, "slow");
  SpeakStyle slower;
  slower.pace = 0.6;
  engine.speak(boy, "slower", slower);
  engine.setSpeechPace(1.0);
  ASSERT_EQ(speech.prepared.size(), 3u);
  EXPECT_FLOAT_EQ(speech.prepared[0].pace, 1.0);
  EXPECT_FLOAT_EQ(speech.prepared[1].pace, 0.75);
  EXPECT_FLOAT_EQ(speech.prepared[2].pace, 0.6);
  EXPECT_EQ(TimedSpeech::estimate("one two three", 0.75).durationMs,
            3 * std::lround(TimedSpeech::kMsPerWord / 0.75));
  EXPECT_EQ(TimedSpeech::estimate("one two three", 0.75).words.back().startMs,
            2 * std::lround(TimedSpeech::kMsPerWord / 0.75));
}

// A speech service may time fewer or more words than the text has: the balloon reveals the
// timed words of the text, never reading past either list, and shows the whole text once said.
TEST_F(EngineSpeechTest, WordTimesThatDoNotMatchTheTextRevealOnlyItsWords) {
  engine.speak(boy, "one two three four");
  speech.finish(0, unevenThreeWords());
  engine.speak(boy, "one two");
  speech.finish(1, unevenThreeWords());
  runFor(2 * 2000);
  EXPECT_EQ(presenter.log.filter(QRegularExpression("^boy balloon \"")),
            QStringList({"boy balloon \"\"", "boy balloon \"one\"", "boy balloon \"one two\"",
                         "boy balloon \"one two three\"", "boy balloon \"one two three four\"",
                         "boy balloon \"\"", "boy balloon \"one\"", "boy balloon \"one two\"",
                         "boy balloon \"one two\""}));
}

// A note stands whole above the spoken words from the start, with its marks, and the balloon
// stays long enough to read it.
TEST_F(EngineSpeechTest, ANoteIsShownWholeAboveTheWordsWithItsMarks) {
  struct MarkRecorder : RecordingPresenter {
    void showMarkedBalloon(const QString& id, BalloonKind kind, const QString& fullText,
                           const QString& visibleText,
                           const std::vector<MarkedRange>& shownMarks) override {
      marked = shownMarks;
      showBalloon(id, kind, fullText, visibleText);
    }
    std::vector<MarkedRange> marked;
  } marks;
  Engine noted(clock, marks, speech);
  CharacterState& vemo = noted.addCharacter(makeTestCharacter("vemo"));
  SpeakStyle style;
  style.note = "I like green apples. (3/4)";
  style.marked = {{12, 5}};
  noted.speak(vemo, "one two three", style);
  speech.finish(0, unevenThreeWords());
  noted.update();
  const auto& balloon = marks.state["vemo"].balloon;
  EXPECT_EQ(balloon.fullText, "I like green apples. (3/4)\none two three");
  EXPECT_EQ(balloon.visibleText, "I like green apples. (3/4)\none");
  EXPECT_EQ(marks.marked, std::vector<MarkedRange>({{12, 5}}));
  noted.runUntil(clock, clock.nowMs() + 2000 + Engine::kSpeechHoldMs);
  EXPECT_TRUE(marks.state["vemo"].balloon.shown);
  EXPECT_EQ(marks.state["vemo"].balloon.visibleText, balloon.fullText);
  noted.runUntil(clock, clock.nowMs() + Engine::kThoughtMaxMs);
  EXPECT_FALSE(marks.state["vemo"].balloon.shown);
}

}  // namespace
