// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <climits>
#include <functional>
#include <limits>
#include <stdexcept>

#include "app/commands.h"
#include "app/program.h"
#include "fake_listener.h"
#include "help/help_text.h"
#include "lesson/sentence_window.h"
#include "practice/learner_turn.h"
#include "practice/lesson_reading.h"
#include "practice/sentence_run.h"
#include "stage/cast_stage.h"
#include "toolbar/toolbar_window.h"

namespace {

using app::commands::Command;
using app::commands::CommandTarget;
using stage::Role;

// The cast of test characters with a real sentence window; the dialog, the help window, the
// message box and the end of the program are recorded instead.
class RecordingTarget : public CommandTarget, public stage_testing::CastStage {
 public:
  stage::Cast& cast() override { return CastStage::cast; }
  lesson::LessonSession& lesson() override { return session; }
  lesson::SentenceView& sentenceWindow() override { return window; }
  practice::LearnerTurn& learnerTurn() override { return turn; }
  practice::SentenceRun& sentenceRun() override { return run; }
  void startReview() override { log << "review"; }
  void startDrill() override { log << "drill"; }
  void hearMyReading() override { log << "hear my reading"; }
  void stopPlayback() override {}
  void showProgress() override { log << "progress shown"; }
  void showHelp() override {
    if (helpFails) throw std::runtime_error("the help window is broken");
    log << "help shown";
  }
  QString chooseLessonFile() override {
    log << "dialog";
    return chosenLesson;
  }
  void reportError(const QString& message) override { errors << message; }
  void endProgram() override { log << "program ended"; }

  platform::NumberedFiles numberedFiles;
  lesson::LessonSession session{numberedFiles};
  lesson::SentenceWindow window;
  app_testing::FakeListener listener;
  practice::LearnerTurn turn{CastStage::cast, listener, [] { return QRect(); }};
  practice::SentenceRun run{CastStage::cast, turn,
                            [this]() -> lesson::SentenceView& { return window; }};
  QString chosenLesson;
  QStringList errors;
  bool helpFails = false;
};

class Commands : public ::testing::Test {
 protected:
  void SetUp() override {
    target = std::make_unique<RecordingTarget>();
    target->recordCalls();
  }
  void run(Command command) { app::commands::run(*target, command); }

  std::unique_ptr<RecordingTarget> target;
};

TEST_F(Commands, EachIndexReachesItsCommandAndNoOtherIndexDoesAnything) {
  struct Case {
    int index;  // the button's index, or a value that is no command
    QStringList log;
  };
  const std::vector<Case> cases = {
      {0, {"girl Stop", "dialog"}},
      {1, {"vemo MoveTo 180 156", "girl Stop"}},
      {2, {"boy Stop", "girl Stop", "vemo Stop"}},
      {3, {"boy Hide", "girl Hide", "vemo Hide", "program ended"}},
      {4, {"girl Stop"}},
      {5, {"help shown"}},
      {int(app::commands::kCommandCount), {}},
      {-1, {}},
      {INT_MIN, {}},
      {INT_MAX, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    SetUp();
    target->window.show();
    const bool isButton = c.index >= 0 && c.index < int(app::commands::kButtonCount);
    const Command command =
        isButton ? app::commands::kCommands[c.index].command : static_cast<Command>(c.index);
    if (isButton) {
      EXPECT_EQ(app::commands::commandIndex(command), c.index);
    }
    run(command);
    EXPECT_EQ(target->log, c.log);
    EXPECT_TRUE(target->errors.isEmpty()) << qPrintable(target->errors.join('\n'));
    const bool hides = c.index == 0 || c.index == 2;
    const bool shows = c.index == 4;
    EXPECT_EQ(target->window.isVisible(), !hides) << "hides: " << hides;
    if (shows) {
      EXPECT_EQ(target->window.pos(), QPoint(64, 24));
    }
  }
}

TEST_F(Commands, SpeakSaysWhatTheSentenceWindowHolds) {
  target->window.setSentence(QStringLiteral("I can do it.\nYes!"));
  target->session.setLineCounter(4);
  run(Command::Speak);
  EXPECT_TRUE(target->log.contains("boy Speak \"I can do it.\nYes!\""));
  EXPECT_EQ(target->session.LineCounter(), 5);
}

// "短" cuts the girl off, yet the sentence she began is the one to say again, not the text typed
// since.
TEST_F(Commands, ASentenceCutOffByTypingIsSaidAgain) {
  target->window.setSentence(QStringLiteral("Good morning"));
  target->session.setLineCounter(1);
  run(Command::Speak);
  target->engine.runUntil(target->clock,
                          target->clock.nowMs() + 500);  // past the girl's pose, into the sentence
  run(Command::TypeSentence);
  target->window.setSentence(QStringLiteral("Not said yet"));
  run(Command::SayAgain);
  EXPECT_EQ(target->log.last(), "girl Speak \"Good morning\"");
}

TEST_F(Commands, SpeakingAtTheLargestCountIsReportedAndTheCountStays) {
  target->window.setSentence(QStringLiteral("Hi"));
  target->session.setLineCounter(std::numeric_limits<std::int32_t>::max());
  run(Command::Speak);
  ASSERT_EQ(target->errors.size(), 1);
  EXPECT_EQ(target->session.LineCounter(), std::numeric_limits<std::int32_t>::max());
}

TEST_F(Commands, StopStillHidesTheWindowWhenACharacterCallFails) {
  target->window.show();
  target->cast().setCharacter(Role::Girl, nullptr);
  run(Command::Stop);
  EXPECT_EQ(target->log, QStringList({"boy Stop", "vemo Stop"}));
  EXPECT_FALSE(target->window.isVisible());
  EXPECT_TRUE(target->errors.isEmpty());
}

TEST_F(Commands, StopWithNothingQueuedChangesNothingElse) {
  target->window.setSentence(QStringLiteral("Hi"));
  target->window.setTranslation(QStringLiteral("你好"));
  target->session.setLineCounter(3);
  const stage::Cast& cast = target->cast();
  const character::Request boyRequest = cast.request(Role::Boy);
  const character::Request vemoRequest = cast.request(Role::Host);
  run(Command::Stop);
  run(Command::Stop);
  EXPECT_EQ(target->session.LineCounter(), 3);
  EXPECT_EQ(target->window.sentence(), "Hi");
  EXPECT_EQ(target->window.translation(), "你好");
  EXPECT_TRUE(cast.request(Role::Boy) == boyRequest);
  EXPECT_TRUE(cast.request(Role::Host) == vemoRequest);
  EXPECT_EQ(target->log.size(), 6);
  EXPECT_TRUE(target->errors.isEmpty());
}

TEST_F(Commands, TypingTwiceBringsTheWindowBackAndKeepsTheText) {
  run(Command::TypeSentence);
  ASSERT_TRUE(target->window.isVisible());
  EXPECT_EQ(target->window.pos(), QPoint(64, 24));
  target->window.sentenceBox()->insertPlainText(QStringLiteral("Good night"));
  target->window.move(300, 200);
  target->window.translationBox()->setFocus();

  run(Command::TypeSentence);
  EXPECT_EQ(target->window.pos(), QPoint(64, 24));
  EXPECT_EQ(target->window.sentence(), "Good night");
  EXPECT_EQ(target->window.size(), QSize(377, 81));
  EXPECT_EQ(target->window.focusWidget(), target->window.sentenceBox());
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), target->window.sentenceBox());
}

