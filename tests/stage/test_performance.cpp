// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "cast_stage.h"
#include "character/agent_error.h"
#include "stage/performance.h"

using stage::PerformSentence;
using stage::SpeakTypedSentence;
using stage::thoughtText;

namespace {

class Performance : public stage_testing::CastStage, public ::testing::Test {
 protected:
  Performance() { recordCalls(); }
};

TEST(ThoughtText, PutsABlankBeforeEverySixteenBitUnit) {
  EXPECT_EQ(thoughtText(QStringLiteral("你好")), QStringLiteral(" 你 好"));
  EXPECT_EQ(thoughtText(QStringLiteral("a b")), QStringLiteral(" a   b"));
  EXPECT_EQ(thoughtText(QString()), QString());
  EXPECT_EQ(thoughtText(QStringLiteral("早上好！")).size(), 8);
}

// An emoji or a rare Han character is two 16-bit units; a blank between them would break it.
TEST(ThoughtText, KeepsACharacterBeyondTheBasicPlaneWhole) {
  EXPECT_EQ(thoughtText(QStringLiteral("好😀𠀀")), QStringLiteral(" 好 😀 𠀀"));
}

TEST_F(Performance, AnOddLineIsTheGirlsAndTheBoyWaitsForTheThought) {
  PerformSentence(cast, QStringLiteral("Hi"), QStringLiteral("你好"), 3);
  EXPECT_EQ(log, QStringList({
                     "vemo MoveTo 300 156",
                     "vemo Play \"Lookdown\"",
                     "girl Play \"Read\"",
                     "girl Speak \"Hi\"",
                     "girl Play \"LookRight\"",
                     "vemo Wait [girl Speak \"Hi\"]",
                     "vemo Play \"Congratulate\"",
                     "vemo Think \" 你 好\"",
                     "boy Wait [vemo Think \" 你 好\"]",
                 }));
  EXPECT_EQ(nameOf(cast.request(stage::Role::Girl)), "girl Speak \"Hi\"");
  EXPECT_EQ(nameOf(cast.request(stage::Role::Host)), "vemo Think \" 你 好\"");
  EXPECT_EQ(nameOf(cast.request(stage::Role::Boy)), "boy's earlier request");
}

TEST_F(Performance, AnEvenLineIsTheBoysAndTheGirlWaitsForTheThought) {
  PerformSentence(cast, QStringLiteral("Bye"), QStringLiteral("再见"), 2);
  EXPECT_EQ(log, QStringList({
                     "vemo MoveTo 80 156",
                     "vemo Play \"Lookdown\"",
                     "boy Play \"Suggest\"",
                     "boy Speak \"Bye\"",
                     "vemo Wait [boy Speak \"Bye\"]",
                     "vemo Play \"Greet\"",
                     "vemo Think \" 再 见\"",
                     "girl Wait [vemo Think \" 再 见\"]",
                 }));
  EXPECT_EQ(nameOf(cast.request(stage::Role::Boy)), "boy Speak \"Bye\"");
  EXPECT_EQ(nameOf(cast.request(stage::Role::Girl)), "girl's earlier request");
}

TEST_F(Performance, WithoutATranslationVemoNeitherWaitsNorThinks) {
  PerformSentence(cast, QStringLiteral("Hi"), QString(), 0);
  EXPECT_EQ(log.size(), 5);
  EXPECT_EQ(log.last(), "girl Wait [vemo's earlier request]");
  EXPECT_EQ(nameOf(cast.request(stage::Role::Host)), "vemo's earlier request");
}

TEST_F(Performance, AnEmptySentenceIsNotPerformed) {
  PerformSentence(cast, QString(), QStringLiteral("你好"), 1);
  EXPECT_TRUE(log.isEmpty());
  EXPECT_EQ(nameOf(cast.request(stage::Role::Host)), "vemo's earlier request");
}

TEST_F(Performance, ATypedSentenceAlternatesFromWhereverTheCountStands) {
  EXPECT_TRUE(SpeakTypedSentence(cast, QStringLiteral("One"), 0));
  EXPECT_TRUE(SpeakTypedSentence(cast, QStringLiteral("Two"), 1));
  EXPECT_EQ(log, QStringList({
                     "vemo MoveTo 180 156",
                     "girl Stop",
                     "vemo Play \"LookRight\"",
                     "boy Play \"Suggest\"",
                     "boy Speak \"One\"",
                     "vemo MoveTo 180 156",
                     "girl Stop",
                     "vemo Play \"LookLeft\"",
                     "girl Play \"LookRight\"",
                     "girl Speak \"Two\"",
                 }));
  // Nothing waits on a typed sentence: the kept requests stay as they were.
  EXPECT_EQ(nameOf(cast.request(stage::Role::Boy)), "boy's earlier request");
  EXPECT_EQ(nameOf(cast.request(stage::Role::Girl)), "girl's earlier request");
}

TEST_F(Performance, AnEmptyTypedSentenceStillMovesVemoAndStopsTheGirl) {
  EXPECT_FALSE(SpeakTypedSentence(cast, QString(), 5));
  EXPECT_EQ(log, QStringList({"vemo MoveTo 180 156", "girl Stop"}));
}

TEST_F(Performance, AMissingCharacterIsAnAgentError) {
  cast.setCharacter(stage::Role::Boy, nullptr);
  EXPECT_THROW(PerformSentence(cast, QStringLiteral("Hi"), QString(), 2), character::AgentError);
  EXPECT_TRUE(log.isEmpty());
}

// A lesson queues all its lines at once: the sentence said last is the one the pupils have
// begun to say, and one cut off by a Stop still counts once noted before the Stop.
TEST_F(Performance, TheSentenceSaidLastIsTheOneBegunNotTheOneQueuedLast) {
  stage::SpokenSentences& spoken = cast.spokenSentences();
  PerformSentence(cast, QStringLiteral("One"), QString(), 1);
  const character::Request one = cast.request(stage::Role::Girl);
  PerformSentence(cast, QStringLiteral("Two"), QString(), 2);
  EXPECT_FALSE(spoken.last());
  while (one.Status() != character::RequestStatus::Running) {
    ASSERT_LT(clock.nowMs(), 60000);
    engine.runUntil(clock, clock.nowMs() + 50);
  }
  spoken.takeNote();
  for (stage::Role role : stage::kRoles) cast[role].Stop();
  ASSERT_TRUE(spoken.last());
  EXPECT_EQ(spoken.last()->speaker, stage::Role::Girl);
  EXPECT_EQ(spoken.last()->text, "One");

  stage::SayAgain(cast, *spoken.last());
  EXPECT_EQ(log.last(), "girl Speak \"One\"");
  SpeakTypedSentence(cast, QStringLiteral("Typed"), 4);
  engine.runUntil(clock, clock.nowMs() + 60000);
  EXPECT_EQ(spoken.last()->speaker, stage::Role::Boy);
  EXPECT_EQ(spoken.last()->text, "Typed");
}

}  // namespace
