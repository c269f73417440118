// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every test program. It owns the one QApplication a process may have, on Qt's
// offscreen platform unless QT_QPA_PLATFORM names another, for the whole run: widget tests,
// timers and queued calls all need it. The learner's progress goes to a folder of the run's
// own, never to the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir dataHome;
  qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
