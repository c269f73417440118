// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <memory>

#include "app/program.h"
#include "character/engine.h"
#include "character/presenter.h"
#include "character/speech.h"
#include "fake_listener.h"
#include "support/headless_window_system.h"
#include "toolbar/toolbar_window.h"

namespace {

constexpr int kButtonCount = static_cast<int>(app::commands::kButtonCount);

QApplication& application() {
  static int argc = 1;
  static char name[] = "app_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = qApp ? qApp : new QApplication(argc, argv);
  return *instance;
}

// The program's toolbar on Qt's offscreen screen (96 dpi), docked as starting docks it, without
// a cast.
class ToolbarWidget : public ::testing::Test {
 protected:
  ToolbarWidget() : engine(clock, presenter, speech) {
    application();
    program = std::make_unique<app::Program>(engine, listener);
    bar = &program->toolbar();
    bar->dock();
  }

  character::VirtualClock clock;
  character::NullPresenter presenter;
  character::TimedSpeech speech;
  character::Engine engine;
  app_testing::FakeListener listener;
  std::unique_ptr<app::Program> program;
  toolbar::ToolbarWindow* bar = nullptr;
};

TEST_F(ToolbarWidget, TheScreenIsAtNinetySixDpi) {
  ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96);
}

TEST_F(ToolbarWidget, TheDockedBarStandsAtTheTopEdge) {
  EXPECT_EQ(bar->geometry(), QRect(258, 0, 160, 20));
  EXPECT_EQ(bar->windowTitle(), "Form1");
  EXPECT_TRUE(bar->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(bar->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(bar->palette().color(QPalette::Window), QColor(0, 0, 192));
  EXPECT_TRUE(bar->autoFillBackground());
}

TEST_F(ToolbarWidget, TheGripIsASixteenBySeventeenGlyphInTwoColours) {
  const QLabel& grip = bar->grip();
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

TEST_F(ToolbarWidget, TheButtonsStandByIndexWithTheQuitButtonRightmost) {
  struct Expected {
    const char* caption;
    const char* toolTip;
    int left;
  };
  const Expected expected[] = {{"文", "打开学习文件", 16}, {"读", "朗读英语", 40},
                               {"停", "停止", 64},         {"退", "退出", 136},
                               {"短", "短句输入", 88},     {"帮", "看帮助文件", 112}};
  for (int index = 0; index < kButtonCount; ++index) {
    SCOPED_TRACE(index);
    const QPushButton& button = bar->button(index);
    EXPECT_EQ(button.text(), QString::fromUtf8(expected[index].caption));
    EXPECT_EQ(button.toolTip(), QString::fromUtf8(expected[index].toolTip));
    EXPECT_EQ(button.geometry(), QRect(expected[index].left, 0, 24, 20));
    EXPECT_EQ(button.palette().color(QPalette::Button), QColor(224, 224, 224));
  }
}

TEST_F(ToolbarWidget, TheButtonFontIsAChineseSongTypeface) {
  const QPushButton& button = bar->button(0);
  EXPECT_EQ(button.font().family(), "宋体");
  EXPECT_DOUBLE_EQ(button.font().pointSizeF(), 10.5);
  EXPECT_EQ(button.font().weight(), QFont::Normal);
  EXPECT_TRUE(QFontInfo(button.font()).family().startsWith("AR PL UMing"))
      << qPrintable(QFontInfo(button.font()).family());
}

// The window manager's close on the bar runs the quit command, which ends the event loop with
// status 0; left to QWidget, the close would only hide the bar and the program would run on.
TEST_F(ToolbarWidget, ACloseRequestEndsTheProgramAsTheQuitCommandDoes) {
  bar->show();
  QTimer::singleShot(0, bar, [this] { bar->close(); });
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(2); });
  giveUp.start(5000);
  EXPECT_EQ(QCoreApplication::exec(), 0);
}

TEST_F(ToolbarWidget, TabOrderFollowsTheIndex) {
  for (int index = 0; index + 1 < kButtonCount; ++index) {
    EXPECT_EQ(bar->button(index).nextInFocusChain(), &bar->button(index + 1)) << index;
  }
}

// The toolbar on the headless window system, so the grip can be driven.
class HeadlessToolbar : public ToolbarWidget {
 protected:
  HeadlessToolbar()
      : headlessProgram(engine, listener,
                        [this](QWidget&) {
                          auto made = std::make_unique<testing_support::HeadlessWindowSystem>();
                          windowSystem = made.get();
                          return made;
                        }),
        headless(headlessProgram.toolbar()) {
    headless.dock();
  }

  void mouse(QEvent::Type type) {
    QMouseEvent event(type, QPointF(3, 3), QPointF(3, 3), Qt::RightButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::RightButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&headless.grip(), &event);
  }

  testing_support::HeadlessWindowSystem* windowSystem = nullptr;
  app::Program headlessProgram;
  toolbar::ToolbarWindow& headless;
};

TEST_F(HeadlessToolbar, TheGripDragsTheBarWithAnyButton) {
  windowSystem->cursor = {262, 5};
  headless.pollCursor();
  mouse(QEvent::MouseButtonPress);
  EXPECT_TRUE(headless.docking().state().Dragging);

  windowSystem->cursor = {500, 200};
  headless.pollCursor();
  mouse(QEvent::MouseMove);
  EXPECT_EQ(windowSystem->geometry, QRect(496, 195, 160, 20));

  mouse(QEvent::MouseButtonRelease);
  EXPECT_FALSE(headless.docking().state().Dragging);
  EXPECT_EQ(windowSystem->geometry, QRect(496, 0, 160, 20));
  EXPECT_EQ(headless.docking().state().DockRect, (platform::ScreenRect{496, 0, 656, 20}));
}

TEST_F(HeadlessToolbar, APressOnAButtonStartsNoDrag) {
  windowSystem->cursor = {262, 5};
  headless.pollCursor();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&headless.button(0), &press);
  EXPECT_FALSE(headless.docking().state().Dragging);
}

}  // namespace