TEST_F(Commands, QuitReleasesEveryCharacterInTheOrderOfTheRoles) {
  run(Command::Quit);
  const stage::Cast& cast = target->cast();
  EXPECT_EQ(cast.character(Role::Boy), nullptr);
  EXPECT_EQ(cast.character(Role::Girl), nullptr);
  EXPECT_EQ(cast.character(Role::Host), nullptr);
  EXPECT_FALSE(cast.loaded(Role::Boy) || cast.loaded(Role::Girl) || cast.loaded(Role::Host));
  EXPECT_TRUE(cast.request(Role::Boy).isNull());
  EXPECT_TRUE(cast.request(Role::Girl).isNull());
  EXPECT_TRUE(cast.request(Role::Host).isNull());
  EXPECT_EQ(target->log.last(), "program ended");
}

TEST_F(Commands, AFailingCommandStopsAtThatStepAndReportsWhy) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("lesson.txt"));
  target->chosenLesson = dir.filePath("lesson.txt");
  target->session.setLineCounter(9);
  run(Command::OpenLesson);
  ASSERT_EQ(target->errors.size(), 1);
  EXPECT_TRUE(target->errors[0].contains(target->chosenLesson)) << qPrintable(target->errors[0]);
  EXPECT_EQ(target->session.LineCounter(), 9);

  target->cast().setCharacter(Role::Girl, nullptr);
  run(Command::TypeSentence);
  ASSERT_EQ(target->errors.size(), 2);
  EXPECT_TRUE(target->errors[1].contains("girl")) << qPrintable(target->errors[1]);
  EXPECT_FALSE(target->window.isVisible());

  // The program goes on: the next command works.
  run(Command::Help);
  EXPECT_EQ(target->log.last(), "help shown");
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return QString();
  return file.fileName();
}

