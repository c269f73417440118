// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbar_command_target.h"

#include <QCoreApplication>

#include "help/help_window.h"
#include "lesson/lesson_dialog.h"
#include "lesson/sentence_window.h"
#include "platform/log.h"
#include "platform/report_error.h"
#include "toolbar_window.h"

namespace app::commands {

stage::Cast& ToolbarCommandTarget::cast() {
  return toolbar_.cast();
}
lesson::LessonSession& ToolbarCommandTarget::lesson() {
  return toolbar_.lesson();
}
lesson::SentenceView& ToolbarCommandTarget::sentenceWindow() {
  return toolbar_.sentenceWindow();
}
LearnerTurn& ToolbarCommandTarget::learnerTurn() {
  return toolbar_.learnerTurn();
}
void ToolbarCommandTarget::showHelp() {
  toolbar_.helpWindow().showHelp();
}

QString ToolbarCommandTarget::chooseLessonFile() {
  return lesson::askForLessonFile(&toolbar_);
}

void ToolbarCommandTarget::reportError(const QString& message) {
  platform::reportError(lcApp(), platform::Failure::Command, message, &toolbar_);
}

// Leaves the event loop as soon as this handler returns: main() then returns 0 and every window
// closes.
void ToolbarCommandTarget::endProgram() {
  QCoreApplication::exit(0);
}

}  // namespace app::commands
