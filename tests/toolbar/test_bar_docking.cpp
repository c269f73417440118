// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/twips.h"
#include "support/headless_window_system.h"
#include "toolbar/bar_docking.h"

namespace {

using platform::Pointer;
using platform::ScreenPoint;
using platform::ScreenRect;
using toolbar::BarDocking;

// The bar as created (3870, 2745, 2400 x 1035 twips) at 96 dpi, then docked as loading does:
// 258, 0, 160 x 20 pixels; the strip is 2 pixels high.
class Docking : public ::testing::Test {
 protected:
  static constexpr int kExpanded = 20;
  static constexpr int kRolledUp = 2;

  Docking() : docking(windowSystem, platform::Twips(96, 96), QRect(258, 183, 160, 69)) {
    docking.placeInitially();
    docking.dock();
  }

  void tickAt(ScreenPoint cursor) {
    windowSystem.cursor = cursor;
    docking.pollCursor();
  }
  void rollUp() {
    tickAt({600, 300});
    ASSERT_EQ(docking.geometry().height(), kRolledUp);
  }
  int height() const { return windowSystem.geometry.height(); }

  testing_support::HeadlessWindowSystem windowSystem;
  BarDocking docking;
};

TEST_F(Docking, LoadingDocksTheBarAtTheTopEdge) {
  EXPECT_EQ(windowSystem.geometry, QRect(258, 0, 160, 20));
  EXPECT_EQ(docking.state().DockRect, (ScreenRect{258, 0, 418, 20}));
  EXPECT_EQ(docking.state().DockHeight, 300);
  EXPECT_EQ(docking.rolledUpHeightPixels(), kRolledUp);
}

struct PollCase {
  std::string name;
  bool startRolledUp;
  ScreenPoint cursor;
  int height;
  bool canDrag;
  Pointer pointer;
};

class Poll : public Docking, public ::testing::WithParamInterface<PollCase> {};

TEST_P(Poll, ExpandsRollsUpAndShowsTheMovePointer) {
  const PollCase& c = GetParam();
  if (c.startRolledUp) rollUp();

  tickAt(c.cursor);

  EXPECT_EQ(height(), c.height);
  EXPECT_EQ(windowSystem.geometry.topLeft(), QPoint(258, 0));
  EXPECT_EQ(docking.state().CanDrag, c.canDrag);
  EXPECT_EQ(windowSystem.pointer, c.pointer);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Poll,
    ::testing::Values(
        // The top band expands the bar wherever the cursor is along the edge.
        PollCase{"TopBandFarRight", true, {1500, 3}, 20, false, Pointer::Default},
        PollCase{"TopBandOverTheBar", true, {300, 0}, 20, false, Pointer::Default},
        PollCase{"NegativeYOnAMonitorAbove", true, {600, -40}, 20, false, Pointer::Default},
        PollCase{"BelowTheBandRollsUp", false, {600, 4}, 2, false, Pointer::Default},
        // Once expanded, the bar stays so while the cursor is inside DockRect.
        PollCase{"OnTheExpandedBar", false, {300, 10}, 20, false, Pointer::Default},
        PollCase{"LastColumnIsInside", false, {417, 19}, 20, false, Pointer::Default},
        PollCase{"RightEdgeIsOutside", false, {418, 10}, 2, false, Pointer::Default},
        PollCase{"BottomEdgeIsOutside", false, {300, 20}, 2, false, Pointer::Default},
        // A rolled-up bar does not expand when the cursor enters where it would be.
        PollCase{"RolledUpIgnoresItsExpandedRect", true, {300, 10}, 2, false, Pointer::Default},
        // The grip zone: the bar's first 11 columns and everything left of them.
        PollCase{"GripZoneLastColumn", false, {268, 10}, 20, true, Pointer::Move},
        PollCase{"JustRightOfTheGripZone", false, {269, 10}, 20, false, Pointer::Default},
        PollCase{"TopEdgeLeftOfTheBar", true, {0, 0}, 20, true, Pointer::Move},
        PollCase{"TopEdgeFarLeftOffScreen", true, {-300, 2}, 20, true, Pointer::Move}),
    [](const ::testing::TestParamInfo<PollCase>& info) { return info.param.name; });

TEST_F(Docking, RollingUpKeepsTheMovePointerUntilTheNextExpandedPoll) {
  tickAt({260, 10});
  ASSERT_EQ(windowSystem.pointer, Pointer::Move);

  tickAt({600, 300});
  EXPECT_EQ(height(), kRolledUp);
  EXPECT_TRUE(docking.state().CanDrag);
  EXPECT_EQ(windowSystem.pointer, Pointer::Move);

  tickAt({600, 0});
  EXPECT_FALSE(docking.state().CanDrag);
  EXPECT_EQ(windowSystem.pointer, Pointer::Default);
}

// Held in pixels, the expanded test holds at the docked height and at no other, whatever the
// screen's resolution.
class ExpandedTest : public ::testing::TestWithParam<double> {};

TEST_P(ExpandedTest, OnlyTheDockedHeightCountsAsExpanded) {
  testing_support::HeadlessWindowSystem windowSystem;
  const platform::Twips twips(GetParam(), GetParam());
  BarDocking docking(windowSystem, twips, twips.toPixels(QRect(3870, 2745, 2400, 1035)));
  docking.dock();
  const int expanded = twips.toPixelsY(300);
  const ScreenPoint onTheBar{docking.state().DockRect.left + 30, expanded - 1};

  windowSystem.cursor = onTheBar;
  docking.pollCursor();
  EXPECT_EQ(windowSystem.geometry.height(), expanded);

  windowSystem.cursor = {docking.state().DockRect.left + 30, expanded + 50};
  docking.pollCursor();
  EXPECT_GE(windowSystem.geometry.height(), 1);
  EXPECT_LT(windowSystem.geometry.height(), expanded);

  windowSystem.cursor = onTheBar;
  docking.pollCursor();
  EXPECT_LT(windowSystem.geometry.height(), expanded);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, ExpandedTest,
                         ::testing::Values(96.0, 120.0, 144.0, 192.0, 48.0));

TEST_F(Docking, APressOutsideTheGripZoneStartsNoDragButTheReleaseStillDocks) {
  tickAt({300, 10});
  docking.gripPressed();
  EXPECT_FALSE(docking.state().Dragging);

  tickAt({300, 12});
  docking.gripMoved();
  EXPECT_EQ(windowSystem.geometry, QRect(258, 0, 160, 20));

  docking.gripReleased();
  EXPECT_EQ(windowSystem.geometry, QRect(258, 0, 160, 20));
  EXPECT_EQ(docking.state().DockRect, (ScreenRect{258, 0, 418, 20}));
}

TEST_F(Docking, TheDragFollowsTheLastPolledCursorAndDocksAtTheDroppedLeft) {
  tickAt({262, 5});
  docking.gripPressed();
  ASSERT_TRUE(docking.state().Dragging);
  EXPECT_EQ(docking.state().DragOffsetX, 4);
  EXPECT_EQ(docking.state().DragOffsetY, 5);

  // The cursor has moved but no poll has seen it: the bar stays where the last poll put it.
  windowSystem.cursor = {700, 300};
  docking.gripMoved();
  EXPECT_EQ(windowSystem.geometry, QRect(258, 0, 160, 20));

  tickAt({700, 300});
  docking.gripMoved();
  EXPECT_EQ(windowSystem.geometry, QRect(696, 295, 160, 20));

  docking.gripReleased();
  EXPECT_FALSE(docking.state().Dragging);
  EXPECT_EQ(windowSystem.geometry, QRect(696, 0, 160, 20));
  EXPECT_EQ(docking.state().DockRect, (ScreenRect{696, 0, 856, 20}));

  tickAt({700, 10});
  EXPECT_EQ(height(), kExpanded);
  tickAt({300, 10});
  EXPECT_EQ(height(), kRolledUp);
}

TEST_F(Docking, NoRollUpWhileDragging) {
  tickAt({258, 2});
  docking.gripPressed();
  const int movesBefore = windowSystem.moves;

  tickAt({900, 500});
  EXPECT_EQ(height(), kExpanded);
  EXPECT_EQ(windowSystem.moves, movesBefore);

  // In the top band far right of the grip the drag keeps the move pointer.
  tickAt({1200, 0});
  EXPECT_TRUE(docking.state().CanDrag);
  EXPECT_EQ(windowSystem.pointer, Pointer::Move);
}

TEST_F(Docking, TheDropPositionIsUsedAsItComesOnlyTheTopIsReset) {
  tickAt({258, 2});
  docking.gripPressed();
  tickAt({-20, 400});
  docking.gripMoved();
  docking.gripReleased();
  EXPECT_EQ(windowSystem.geometry, QRect(-20, 0, 160, 20));
}

TEST_F(Docking, PaintRaisesTheBarUnlessTheLastPolledCursorIsOnIt) {
  docking.keepOnTop();  // before the first poll the cursor counts as at 0, 0
  EXPECT_EQ(windowSystem.raises, 1);

  tickAt({300, 10});
  windowSystem.cursor = {900, 900};  // not polled yet
  docking.keepOnTop();
  EXPECT_EQ(windowSystem.raises, 1);

  tickAt({418, 10});
  docking.keepOnTop();
  EXPECT_EQ(windowSystem.raises, 2);
}

}  // namespace
