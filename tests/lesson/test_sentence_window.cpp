#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "lesson/lesson_dialog.h"
#include "lesson/lx.h"
#include "lesson/program_icon.h"

namespace {

void ensureApplication() {
  static int argc = 1;
  static char name[] = "lesson_tests";
  static char* argv[] = {name, nullptr};
  if (!qApp) new QApplication(argc, argv);
}

class SentenceWindow : public ::testing::Test {
 protected:
  SentenceWindow() { ensureApplication(); }
  lesson::lx* window() {
    if (!window_) window_ = std::make_unique<lesson::lx>();
    return window_.get();
  }

 private:
  std::unique_ptr<lesson::lx> window_;
};

TEST_F(SentenceWindow, IsASmallFramelessWindowCreatedHiddenAndEmpty) {
  lesson::lx& lx = *window();
  EXPECT_EQ(lx.windowTitle(), "英语学习");
  EXPECT_FALSE(lx.isVisible());
  EXPECT_TRUE(lx.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(lx.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(lx.size(), QSize(377, 81));
  EXPECT_FALSE(lx.windowIcon().isNull());
  EXPECT_EQ(lx.text1(), "");
  EXPECT_EQ(lx.text2(), "");
}

TEST_F(SentenceWindow, Text1CoversTheButtonAndText2LiesOutOfSight) {
  lesson::lx& lx = *window();
  EXPECT_EQ(lx.Text1()->geometry(), QRect(8, 8, 361, 65));
  EXPECT_EQ(lx.Command1()->geometry(), QRect(0, 0, 377, 81));
  EXPECT_EQ(lx.Text2()->geometry(), QRect(8, 96, 361, 57));
  EXPECT_GE(lx.Text2()->y(), lx.height());
  // Stacking from the top: Text1, Command1, Text2.
  EXPECT_TRUE(lx.Text1()->isAncestorOf(lx.childAt(100, 40)));
  EXPECT_EQ(lx.childAt(2, 2), lx.Command1());
  EXPECT_EQ(lx.Command1()->text(), "Command1");
  EXPECT_FALSE(lx.Command1()->isDefault());
  EXPECT_FALSE(lx.Command1()->autoDefault());
}

TEST_F(SentenceWindow, TheTextBoxesHaveTheirFontsAndColours) {
  lesson::lx& lx = *window();
  EXPECT_EQ(QFontInfo(lx.Text1()->font()).family(), "Liberation Sans");
  EXPECT_TRUE(QFontInfo(lx.Text2()->font()).family().startsWith("AR PL UKai"))
      << qPrintable(QFontInfo(lx.Text2()->font()).family());
  for (QPlainTextEdit* box : {lx.Text1(), lx.Text2()}) {
    EXPECT_EQ(box->font().pointSize(), 18);
    EXPECT_EQ(box->font().weight(), QFont::Normal);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_FALSE(box->isReadOnly());
  }
  EXPECT_EQ(lx.Text1()->palette().color(QPalette::Text), QColor(0x00, 0xFF, 0x00));
  EXPECT_EQ(lx.Text1()->palette().color(QPalette::Base), QColor(0x00, 0x00, 0xC0));
  EXPECT_EQ(lx.Text2()->palette().color(QPalette::Text), QColor(0xFF, 0xFF, 0xC0));
  EXPECT_EQ(lx.Text2()->palette().color(QPalette::Base), QColor(0x00, 0x80, 0x00));
}

TEST_F(SentenceWindow, TabGoesFromText1ToText2ToCommand1AndBack) {
  lesson::lx& lx = *window();
  EXPECT_EQ(lx.focusWidget(), lx.Text2());
  lx.show();
  lx.activateWindow();
  QApplication::processEvents();
  lx.Text1()->setFocus();
  lx.setText1(QStringLiteral("typed"));
  for (QWidget* next : {static_cast<QWidget*>(lx.Text2()), static_cast<QWidget*>(lx.Command1()),
                        static_cast<QWidget*>(lx.Text1())}) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QApplication::sendEvent(QApplication::focusWidget(), &tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
  }
  EXPECT_EQ(lx.text1(), "typed");
}

TEST_F(SentenceWindow, ALongSentenceWrapsAndScrollsWithoutGrowingTheWindow) {
  lesson::lx& lx = *window();
  lx.show();
  const QString sentence =
      QStringLiteral("This sentence is much too long for two lines. ").repeated(4);
  lx.setText1(sentence);
  QApplication::processEvents();
  EXPECT_EQ(lx.text1(), sentence);
  EXPECT_GT(lx.Text1()->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(lx.Text1()->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(lx.size(), QSize(377, 81));
}

TEST_F(SentenceWindow, KeepsItsTextsWhileHiddenAndShowsTheLastOnes) {
  lesson::lx& lx = *window();
  lx.setText1(QStringLiteral("First"));
  lx.show();
  lx.hideWindow();
  lx.setText1(QStringLiteral(" Hi ~ there "));
  lx.setText2(QStringLiteral("你好~朋友"));
  EXPECT_EQ(lx.text1(), " Hi ~ there ");
  EXPECT_EQ(lx.text2(), "你好~朋友");
  lx.Move(960, 360);
  lx.show();
  EXPECT_EQ(lx.pos(), QPoint(64, 24));
  EXPECT_EQ(lx.Text1()->toPlainText(), " Hi ~ there ");
  EXPECT_EQ(lx.Text2()->toPlainText(), "你好~朋友");
  lx.Text1()->moveCursor(QTextCursor::End);
  lx.Text1()->insertPlainText(QStringLiteral("!"));
  EXPECT_EQ(lx.text1(), " Hi ~ there !");
}

TEST(ProgramIcon, IsAPictureAtThirtyTwoPixels) {
  ensureApplication();
  const QImage image = lesson::programIcon().pixmap(32, 32).toImage();
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
}

}  // namespace
