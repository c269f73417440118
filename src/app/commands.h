// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>
#include <array>
#include <cstddef>

#include "command_target.h"

namespace app::commands {

// Everything the learner can ask of the program: the six commands of the toolbar's buttons,
// then the learner's own commands of the buttons' menu.
enum class Command {
  OpenLesson,
  Speak,
  Stop,
  Quit,
  TypeSentence,
  Help,
  YourTurn,
  SayAgain,
  Review,
  Drill,
  HearMyReading,
  Progress
};
inline constexpr std::size_t kCommandCount = 12;
// The first kButtonCount commands of the table are the toolbar's buttons.
inline constexpr std::size_t kButtonCount = 6;

// A command as the learner meets it: its caption and tool tip, its button's left edge on the
// bar (none for a command of the menu), its key (none for the buttons), and what it runs.
struct CommandEntry {
  Command command;
  const char* caption;
  const char* toolTip;
  int leftTwips;
  Qt::Key key;
  void (*handler)(CommandTarget& target);
};

// The buttons first, in the order of their indexes (0 to 5), which their object names
// "Command1_<index>" and the tab order follow; on the bar they read 文 读 停 短 帮 退, the
// quit button rightmost. Then the learner's commands, in the order of the menu.
extern const std::array<CommandEntry, kCommandCount> kCommands;

// The index of `command` in kCommands, which is its button's index for a button.
int commandIndex(Command command);

// The "文" command with the lesson `path` already chosen (a lesson named on the command line or
// handed over by a later start); a failure is reported through the target.
void openLessonFile(CommandTarget& target, const QString& path);

// Runs `command`; a value that is no command does nothing. A command that fails stops at the
// failing step and reports why through the target; "停" ignores every failure.
//
// The learner's commands stop what the characters are doing, as "停" does but leaving the
// sentence window as it is, and practise the sentence said last (a lesson line or a typed one)
// or, before any, the sentence window's text, which the pupil whose turn it is at typing says;
// with neither, the host asks for one. "我来说" (YourTurn): the learner reads the sentence
// aloud and the host answers with what was heard. "再听一遍" (SayAgain): the pupil says the
// sentence again, at the current pace. "复习" (Review) stops the characters as they do and
// reviews the sentences due; "跟读" (Drill) drills the lesson opened last. "学习记录" (Progress)
// shows the progress window. "听我说的" (HearMyReading) stops the characters, plays the
// learner's last recording, then has its pupil say the sentence.
void run(CommandTarget& target, Command command);

}  // namespace app::commands
