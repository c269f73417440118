#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <memory>

#include "app/maun.h"
#include "character/engine.h"
#include "character/presenter.h"
#include "character/speech.h"
#include "platform/headless_window_system.h"

namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "app_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = qApp ? qApp : new QApplication(argc, argv);
  return *instance;
}

// The form on Qt's offscreen screen (96 dpi), docked as loading docks it, without a cast.
class MaunWidget : public ::testing::Test {
 protected:
  MaunWidget() : engine(clock, presenter, speech) {
    application();
    form = std::make_unique<app::maun>(engine);
    form->Get_Windows_Rect();
  }

  character::VirtualClock clock;
  character::NullPresenter presenter;
  character::TimedSpeech speech;
  character::Engine engine;
  std::unique_ptr<app::maun> form;
};

TEST_F(MaunWidget, TheScreenIsAtNinetySixDpi) {
  ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96);
}

TEST_F(MaunWidget, TheDockedBarStandsAtTheTopEdge) {
  EXPECT_EQ(form->geometry(), QRect(258, 0, 160, 20));
  EXPECT_EQ(form->windowTitle(), "Form1");
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0, 0, 192));
  EXPECT_TRUE(form->autoFillBackground());
}

TEST_F(MaunWidget, TheGripIsASixteenBySeventeenGlyphInTwoColours) {
  const QLabel& grip = form->Image1();
  EXPECT_EQ(grip.geometry(), QRect(0, 1, 16, 17));
  EXPECT_EQ(grip.toolTip(), "按住可移动");
  const QImage glyph = grip.pixmap().toImage();
  ASSERT_EQ(glyph.size(), QSize(16, 17));
  QSet<QRgb> colours;
  for (int y = 0; y < glyph.height(); ++y) {
    for (int x = 0; x < glyph.width(); ++x) colours.insert(glyph.pixel(x, y) & 0xffffff);
  }
  EXPECT_EQ(colours, QSet<QRgb>({qRgb(128, 0, 0) & 0xffffff, qRgb(192, 192, 255) & 0xffffff}));
}

TEST_F(MaunWidget, TheButtonsStandByIndexWithTheQuitButtonRightmost) {
  struct Expected {
    const char* caption;
    const char* toolTip;
    int left;
  };
  const Expected expected[] = {{"文", "打开学习文件", 16}, {"读", "朗读英语", 40},
                               {"停", "停止", 64},         {"退", "退出", 136},
                               {"短", "短句输入", 88},     {"帮", "看帮助文件", 112}};
  for (int index = 0; index < app::maun::kButtonCount; ++index) {
    SCOPED_TRACE(index);
    const QPushButton& button = form->Command1(index);
    EXPECT_EQ(button.text(), QString::fromUtf8(expected[index].caption));
    EXPECT_EQ(button.toolTip(), QString::fromUtf8(expected[index].toolTip));
    EXPECT_EQ(button.geometry(), QRect(expected[index].left, 0, 24, 20));
    EXPECT_EQ(button.palette().color(QPalette::Button), QColor(224, 224, 224));
  }
}

TEST_F(MaunWidget, TheButtonFontIsAChineseSongTypeface) {
  const QPushButton& button = form->Command1(0);
  EXPECT_EQ(button.font().family(), "宋体");
  EXPECT_DOUBLE_EQ(button.font().pointSizeF(), 10.5);
  EXPECT_EQ(button.font().weight(), QFont::Normal);
  EXPECT_TRUE(QFontInfo(button.font()).family().startsWith("AR PL UMing"))
      << qPrintable(QFontInfo(button.font()).family());
}

TEST_F(MaunWidget, TabOrderFollowsTheIndex) {
  for (int index = 0; index + 1 < app::maun::kButtonCount; ++index) {
    EXPECT_EQ(form->Command1(index).nextInFocusChain(), &form->Command1(index + 1)) << index;
  }
}

// The form on the headless window system, so the grip can be driven.
class HeadlessMaun : public MaunWidget {
 protected:
  HeadlessMaun()
      : headless(engine, [this](QWidget&) {
          auto made = std::make_unique<platform::HeadlessWindowSystem>();
          windowSystem = made.get();
          return made;
        }) {
    headless.Get_Windows_Rect();
  }

  void mouse(QEvent::Type type) {
    QMouseEvent event(type, QPointF(3, 3), QPointF(3, 3), Qt::RightButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::RightButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&headless.Image1(), &event);
  }

  platform::HeadlessWindowSystem* windowSystem = nullptr;
  app::maun headless;
};

TEST_F(HeadlessMaun, TheGripDragsTheBarWithAnyButton) {
  windowSystem->cursor = {262, 5};
  headless.Timer1_Timer();
  mouse(QEvent::MouseButtonPress);
  EXPECT_TRUE(headless.docking().state().Dragging);

  windowSystem->cursor = {500, 200};
  headless.Timer1_Timer();
  mouse(QEvent::MouseMove);
  EXPECT_EQ(windowSystem->geometry, QRect(496, 195, 160, 20));

  mouse(QEvent::MouseButtonRelease);
  EXPECT_FALSE(headless.docking().state().Dragging);
  EXPECT_EQ(windowSystem->geometry, QRect(496, 0, 160, 20));
  EXPECT_EQ(headless.docking().state().DockRect, (platform::ScreenRect{496, 0, 656, 20}));
}

TEST_F(HeadlessMaun, APressOnAButtonStartsNoDrag) {
  windowSystem->cursor = {262, 5};
  headless.Timer1_Timer();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&headless.Command1(0), &press);
  EXPECT_FALSE(headless.docking().state().Dragging);
}

}  // namespace
