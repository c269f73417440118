// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/commands.h"
#include "app/program.h"
#include "fake_listener.h"
#include "lesson/sentence_window.h"
#include "practice/learner_turn.h"
#include "practice/pace_setting.h"
#include "practice/reading_feedback.h"
#include "program_on_stage.h"
#include "stage/cast_stage.h"
#include "stage/closing_scene.h"
#include "stage/performance.h"

namespace {

using app::commands::Command;
using app_testing::ProgramOnStage;
using listening::WordScore;
using stage::Role;

// Plays the characters on and runs the event loop until the listener has been asked `count`
// times in all.
bool listenedTo(stage_testing::CastStage& stage, app_testing::FakeListener& listener,
                qsizetype count) {
  for (int step = 0; step < 200 && listener.sentences.size() < count; ++step) {
    stage.engine.runUntil(stage.clock, stage.clock.nowMs() + 200);
    QTest::qWait(10);
  }
  return listener.sentences.size() == count;
}

TEST(LearnerCommands, TheButtonsMenuAndTheSentenceWindowsKeysReachTheCommands) {
  ProgramOnStage on;
  app::Program& program = on.program;
  const toolbar::ToolbarWindow& toolbar = program.toolbar();
  QContextMenuEvent onGrip(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
  QCoreApplication::sendEvent(&toolbar.grip(), &onGrip);
  EXPECT_FALSE(program.learnerMenu().isVisible());
  QContextMenuEvent onButton(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
  QCoreApplication::sendEvent(&toolbar.button(app::commands::commandIndex(Command::Help)),
                              &onButton);
  EXPECT_TRUE(program.learnerMenu().isVisible());
  program.learnerMenu().hide();

  // Before anything was said, the sentence window's text, said by the pupil whose turn it is.
  lesson::SentenceWindow& window = program.sentenceWindow();
  window.setSentence(QStringLiteral("Good morning"));
  program.lesson().setLineCounter(3);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(window.sentenceBox(), Qt::Key_F6);
  EXPECT_EQ(on.stage.log.last(), "girl Speak \"Good morning\"");

  QTest::keyClick(window.sentenceBox(), Qt::Key_F5);
  EXPECT_EQ(on.stage.log.last(), "vemo Speak \"Your turn!\"");
  ASSERT_TRUE(listenedTo(on.stage, on.listener, 1));
  EXPECT_EQ(on.listener.sentences.last(), "Good morning");
  on.listener.callbacks.levelChanged(0.1);
  EXPECT_TRUE(program.learnerTurn().sign().isVisible());

  toolbar.button(app::commands::commandIndex(Command::Stop)).click();
  EXPECT_TRUE(on.listener.readingDestroyed);
  EXPECT_FALSE(program.learnerTurn().sign().isVisible());

  program.learnerMenu().sayAgain().trigger();
  EXPECT_EQ(on.stage.log.last(), "girl Speak \"Good morning\"");
  program.learnerMenu().yourTurn().trigger();
  EXPECT_EQ(on.stage.log.last(), "vemo Speak \"Your turn!\"");

  // With nothing said and nothing typed, the host asks for a sentence.
  ProgramOnStage empty;
  empty.program.learnerMenu().yourTurn().trigger();
  EXPECT_EQ(empty.stage.log.last(), "vemo Speak \"Open a lesson or type a sentence first.\"");
  EXPECT_TRUE(empty.listener.sentences.isEmpty());
}

// The pace chosen in the menu is kept across runs; the slow speech of earlier versions is 0.8.
TEST(LearnerCommands, ThePaceChosenIsKeptAcrossRuns) {
  QTemporaryDir config;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
  QSettings(QStringLiteral("chengmu"), QStringLiteral("chengmu")).setValue("speech/slow", true);
  {
    ProgramOnStage first;
    const QList<QAction*> paces = first.program.learnerMenu().paceMenu().actions();
    ASSERT_EQ(paces.size(), 3);
    EXPECT_EQ(paces[0]->text(), "0.6×");
    EXPECT_TRUE(paces[1]->isChecked());
    EXPECT_EQ(first.program.cast().sentencePace(), 0.8);
    paces[0]->trigger();
    EXPECT_EQ(first.program.cast().sentencePace(), 0.6);
    EXPECT_FALSE(paces[1]->isChecked());
  }
  EXPECT_TRUE(QFile::exists(config.filePath("chengmu/chengmu.conf")));
  ProgramOnStage second;
  EXPECT_TRUE(second.program.paces()[0]->isChecked());
  EXPECT_EQ(second.program.cast().sentencePace(), 0.6);
  second.program.paces()[2]->trigger();
  EXPECT_EQ(second.program.cast().sentencePace(), 1.0);
}

// Slow speech slows the pupils' sentences; the host's own lines keep the voices' pace.
TEST(LearnerCommands, SlowSpeechSlowsOnlyThePupilsSentences) {
  QTemporaryDir config;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
  ProgramOnStage on;
  on.program.paces()[0]->trigger();
  stage::PerformSentence(on.program.cast(), QStringLiteral("Good morning"),
                         QStringLiteral("早上好"), 3);
  on.program.sentenceWindow().setSentence(QStringLiteral("Good morning"));
  on.program.learnerMenu().yourTurn().trigger();
  stage::queueClosingScene(on.program.cast());
  EXPECT_TRUE(on.stage.log.contains("girl Speak \"Good morning\" \"0.6\""));
  EXPECT_TRUE(on.stage.log.contains("vemo Speak \"Your turn!\""));
  EXPECT_TRUE(on.stage.log.contains("vemo Speak \"学 习 完 毕\""));
  EXPECT_EQ(on.stage.engine.speechPace(), 1.0);
}

// The host's answer to a reading, one case per way a reading ends; a new turn ends the one
// before it.
TEST(LearnerTurn, TheHostAnswersWithTheMarkedScoreOrWhatWentWrong) {
  stage_testing::CastStage stage;
  app_testing::FakeListener listener;
  practice::LearnerTurn turn(stage.cast, listener, [] { return QRect(500, 100, 80, 90); });
  stage.recordCalls();
  const stage::SpokenSentence sentence{Role::Girl, QStringLiteral("I like green apples.")};
  const std::vector<WordScore> oneMissed = {
      {"I", true}, {"like", true}, {"green", false}, {"apples", true}};

  // The sign shows with the first sound the microphone delivers, not before.
  turn.start(sentence);
  ASSERT_TRUE(listenedTo(stage, listener, 1));
  EXPECT_FALSE(turn.sign().isVisible());
  listener.callbacks.levelChanged(0.5);
  EXPECT_TRUE(turn.sign().isVisible());
  EXPECT_EQ(turn.sign().pos(), QPoint(580, 103));
  EXPECT_EQ(turn.sign().level(), 0.5);
  listener.callbacks.recordingEnded();
  EXPECT_FALSE(turn.sign().isVisible());
  listener.callbacks.scored(oneMissed);
  EXPECT_EQ(stage.log.mid(stage.log.size() - 3),
            QStringList({"vemo Speak \"Try again.\" \"I like green apples. (3/4)\"",
                         "girl Wait [vemo Speak \"Try again.\" \"I like green apples. (3/4)\"]",
                         "girl Speak \"green\" \"0.65\""}));
  const character::SpeakStyle note = practice::scoredNote(sentence.text, oneMissed);
  EXPECT_EQ(note.marked, std::vector<character::MarkedRange>({{7, 5}}));

  turn.start(sentence);
  EXPECT_TRUE(listener.readingDestroyed);
  ASSERT_TRUE(listenedTo(stage, listener, 2));
  listener.callbacks.scored({{"I", true}, {"like", true}, {"green", true}, {"apples", true}});
  EXPECT_EQ(stage.log.mid(stage.log.size() - 2),
            QStringList({"vemo Speak \"Well done!\" \"I like green apples. (4/4)\"",
                         "vemo Play \"Congratulate\""}));

  turn.start(sentence);
  ASSERT_TRUE(listenedTo(stage, listener, 3));
  listener.callbacks.failed(listening::ReadingProblem::NoMicrophone);
  EXPECT_EQ(stage.log.last(), "vemo Speak \"I can't hear you: no microphone found.\"");
  EXPECT_FALSE(turn.sign().isVisible());
}

}  // namespace
