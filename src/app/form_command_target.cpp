#include "form_command_target.h"

#include <QApplication>
#include <QMessageBox>

#include "help/help_window.h"
#include "lesson/lesson_dialog.h"
#include "maun.h"

namespace app::commands {

stage::Cast& FormCommandTarget::cast() {
  return form_.cast();
}
std::int32_t& FormCommandTarget::LineCounter() {
  return form_.LineCounter();
}
platform::NumberedFiles& FormCommandTarget::files() {
  return form_.files();
}
lesson::lx& FormCommandTarget::sentenceWindow() {
  return form_.lx();
}
void FormCommandTarget::showHelp() {
  form_.zcb().showHelp();
}

QString FormCommandTarget::chooseLessonFile() {
  return lesson::askForLessonFile(&form_);
}

void FormCommandTarget::reportError(const QString& message) {
  QMessageBox::critical(&form_, QApplication::applicationDisplayName(), message);
}

// Leaves the event loop as soon as this handler returns: main() then returns 0 and every window
// closes.
void FormCommandTarget::endProgram() {
  QCoreApplication::exit(0);
}

}  // namespace app::commands
