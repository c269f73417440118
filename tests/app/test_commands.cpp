#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <climits>

#include "app/commands.h"
#include "app/maun.h"
#include "stage/cast_stage.h"

namespace {

using app::commands::CommandTarget;

void ensureApplication() {
  static int argc = 1;
  static char name[] = "app_tests";
  static char* argv[] = {name, nullptr};
  if (!qApp) new QApplication(argc, argv);
}

// The cast of test characters with a real sentence window; the dialog, the help window, the
// message box and the end of the program are recorded instead.
class RecordingTarget : public CommandTarget, public stage_testing::CastStage {
 public:
  stage::Cast& cast() override { return CastStage::cast; }
  std::int32_t& LineCounter() override { return lineCounter; }
  platform::NumberedFiles& files() override { return numberedFiles; }
  lesson::lx& sentenceWindow() override { return window; }
  void showHelp() override { log << "help shown"; }
  QString chooseLessonFile() override {
    log << "dialog";
    return chosenLesson;
  }
  void reportError(const QString& message) override { errors << message; }
  void endProgram() override { log << "program ended"; }

  std::int32_t lineCounter = 0;
  platform::NumberedFiles numberedFiles;
  lesson::lx window;
  QString chosenLesson;
  QStringList errors;
};

class Commands : public ::testing::Test {
 protected:
  Commands() { ensureApplication(); }
  void SetUp() override {
    target = std::make_unique<RecordingTarget>();
    target->recordCalls();
  }
  void run(int index) { app::commands::run(*target, index); }

  std::unique_ptr<RecordingTarget> target;
};

TEST_F(Commands, EachIndexReachesItsCommandAndNoOtherIndexDoesAnything) {
  struct Case {
    int index;
    QStringList log;
  };
  const std::vector<Case> cases = {
      {0, {"girl Stop", "dialog"}},
      {1, {"vemo MoveTo 180 156", "girl Stop"}},
      {2, {"boy Stop", "girl Stop", "vemo Stop"}},
      {3, {"boy Hide", "girl Hide", "vemo Hide", "program ended"}},
      {4, {"girl Stop"}},
      {5, {"help shown"}},
      {6, {}},
      {-1, {}},
      {INT_MIN, {}},
      {INT_MAX, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    SetUp();
    target->window.show();
    run(c.index);
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
  target->window.setText1(QStringLiteral("I can do it.\nYes!"));
  target->lineCounter = 4;
  run(app::commands::kSpeak);
  EXPECT_TRUE(target->log.contains("boy Speak \"I can do it.\nYes!\""));
  EXPECT_EQ(target->lineCounter, 5);
}

TEST_F(Commands, StopStillHidesTheWindowWhenACharacterCallFails) {
  target->window.show();
  target->cast().Girl = nullptr;
  run(app::commands::kStop);
  EXPECT_EQ(target->log, QStringList({"boy Stop", "vemo Stop"}));
  EXPECT_FALSE(target->window.isVisible());
  EXPECT_TRUE(target->errors.isEmpty());
}

TEST_F(Commands, StopWithNothingQueuedChangesNothingElse) {
  target->window.setText1(QStringLiteral("Hi"));
  target->window.setText2(QStringLiteral("你好"));
  target->lineCounter = 3;
  const stage::Cast& cast = target->cast();
  const character::Request boyRequest = cast.BoyRequest;
  const character::Request vemoRequest = cast.VemoRequest;
  run(app::commands::kStop);
  run(app::commands::kStop);
  EXPECT_EQ(target->lineCounter, 3);
  EXPECT_EQ(target->window.text1(), "Hi");
  EXPECT_EQ(target->window.text2(), "你好");
  EXPECT_TRUE(cast.BoyRequest == boyRequest);
  EXPECT_TRUE(cast.VemoRequest == vemoRequest);
  EXPECT_EQ(target->log.size(), 6);
  EXPECT_TRUE(target->errors.isEmpty());
}

TEST_F(Commands, TypingTwiceBringsTheWindowBackAndKeepsTheText) {
  run(app::commands::kTypeSentence);
  ASSERT_TRUE(target->window.isVisible());
  EXPECT_EQ(target->window.pos(), QPoint(64, 24));
  target->window.Text1()->insertPlainText(QStringLiteral("Good night"));
  target->window.move(300, 200);
  target->window.Text2()->setFocus();

  run(app::commands::kTypeSentence);
  EXPECT_EQ(target->window.pos(), QPoint(64, 24));
  EXPECT_EQ(target->window.text1(), "Good night");
  EXPECT_EQ(target->window.size(), QSize(377, 81));
  EXPECT_EQ(target->window.focusWidget(), target->window.Text1());
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), target->window.Text1());
}

TEST_F(Commands, QuitReleasesEveryCharacterInTheOrderOfTheRoles) {
  run(app::commands::kQuit);
  const stage::Cast& cast = target->cast();
  EXPECT_EQ(cast.Boy, nullptr);
  EXPECT_EQ(cast.Girl, nullptr);
  EXPECT_EQ(cast.Vemo, nullptr);
  EXPECT_TRUE(cast.BoyRequest.isNull());
  EXPECT_TRUE(cast.GirlRequest.isNull());
  EXPECT_TRUE(cast.VemoRequest.isNull());
  EXPECT_EQ(target->log.last(), "program ended");
}

TEST_F(Commands, AFailingCommandStopsAtThatStepAndReportsWhy) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("lesson.txt"));
  target->chosenLesson = dir.filePath("lesson.txt");
  target->lineCounter = 9;
  run(app::commands::kOpenLesson);
  ASSERT_EQ(target->errors.size(), 1);
  EXPECT_TRUE(target->errors[0].contains(target->chosenLesson)) << qPrintable(target->errors[0]);
  EXPECT_EQ(target->lineCounter, 9);

  target->cast().Girl = nullptr;
  run(app::commands::kTypeSentence);
  ASSERT_EQ(target->errors.size(), 2);
  EXPECT_TRUE(target->errors[1].contains("girl")) << qPrintable(target->errors[1]);
  EXPECT_FALSE(target->window.isVisible());

  // The program goes on: the next command works.
  run(app::commands::kHelp);
  EXPECT_EQ(target->log.last(), "help shown");
}

}  // namespace

namespace {

// The toolbar's own buttons reach the commands through the form, on the form's own windows.
TEST(FormCommands, TheBarsButtonsWorkOnTheFormsSentenceWindow) {
  ensureApplication();
  stage_testing::CastStage stage;
  app::maun form(stage.engine);
  form.cast().Boy = stage.cast.Boy;
  form.cast().Girl = stage.cast.Girl;
  form.cast().Vemo = stage.cast.Vemo;
  form.Command1(app::commands::kTypeSentence).click();
  lesson::lx& window = form.lx();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.pos(), QPoint(64, 24));
  form.Command1(app::commands::kStop).click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(&form.lx(), &window);
}

}  // namespace
