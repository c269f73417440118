// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command_target.h"

namespace app {

class ToolbarWindow;

namespace commands {

// The commands' target in the running program: the toolbar's state and windows, the real open
// dialog and message box, and the end of the program.
class ToolbarCommandTarget : public CommandTarget {
 public:
  explicit ToolbarCommandTarget(ToolbarWindow& toolbar) : toolbar_(toolbar) {}

  stage::Cast& cast() override;
  lesson::LessonSession& lesson() override;
  lesson::SentenceView& sentenceWindow() override;
  LearnerTurn& learnerTurn() override;
  void showHelp() override;
  QString chooseLessonFile() override;
  void reportError(const QString& message) override;
  void endProgram() override;

 private:
  ToolbarWindow& toolbar_;
};

}  // namespace commands
}  // namespace app
