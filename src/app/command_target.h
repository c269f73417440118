#pragma once

#include <QString>
#include <cstdint>

#include "lesson/lx.h"
#include "platform/numbered_files.h"
#include "stage/cast.h"

namespace app::commands {

// What the six toolbar commands work on. The toolbar form provides the real one; tests provide
// their own.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;

  virtual stage::Cast& cast() = 0;
  virtual std::int32_t& LineCounter() = 0;
  virtual platform::NumberedFiles& files() = 0;
  // The sentence window, created hidden on first use.
  virtual lesson::lx& sentenceWindow() = 0;
  // Shows the help window, created on first use, and activates it.
  virtual void showHelp() = 0;
  // The open dialog for lessons: the chosen file's full path, or "" when cancelled.
  virtual QString chooseLessonFile() = 0;
  // Shows the message of a command that failed; the program goes on.
  virtual void reportError(const QString& message) = 0;
  // Ends the program at once with status 0.
  virtual void endProgram() = 0;
};

}  // namespace app::commands
