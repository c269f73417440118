// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <stdexcept>

#include "help/click_label.h"
#include "help/help_text.h"
#include "help_test_support.h"

namespace {

using help_test::click;
using help_test::HelpWindowTest;
using help_test::processEvents;

const QPoint kHelpPosition(333, 25);  // Left 5000, Top 380 twips at 96 dpi

// A window of the program other than the help window, such as the toolbar.
class OtherWindow {
 public:
  OtherWindow() {
    widget_.setGeometry(0, 0, 200, 20);
    widget_.show();
  }
  void activate() {
    widget_.activateWindow();
    processEvents();
  }

 private:
  QWidget widget_;
};

TEST_F(HelpWindowTest, HelpCommandShowsTheIntroductionAtItsPlace) {
  writeIntroduction("Welcome.\r\nSecond line.\r\n");
  window_.move(0, 0);

  window_.showHelp();
  processEvents();

  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(window_.pos(), kHelpPosition);
  EXPECT_EQ(shownText(), "Welcome.\nSecond line.\n");
  EXPECT_TRUE(window_.welcomeLabel()->isVisible());
  EXPECT_TRUE(window_.textArea()->isVisible());
  EXPECT_EQ(window_.textArea()->height(), 225);  // 3375 twips
  EXPECT_TRUE(reportedErrors_.isEmpty());
}

TEST_F(HelpWindowTest, ComingBackFromAnotherWindowOfTheProgramBringsTheIntroductionBack) {
  writeIntroduction("intro");
  writeUsage("usage");
  OtherWindow toolbar;
  toolbar.activate();
  window_.showHelp();
  processEvents();
  click(*window_.usageLink());
  window_.move(10, 400);

  toolbar.activate();
  EXPECT_EQ(shownText(), "usage") << "leaving the window changes nothing";
  window_.activateWindow();
  processEvents();

  EXPECT_EQ(shownText(), "intro");
  EXPECT_EQ(window_.pos(), kHelpPosition);
}

TEST_F(HelpWindowTest, HelpCommandWhileShownActivatesTheSameWindowAgain) {
  writeIntroduction("intro");
  writeUsage("usage");
  window_.showHelp();
  processEvents();
  click(*window_.usageLink());
  window_.move(50, 50);

  window_.showHelp();
  processEvents();

  EXPECT_EQ(shownText(), "intro");
  EXPECT_EQ(window_.pos(), kHelpPosition);
}

TEST_F(HelpWindowTest, QuitButtonHidesAndHelpShowsTheIntroductionAgain) {
  writeIntroduction("intro");
  writeUsage("usage");
  window_.showHelp();
  processEvents();
  click(*window_.usageLink());

  window_.closeButton()->click();
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(shownText(), "usage") << "a hidden window keeps its text";

  window_.showHelp();
  processEvents();
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(window_.pos(), kHelpPosition);
  EXPECT_EQ(shownText(), "intro");
}

TEST_F(HelpWindowTest, MissingHelpFileIsCreatedEmptyAndEmptiesTheTextArea) {
  writeUsage("usage");
  window_.showHelpText(QString::fromUtf8(help::kUsageFile));
  ASSERT_EQ(shownText(), "usage");

  window_.showHelp();
  processEvents();

  EXPECT_EQ(shownText(), "");
  const QFileInfo created(QString::fromUtf8(help::kIntroductionFile));
  EXPECT_TRUE(created.isFile());
  EXPECT_EQ(created.size(), 0);
  EXPECT_TRUE(reportedErrors_.isEmpty());
}

TEST_F(HelpWindowTest, CodePage936TextShowsInFull) {
  // "Hello 你好, 1+1=2" then "乗乚亊~世界[a]": the last three have "\", "]" and "~" as their
  // second byte.
  writeIntroduction(
      QByteArray::fromHex("48656c6c6f20c4e3bac32c20312b313d320d0a"
                          "815c815d817e7ecac0bde75b615d0d0a"));
  window_.showHelp();
  processEvents();

  EXPECT_EQ(shownText(), QString::fromUtf8("Hello 你好, 1+1=2\n乗乚亊~世界[a]\n"));
}

TEST_F(HelpWindowTest, HelpTextsComeFromTheCurrentDirectory) {
  writeIntroduction("first directory");
  window_.showHelp();
  processEvents();
  ASSERT_EQ(shownText(), "first directory");

  QTemporaryDir otherDirectory;
  QDir::setCurrent(otherDirectory.path());
  help_test::writeFile(QString::fromUtf8(help::kIntroductionFile), "second directory");
  click(*window_.introductionLink());

  EXPECT_EQ(shownText(), "second directory");
}

TEST_F(HelpWindowTest, ShowingAHelpTextClosesAHaltedLessonFile) {
  help_test::writeFile("lesson.txt", "Hello~你好\r\nno translation\r\n");
  files_.openForInput(platform::NumberedFiles::kLessonFile, "lesson.txt");
  writeUsage("usage");

  window_.showHelpText(QString::fromUtf8(help::kUsageFile));

  EXPECT_FALSE(files_.isOpen(platform::NumberedFiles::kLessonFile));
  EXPECT_FALSE(files_.isOpen(platform::NumberedFiles::kHelpFile));
}

TEST_F(HelpWindowTest, UnreadableUsageFileIsReportedAndTheTextStays) {
  writeIntroduction("intro");
  ASSERT_TRUE(QDir().mkdir(QString::fromUtf8(help::kUsageFile)));
  window_.showHelp();
  processEvents();

  click(*window_.usageLink());

  ASSERT_EQ(reportedErrors_.size(), 1);
  EXPECT_TRUE(reportedErrors_.front().contains(QString::fromUtf8(help::kUsageFile)));
  EXPECT_EQ(shownText(), "intro");
  EXPECT_FALSE(files_.isOpen(platform::NumberedFiles::kHelpFile));

  click(*window_.introductionLink());
  EXPECT_EQ(shownText(), "intro") << "the window still works";
  EXPECT_EQ(reportedErrors_.size(), 1);
}

TEST_F(HelpWindowTest, UnreadableIntroductionEndsTheActivationBeforeTheWelcomeLine) {
  ASSERT_TRUE(QDir().mkdir(QString::fromUtf8(help::kIntroductionFile)));
  window_.move(0, 0);
  OtherWindow toolbar;
  toolbar.activate();

  window_.showHelp();
  processEvents();

  EXPECT_EQ(reportedErrors_.size(), 1) << "one activation, one message";
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(window_.pos(), kHelpPosition);
  EXPECT_FALSE(window_.welcomeLabel()->isVisible());
  EXPECT_EQ(window_.textArea()->height(), 153);  // still 2295 twips
}

// Not only unreadable files: whatever a handler throws (here the decoder's own error) is
// reported, and the window goes on working.
TEST_F(HelpWindowTest, ADecoderErrorIsReportedAndTheWindowGoesOn) {
  writeIntroduction("intro");
  window_.setTextReader([](platform::NumberedFiles&, const QString&) -> QString {
    throw std::runtime_error("text could not be decoded: U_INVALID_CHAR_FOUND");
  });
  window_.showHelp();
  processEvents();
  ASSERT_EQ(reportedErrors_.size(), 1);
  EXPECT_EQ(reportedErrors_.front(), "text could not be decoded: U_INVALID_CHAR_FOUND");
  EXPECT_TRUE(window_.isVisible());

  window_.setTextReader(help::readHelpText);
  click(*window_.introductionLink());
  EXPECT_EQ(shownText(), "intro");
  EXPECT_EQ(reportedErrors_.size(), 1);
}

// A help text over the limit is refused unread, naming the file and the limit; the other text
// still shows.
TEST_F(HelpWindowTest, AHelpTextOverTheSizeLimitIsRefusedAndTheWindowGoesOn) {
  writeIntroduction(QByteArray(platform::NumberedFiles::kMaxBinaryBytes + 1, 'a'));
  writeUsage("usage");
  window_.showHelp();
  processEvents();
  ASSERT_EQ(reportedErrors_.size(), 1);
  EXPECT_TRUE(reportedErrors_.front().contains(QString::fromUtf8(help::kIntroductionFile)));
  EXPECT_TRUE(reportedErrors_.front().contains("larger than 1048576 bytes"))
      << qPrintable(reportedErrors_.front());
  EXPECT_FALSE(files_.isOpen(platform::NumberedFiles::kHelpFile));

  click(*window_.usageLink());
  EXPECT_EQ(shownText(), "usage");
  EXPECT_EQ(reportedErrors_.size(), 1);
}

TEST_F(HelpWindowTest, FileWithoutReadPermissionIsReported) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root reads every file";
  }
  writeIntroduction("intro");
  writeUsage("secret");
  QFile(QString::fromUtf8(help::kUsageFile)).setPermissions(QFileDevice::WriteOwner);
  window_.showHelpText(QString::fromUtf8(help::kIntroductionFile));

  click(*window_.usageLink());

  EXPECT_EQ(reportedErrors_.size(), 1);
  EXPECT_EQ(shownText(), "intro");
}

TEST_F(HelpWindowTest, LongTextIsCutOffAtTheBottomOfTheTextArea) {
  QByteArray longText;
  for (int line = 0; line < 100; ++line) {
    longText += "A line of the help text that is long enough to wrap inside the area.\r\n";
  }
  writeIntroduction(longText);

  window_.showHelp();
  processEvents();

  QLabel& textArea = *window_.textArea();
  EXPECT_EQ(textArea.text().count('\n'), 100) << "the whole text is there";
  EXPECT_GT(textArea.heightForWidth(textArea.width()), textArea.height());
  EXPECT_EQ(textArea.height(), 225) << "the text area does not grow";
}

}  // namespace
