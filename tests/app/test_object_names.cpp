// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QSet>
#include <QTimer>

#include "app/program.h"
#include "fake_listener.h"
#include "help/help_window.h"
#include "lesson/sentence_window.h"
#include "stage/cast_stage.h"
#include "toolbar/toolbar_window.h"

namespace {

// The object names of a window and of every control directly on it.
QSet<QString> namesOn(const QWidget& window) {
  QSet<QString> names{window.objectName()};
  for (const QObject* child : window.children()) {
    if (child->isWidgetType()) names.insert(child->objectName());
  }
  return names;
}

// Every window and control keeps the name it had on its form, so scripts and anyone comparing
// with the forms can find it.
TEST(ObjectNames, EveryWindowAndControlKeepsItsFormName) {
  static int argc = 1;
  static char name[] = "app_tests";
  static char* argv[] = {name, nullptr};
  if (!qApp) new QApplication(argc, argv);
  stage_testing::CastStage stage;
  app_testing::FakeListener listener;
  app::Program program(stage.engine, listener);
  const toolbar::ToolbarWindow& toolbar = program.toolbar();

  EXPECT_EQ(namesOn(toolbar),
            QSet<QString>({"maun", "Image1", "Command1_0", "Command1_1", "Command1_2", "Command1_3",
                           "Command1_4", "Command1_5"}));
  EXPECT_EQ(toolbar.pollTimer().objectName(), "Timer1");
  EXPECT_EQ(namesOn(program.sentenceWindow()), QSet<QString>({"lx", "Text1", "Command1", "Text2"}));
  EXPECT_EQ(namesOn(program.helpWindow()),
            QSet<QString>({"zcb", "Label9", "Label10", "Label11", "Label12", "Command2"}));
}

}  // namespace
