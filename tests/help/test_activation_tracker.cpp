// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/activation_tracker.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>

#include "help_test_support.h"

namespace {

// Drives the tracker with focus changes by hand; none of the windows is shown.
class ActivationTrackerTest : public ::testing::Test {
 protected:
  ActivationTrackerTest() {
    watched_.winId();
    dialogOfWatched_.setTransientParent(watched_.windowHandle());
    QObject::connect(&tracker_, &help::ActivationTracker::activatedFromProgram,
                     [this] { ++activations_; });
  }

  QWindow* watchedWindow() { return watched_.windowHandle(); }

  QWidget watched_;
  help::ActivationTracker tracker_{watched_};
  QWindow toolbar_;
  QWindow dialogOfWatched_;
  int activations_ = 0;
};

TEST_F(ActivationTrackerTest, ComingFromAnotherWindowOfTheProgramIsAnActivation) {
  QWindow sentenceWindow;
  tracker_.focusWindowChanged(&toolbar_);
  tracker_.focusWindowChanged(&sentenceWindow);
  EXPECT_EQ(activations_, 0) << "only the watched window counts";

  tracker_.focusWindowChanged(watchedWindow());
  tracker_.focusWindowChanged(&toolbar_);
  tracker_.focusWindowChanged(watchedWindow());
  EXPECT_EQ(activations_, 2);
}

TEST_F(ActivationTrackerTest, ComingBackFromAnotherProgramOrItsOwnDialogIsNoActivation) {
  tracker_.focusWindowChanged(&toolbar_);
  tracker_.focusWindowChanged(nullptr);
  tracker_.focusWindowChanged(watchedWindow());
  tracker_.focusWindowChanged(&dialogOfWatched_);
  tracker_.focusWindowChanged(watchedWindow());
  EXPECT_EQ(activations_, 0);
}

TEST_F(ActivationTrackerTest, AnIgnoreIsUsedUpByTheNextFocusChange) {
  tracker_.focusWindowChanged(&toolbar_);
  tracker_.ignoreNextActivation();
  tracker_.focusWindowChanged(watchedWindow());
  EXPECT_EQ(activations_, 0);

  tracker_.ignoreNextActivation();  // the window was already active: the ignore is left over
  tracker_.focusWindowChanged(&toolbar_);
  tracker_.focusWindowChanged(watchedWindow());
  EXPECT_EQ(activations_, 1);
}

TEST_F(ActivationTrackerTest, AClosedPreviousWindowCountsAsAnotherProgram) {
  auto closedDialog = std::make_unique<QWindow>();
  tracker_.focusWindowChanged(closedDialog.get());
  closedDialog.reset();
  tracker_.focusWindowChanged(watchedWindow());
  EXPECT_EQ(activations_, 0);
}

}  // namespace
