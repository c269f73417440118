// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/commands.h"
#include "lesson/sentence_window.h"
#include "program_on_stage.h"

namespace {

using app::commands::Command;
using listening::WordScore;

// Plays the characters on and runs the event loop until the listener has been asked `count`
// times in all.
bool listenedTo(app_testing::ProgramOnStage& on, qsizetype count) {
  for (int step = 0; step < 300 && on.listener.sentences.size() < count; ++step) {
    on.stage.engine.runUntil(on.stage.clock, on.stage.clock.nowMs() + 200);
    QTest::qWait(5);
  }
  return on.listener.sentences.size() == count;
}

void playOn(app_testing::ProgramOnStage& on, int steps) {
  for (int step = 0; step < steps; ++step) {
    on.stage.engine.runUntil(on.stage.clock, on.stage.clock.nowMs() + 200);
    QTest::qWait(5);
  }
}

// A drill of a three-sentence lesson with no click: each sentence said, heard, answered and
// followed by the next; Page Down and Page Up move through it, a miss gets a second try, the
// host sums it up, and Esc stops it.
TEST(Drill, GoesThroughTheLessonWithTheKeysAndSumsItUp) {
  QTemporaryDir folder;
  const QString lessonPath = folder.filePath(QStringLiteral("three.txt"));
  QFile lessonFile(lessonPath);
  ASSERT_TRUE(lessonFile.open(QIODevice::WriteOnly));
  lessonFile.write(
      "Good morning.~\xd4\xe7\xc9\xcf\xba\xc3\r\nThank you.~\xd0\xbb\xd0\xbb\r\n"
      "See you.~\xd4\xd9\xbc\xfb\r\n");
  lessonFile.close();
  app_testing::ProgramOnStage on;
  app::Program& program = on.program;
  program.openLessonFile(lessonPath);
  program.run(Command::Stop);

  program.run(Command::Drill);
  ASSERT_TRUE(listenedTo(on, 1));
  EXPECT_EQ(on.listener.sentences.last(), "Good morning.");
  EXPECT_TRUE(on.stage.log.contains("vemo Think \"1/3  早 上 好\""));
  on.listener.callbacks.scored(
      {{QStringLiteral("Good"), true}, {QStringLiteral("morning."), true}});
  ASSERT_TRUE(listenedTo(on, 2));
  EXPECT_EQ(on.listener.sentences.last(), "Thank you.");

  QPlainTextEdit* keys = program.sentenceWindow().sentenceBox();
  QTest::keyClick(keys, Qt::Key_PageDown);
  ASSERT_TRUE(listenedTo(on, 3));
  EXPECT_EQ(on.listener.sentences.last(), "See you.");
  QTest::keyClick(keys, Qt::Key_PageUp);
  ASSERT_TRUE(listenedTo(on, 4));
  EXPECT_EQ(on.listener.sentences.last(), "Thank you.");
  on.listener.callbacks.scored({{QStringLiteral("Thank"), true}, {QStringLiteral("you."), true}});
  ASSERT_TRUE(listenedTo(on, 5));
  on.listener.callbacks.scored({{QStringLiteral("See"), true}, {QStringLiteral("you."), false}});
  ASSERT_TRUE(listenedTo(on, 6));
  EXPECT_EQ(on.listener.sentences.last(), "See you.");
  on.listener.callbacks.scored({{QStringLiteral("See"), true}, {QStringLiteral("you."), false}});
  playOn(on, 40);
  EXPECT_TRUE(on.stage.log.contains("vemo Speak \"You said 2 of 3 sentences.\""));
  EXPECT_EQ(program.sentenceWindow().sentence(), "See you.");
  // Once the drill is over, the keys type again.
  QTest::keyClick(keys, Qt::Key_Space);
  EXPECT_EQ(program.sentenceWindow().sentence().count(QLatin1Char(' ')), 2);

  // Space pauses and resumes at the same sentence; Esc stops.
  program.run(Command::Drill);
  ASSERT_TRUE(listenedTo(on, 7));
  QTest::keyClick(keys, Qt::Key_Space);
  playOn(on, 20);
  EXPECT_EQ(on.listener.sentences.size(), 7);
  QTest::keyClick(keys, Qt::Key_Space);
  ASSERT_TRUE(listenedTo(on, 8));
  EXPECT_EQ(on.listener.sentences[6], on.listener.sentences[7]);
  QTest::keyClick(keys, Qt::Key_Escape);
  EXPECT_FALSE(program.sentenceRun().active());
  EXPECT_FALSE(program.sentenceWindow().isVisible());
  playOn(on, 20);
  EXPECT_EQ(on.listener.sentences.size(), 8);
}

}  // namespace

namespace {

// F9: own voice, then the model; before any reading the host asks for one.
TEST(HearMyReading, PlaysTheLastRecordingThenThePupilSaysTheSentence) {
  app_testing::ProgramOnStage on;
  app::Program& program = on.program;
  program.run(Command::HearMyReading);
  EXPECT_EQ(on.stage.log.last(), "vemo Speak \"Read a sentence aloud first.\"");

  program.sentenceWindow().setSentence(QStringLiteral("Good night."));
  program.run(Command::YourTurn);
  ASSERT_TRUE(listenedTo(on, 1));
  on.listener.callbacks.recorded({{1, 2, 3}, 16000});
  on.listener.callbacks.scored({{QStringLiteral("Good"), true}, {QStringLiteral("night."), true}});
  QTest::qWait(5);
  program.run(Command::HearMyReading);
  ASSERT_EQ(on.listener.played.size(), 1u);
  EXPECT_EQ(on.listener.played[0].samples, (std::vector<std::int16_t>{1, 2, 3}));
  on.stage.log.clear();
  on.listener.playbackFinished();
  EXPECT_EQ(on.stage.log.last(), "boy Speak \"Good night.\"");
}

}  // namespace
