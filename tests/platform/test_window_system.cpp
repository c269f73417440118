// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include "platform/window_system.h"

namespace {

using platform::PtInRect;
using platform::ScreenPoint;
using platform::ScreenRect;

TEST(PtInRect, RightAndBottomEdgesLieOutside) {
  const ScreenRect rect{258, 0, 418, 20};
  EXPECT_TRUE(PtInRect(rect, {258, 0}));
  EXPECT_TRUE(PtInRect(rect, {417, 19}));
  EXPECT_FALSE(PtInRect(rect, {418, 10}));
  EXPECT_FALSE(PtInRect(rect, {300, 20}));
  EXPECT_FALSE(PtInRect(rect, {257, 10}));
  EXPECT_FALSE(PtInRect(rect, {300, -1}));
  EXPECT_FALSE(PtInRect(ScreenRect{}, ScreenPoint{}));
}

class DesktopWindowSystem : public ::testing::Test {
 protected:
  DesktopWindowSystem() { windowSystem = platform::createDesktopWindowSystem(window); }
  ~DesktopWindowSystem() override { windowSystem.reset(); }

  QWidget window{nullptr, Qt::Tool | Qt::FramelessWindowHint};
  std::unique_ptr<platform::WindowSystem> windowSystem;
};

TEST_F(DesktopWindowSystem, MovedWindowReportsItsExclusiveRect) {
  windowSystem->moveWindow(QRect(258, 0, 160, 20));
  EXPECT_EQ(windowSystem->windowRect(), (ScreenRect{258, 0, 418, 20}));
  window.show();
  windowSystem->moveWindow(QRect(40, 0, 160, 2));
  EXPECT_EQ(windowSystem->windowRect(), (ScreenRect{40, 0, 200, 2}));
}

TEST_F(DesktopWindowSystem, TheMovePointerIsOverriddenOnceAndRestored) {
  windowSystem->setOverridePointer(platform::Pointer::Move);
  windowSystem->setOverridePointer(platform::Pointer::Move);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeAllCursor);

  windowSystem->setOverridePointer(platform::Pointer::Default);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DesktopWindowSystem, ReleasingTheWindowSystemRestoresThePointer) {
  windowSystem->setOverridePointer(platform::Pointer::Move);
  windowSystem.reset();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
