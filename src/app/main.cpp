// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <memory>

#include "character/runtime.h"
#include "command_line.h"
#include "platform/display_check.h"
#include "platform/log.h"
#include "platform/report_error.h"
#include "platform/taskbar_hint.h"
#include "program_icon.h"
#include "toolbar_window.h"

namespace {

void reportStartupError(const QString& message) {
  platform::reportError(lcApp(), platform::Failure::Startup, message);
}

// Starting the program means starting the toolbar: it sets up the cast, queues the opening
// scene and docks itself; then it is shown and the program reacts to events only.
int runProgram(QApplication& application) {
  application.setQuitOnLastWindowClosed(false);
  application.setWindowIcon(app::programIcon());
  std::unique_ptr<character::Runtime> runtime;
  std::unique_ptr<app::ToolbarWindow> toolbar;
  bool started = false;
  platform::runReporting(
      [&] {
        runtime = character::createDesktopRuntime();
        toolbar = std::make_unique<app::ToolbarWindow>(*runtime->engine);
        toolbar->start(QCoreApplication::applicationDirPath());
        started = true;
      },
      reportStartupError);
  if (!started) return 1;
  platform::keepOutOfTaskbar(*toolbar);
  toolbar->show();
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = app::runCommandLine(argc, argv)) return *status;
  QCoreApplication::setApplicationName(QStringLiteral("chengmu"));
  QCoreApplication::setApplicationVersion(QStringLiteral(CHENGMU_VERSION));
  if (const auto reason = platform::missingDisplayReason()) {
    reportStartupError(*reason);
    return 1;
  }
  QApplication application(argc, argv);
  int status = 1;
  // The event handlers catch what they throw; this is the last edge, for anything else.
  platform::runReporting([&] { status = runProgram(application); },
                         [](const QString& message) { qCCritical(lcApp).noquote() << message; });
  return status;
}