// The lines of a long lesson that are not read yet belong to the lesson: "停", "文" (cancelled
// or with another lesson), "退" and the close-all of reading a help text drop them as they drop
// what is queued, and nothing more of that lesson is read afterwards. So does a big lesson
// still being read in the background: then not even its first slice is read.
TEST_F(Commands, StopOpenQuitAndAHelpTextDropTheLinesNotReadYet) {
  QTemporaryDir dir;
  const QByteArray line("Hi~x\r\n");
  const QString longLesson =
      writeFile(dir, "long.txt", line.repeated(2 * practice::kLinesPerSlice + 1));
  const QString bigLesson = writeFile(
      dir, "big.txt", line.repeated(platform::NumberedFiles::kReadAtOnceBytes / line.size() + 1));
  const QString shortLesson = writeFile(dir, "short.txt", "Bye~y\r\n");
  const QString helpText = dir.filePath("help.txt");
  struct Case {
    const char* name;
    std::function<void(RecordingTarget&)> act;
    std::int32_t LineCounter;
  };
  const std::vector<Case> cases = {
      {"停", [](RecordingTarget& t) { app::commands::run(t, Command::Stop); },
       practice::kLinesPerSlice},
      {"文 cancelled",
       [](RecordingTarget& t) {
         t.chosenLesson.clear();
         app::commands::run(t, Command::OpenLesson);
       },
       practice::kLinesPerSlice},
      {"文 with another lesson",
       [&](RecordingTarget& t) {
         t.chosenLesson = shortLesson;
         app::commands::run(t, Command::OpenLesson);
       },
       1},
      {"退", [](RecordingTarget& t) { app::commands::run(t, Command::Quit); },
       practice::kLinesPerSlice},
      {"a help text read",
       [&](RecordingTarget& t) { help::readHelpText(t.numberedFiles, helpText); },
       practice::kLinesPerSlice},
  };
  for (const QString& lesson : {longLesson, bigLesson}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      SCOPED_TRACE(qPrintable(lesson));
      SetUp();
      target->chosenLesson = lesson;
      run(Command::OpenLesson);
      ASSERT_TRUE(target->session.staging());
      const bool opening = target->session.opening();
      c.act(*target);
      target->log.clear();
      for (int turn = 0; turn < 5; ++turn) QApplication::processEvents();
      QThread::msleep(200);
      for (int turn = 0; turn < 5; ++turn) QApplication::processEvents();
      EXPECT_FALSE(target->session.staging());
      const bool nothingRead = opening && c.LineCounter == practice::kLinesPerSlice;
      EXPECT_EQ(target->session.LineCounter(), nothingRead ? 0 : c.LineCounter);
      EXPECT_FALSE(target->numberedFiles.isOpen(platform::NumberedFiles::kLessonFile));
      EXPECT_EQ(target->log, QStringList());
      EXPECT_TRUE(target->errors.isEmpty()) << qPrintable(target->errors.join('\n'));
    }
  }
}

// "读" between the slices of a long lesson says the typed sentence, and every line of the
// lesson still goes to the pupil a reading in one pass gives it (odd lines the girl's).
TEST_F(Commands, SpeakWhileALongLessonIsStagedKeepsEveryLinesPupil) {
  QTemporaryDir dir;
  const int lineCount = 2 * practice::kLinesPerSlice + 1;
  QByteArray lines;
  for (int line = 1; line <= lineCount; ++line) {
    lines += "Line " + QByteArray::number(line) + "~x\r\n";
  }
  target->chosenLesson = writeFile(dir, "long.txt", lines);
  run(Command::OpenLesson);
  ASSERT_TRUE(target->session.staging());
  target->window.setSentence(QStringLiteral("Typed"));
  run(Command::Speak);
  EXPECT_TRUE(target->log.contains("boy Speak \"Typed\""));
  for (int turn = 0; turn < 10 && target->session.staging(); ++turn) {
    QApplication::processEvents();
  }
  const QRegularExpression lineSaid(QStringLiteral("^(boy|girl) Speak \"Line (\\d+)\"$"));
  int linesSaid = 0;
  QStringList saidByTheOtherPupil;
  for (const QString& call : target->log) {
    const QRegularExpressionMatch match = lineSaid.match(call);
    if (!match.hasMatch()) continue;
    ++linesSaid;
    const bool odd = match.captured(2).toInt() % 2 != 0;
    if (match.captured(1) != (odd ? "girl" : "boy")) saidByTheOtherPupil << call;
  }
  EXPECT_EQ(linesSaid, lineCount);
  EXPECT_EQ(saidByTheOtherPupil, QStringList());
}

// Any exception, not only the program's own errors, stops at the command's edge.
TEST_F(Commands, AHandlerThatThrowsIsReportedAndTheNextCommandStillRuns) {
  target->helpFails = true;
  run(Command::Help);
  ASSERT_EQ(target->errors, QStringList({"the help window is broken"}));

  run(Command::Stop);
  EXPECT_EQ(target->log, QStringList({"boy Stop", "girl Stop", "vemo Stop"}));
  EXPECT_EQ(target->errors.size(), 1);
}

}  // namespace

namespace {

QPushButton& buttonOf(app::Program& program, Command command) {
  return program.toolbar().button(app::commands::commandIndex(command));
}

// The toolbar's buttons reach the program's commands, on the program's own windows.
TEST(ToolbarCommands, TheBarsButtonsWorkOnTheProgramsSentenceWindow) {
  stage_testing::CastStage stage;
  app_testing::FakeListener listener;
  app::Program program(stage.engine, listener);
  for (Role role : stage::kRoles) program.cast().setCharacter(role, stage.cast.character(role));
  buttonOf(program, Command::TypeSentence).click();
  lesson::SentenceWindow& window = program.sentenceWindow();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.pos(), QPoint(64, 24));
  buttonOf(program, Command::Stop).click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(&program.sentenceWindow(), &window);
}

}  // namespace
