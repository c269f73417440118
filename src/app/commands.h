#pragma once

#include "command_target.h"

namespace app {

class maun;

namespace commands {

// The buttons' indexes; on the bar they read 文 读 停 短 帮 退.
enum Index { kOpenLesson = 0, kSpeak = 1, kStop = 2, kQuit = 3, kTypeSentence = 4, kHelp = 5 };

// Runs the command of the toolbar button with index `index` (0 to 5); any other index does
// nothing. A command that fails stops at the failing step and reports why; "停" ignores every
// failure.
void run(maun& form, int index);
void run(CommandTarget& target, int index);

}  // namespace commands
}  // namespace app
