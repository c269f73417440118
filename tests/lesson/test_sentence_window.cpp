// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/program_icon.h"
#include "lesson/lesson_dialog.h"
#include "lesson/sentence_window.h"

namespace {

// As the program does: every window shows the application's icon.
void useProgramIcon() {
  QApplication::setWindowIcon(app::programIcon());
}

class SentenceWindow : public ::testing::Test {
 protected:
  SentenceWindow() { useProgramIcon(); }
  lesson::SentenceWindow* window() {
    if (!window_) window_ = std::make_unique<lesson::SentenceWindow>();
    return window_.get();
  }

 private:
  std::unique_ptr<lesson::SentenceWindow> window_;
};

TEST_F(SentenceWindow, IsASmallFramelessWindowCreatedHiddenAndEmpty) {
  lesson::SentenceWindow& sentenceWindow = *window();
  EXPECT_EQ(sentenceWindow.windowTitle(), "英语学习");
  EXPECT_FALSE(sentenceWindow.isVisible());
  EXPECT_TRUE(sentenceWindow.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(sentenceWindow.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(sentenceWindow.size(), QSize(377, 81));
  EXPECT_FALSE(sentenceWindow.windowIcon().isNull());
  EXPECT_EQ(sentenceWindow.sentence(), "");
  EXPECT_EQ(sentenceWindow.translation(), "");
}

TEST_F(SentenceWindow, Text1CoversTheButtonAndText2LiesOutOfSight) {
  lesson::SentenceWindow& sentenceWindow = *window();
  EXPECT_EQ(sentenceWindow.sentenceBox()->geometry(), QRect(8, 8, 361, 65));
  EXPECT_EQ(sentenceWindow.frameButton()->geometry(), QRect(0, 0, 377, 81));
  EXPECT_EQ(sentenceWindow.translationBox()->geometry(), QRect(8, 96, 361, 57));
  EXPECT_GE(sentenceWindow.translationBox()->y(), sentenceWindow.height());
  // Stacking from the top: Text1, Command1, Text2.
  EXPECT_TRUE(sentenceWindow.sentenceBox()->isAncestorOf(sentenceWindow.childAt(100, 40)));
  EXPECT_EQ(sentenceWindow.childAt(2, 2), sentenceWindow.frameButton());
  EXPECT_EQ(sentenceWindow.frameButton()->text(), "Command1");
  EXPECT_FALSE(sentenceWindow.frameButton()->isDefault());
  EXPECT_FALSE(sentenceWindow.frameButton()->autoDefault());
}

TEST_F(SentenceWindow, TheTextBoxesHaveTheirFontsAndColours) {
  lesson::SentenceWindow& sentenceWindow = *window();
  EXPECT_EQ(QFontInfo(sentenceWindow.sentenceBox()->font()).family(), "Liberation Sans");
  EXPECT_TRUE(QFontInfo(sentenceWindow.translationBox()->font()).family().startsWith("AR PL UKai"))
      << qPrintable(QFontInfo(sentenceWindow.translationBox()->font()).family());
  for (QPlainTextEdit* box : {sentenceWindow.sentenceBox(), sentenceWindow.translationBox()}) {
    EXPECT_EQ(box->font().pointSize(), 18);
    EXPECT_EQ(box->font().weight(), QFont::Normal);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_FALSE(box->isReadOnly());
  }
  EXPECT_EQ(sentenceWindow.sentenceBox()->palette().color(QPalette::Text),
            QColor(0x00, 0xFF, 0x00));
  EXPECT_EQ(sentenceWindow.sentenceBox()->palette().color(QPalette::Base),
            QColor(0x00, 0x00, 0xC0));
  EXPECT_EQ(sentenceWindow.translationBox()->palette().color(QPalette::Text),
            QColor(0xFF, 0xFF, 0xC0));
  EXPECT_EQ(sentenceWindow.translationBox()->palette().color(QPalette::Base),
            QColor(0x00, 0x80, 0x00));
}

TEST_F(SentenceWindow, TabGoesFromText1ToText2ToCommand1AndBack) {
  lesson::SentenceWindow& sentenceWindow = *window();
  EXPECT_EQ(sentenceWindow.focusWidget(), sentenceWindow.translationBox());
  sentenceWindow.show();
  sentenceWindow.activateWindow();
  QApplication::processEvents();
  sentenceWindow.sentenceBox()->setFocus();
  sentenceWindow.setSentence(QStringLiteral("typed"));
  for (QWidget* next : {static_cast<QWidget*>(sentenceWindow.translationBox()),
                        static_cast<QWidget*>(sentenceWindow.frameButton()),
                        static_cast<QWidget*>(sentenceWindow.sentenceBox())}) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QApplication::sendEvent(QApplication::focusWidget(), &tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
  }
  EXPECT_EQ(sentenceWindow.sentence(), "typed");
}

TEST_F(SentenceWindow, ALongSentenceWrapsAndScrollsWithoutGrowingTheWindow) {
  lesson::SentenceWindow& sentenceWindow = *window();
  sentenceWindow.show();
  const QString sentence =
      QStringLiteral("This sentence is much too long for two lines. ").repeated(4);
  sentenceWindow.setSentence(sentence);
  QApplication::processEvents();
  EXPECT_EQ(sentenceWindow.sentence(), sentence);
  EXPECT_GT(sentenceWindow.sentenceBox()->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(sentenceWindow.sentenceBox()->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(sentenceWindow.size(), QSize(377, 81));
}

TEST_F(SentenceWindow, KeepsItsTextsWhileHiddenAndShowsTheLastOnes) {
  lesson::SentenceWindow& sentenceWindow = *window();
  sentenceWindow.setSentence(QStringLiteral("First"));
  sentenceWindow.show();
  sentenceWindow.hideWindow();
  sentenceWindow.setSentence(QStringLiteral(" Hi ~ there "));
  sentenceWindow.setTranslation(QStringLiteral("你好~朋友"));
  EXPECT_EQ(sentenceWindow.sentence(), " Hi ~ there ");
  EXPECT_EQ(sentenceWindow.translation(), "你好~朋友");
  sentenceWindow.moveTo(960, 360);
  sentenceWindow.show();
  EXPECT_EQ(sentenceWindow.pos(), QPoint(64, 24));
  EXPECT_EQ(sentenceWindow.sentenceBox()->toPlainText(), " Hi ~ there ");
  EXPECT_EQ(sentenceWindow.translationBox()->toPlainText(), "你好~朋友");
  sentenceWindow.sentenceBox()->moveCursor(QTextCursor::End);
  sentenceWindow.sentenceBox()->insertPlainText(QStringLiteral("!"));
  EXPECT_EQ(sentenceWindow.sentence(), " Hi ~ there !");
}

TEST(ProgramIcon, IsAPictureAtThirtyTwoPixels) {
  const QImage image = app::programIcon().pixmap(32, 32).toImage();
  ASSERT_EQ(image.size(), QSize(32, 32));
  QSet<QRgb> colours;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) colours.insert(image.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 4);
}

TEST(LessonDialog, TheFilterBecomesTheDialogsOwnSyntax) {
  EXPECT_EQ(lesson::toDialogFilter(lesson::kLessonFilter),
            "所有可读文件 (*.txt *.lrc);;文本文件 txt (*.txt);;歌词文件 lrc (*.lrc)");
  EXPECT_EQ(lesson::toDialogFilter("Text|*.txt"), "Text (*.txt)");
  EXPECT_EQ(lesson::lessonDialogFilter(),
            "所有可读文件 (*.txt *.lrc);;文本文件 txt (*.txt);;歌词文件 lrc (*.lrc);;"
            "字幕和卡片文件 (*.srt *.vtt *.tsv *.csv);;所有文件 (*)");
}

}  // namespace
