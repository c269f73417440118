// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

#include "command_target.h"

namespace app::commands {

// The six commands of the toolbar's buttons.
enum class Command { OpenLesson, Speak, Stop, Quit, TypeSentence, Help };
inline constexpr std::size_t kCommandCount = 6;

// A toolbar button and what it runs.
struct CommandButton {
  Command command;
  const char* caption;
  const char* toolTip;
  int leftTwips;
  void (*handler)(CommandTarget& target);
};

// The buttons in the order of their indexes (0 to 5), which their object names
// "Command1_<index>" and the tab order follow; on the bar they read 文 读 停 短 帮 退, the
// quit button rightmost.
extern const std::array<CommandButton, kCommandCount> kCommandButtons;

// The index of the button of `command`.
int buttonIndex(Command command);

// The "文" command with the lesson `path` already chosen (a lesson named on the command line or
// handed over by a later start); a failure is reported through the target.
void openLessonFile(CommandTarget& target, const QString& path);

// Runs `command`; a value that is no command does nothing. A command that fails stops at the
// failing step and reports why through the target; "停" ignores every failure.
void run(CommandTarget& target, Command command);

// The learner's commands, on the buttons' menu and on keys. Both stop what the characters are
// doing, as "停" does but leaving the sentence window as it is, and practise the sentence said
// last (a lesson line or a typed one) or, before any, the sentence window's text, which the
// pupil whose turn it is at typing says; with neither, the host asks for one. A failure is
// reported through the target.
// "我来说": the learner reads the sentence aloud and the host answers with what was heard.
void takeYourTurn(CommandTarget& target);
// "再听一遍": the pupil says the sentence again, at the current pace.
void sayItAgain(CommandTarget& target);

}  // namespace app::commands
