#pragma once

#include "command_target.h"

namespace app {

class maun;

namespace commands {

// The commands' target in the running program: the toolbar form's state and windows, the real
// open dialog and message box, and the end of the program.
class FormCommandTarget : public CommandTarget {
 public:
  explicit FormCommandTarget(maun& form) : form_(form) {}

  stage::Cast& cast() override;
  std::int32_t& LineCounter() override;
  platform::NumberedFiles& files() override;
  lesson::lx& sentenceWindow() override;
  void showHelp() override;
  QString chooseLessonFile() override;
  void reportError(const QString& message) override;
  void endProgram() override;

 private:
  maun& form_;
};

}  // namespace commands
}  // namespace app
