#include <QApplication>
#include <cstdio>

#include "character/agent_error.h"
#include "character/runtime.h"
#include "command_line.h"
#include "lesson/program_icon.h"
#include "maun.h"
#include "platform/display_check.h"
#include "platform/startup_error.h"
#include "platform/taskbar_hint.h"

// Starting the program means loading the toolbar form: it sets up the cast, queues the
// opening scene and docks itself; then it is shown and the program reacts to events only.
int main(int argc, char** argv) {
  if (const auto status = app::runCommandLine(argc, argv)) return *status;
  if (const auto reason = platform::missingDisplayReason()) {
    std::fprintf(stderr, "chengmu: cannot start: %s\n", qUtf8Printable(*reason));
    return 1;
  }
  QApplication application(argc, argv);
  application.setQuitOnLastWindowClosed(false);
  application.setWindowIcon(lesson::programIcon());
  auto runtime = character::createDesktopRuntime();
  app::maun form(*runtime->engine);
  try {
    form.Form_Load(QCoreApplication::applicationDirPath());
  } catch (const character::AgentError& error) {
    platform::reportStartupError(error.message());
    return 1;
  }
  platform::keepOutOfTaskbar(form);
  form.show();
  return application.exec();
}
