#include <QApplication>
#include <exception>

#include "character/runtime.h"
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
  auto runtime = character::createDesktopRuntime();
  app::ToolbarWindow toolbar(*runtime->engine);
  bool started = false;
  platform::runReporting(
      [&] {
        toolbar.start(QCoreApplication::applicationDirPath());
        started = true;
      },
      reportStartupError);
  if (!started) return 1;
  platform::keepOutOfTaskbar(toolbar);
  toolbar.show();
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  // Each line the program logs says where it comes from itself ("chengmu: ...");
  // QT_MESSAGE_PATTERN still overrides this.
  qSetMessagePattern(QStringLiteral("%{message}"));
  QCoreApplication::setApplicationName(QStringLiteral("chengmu"));
  QCoreApplication::setApplicationVersion(QStringLiteral(CHENGMU_VERSION));
  if (const auto reason = platform::missingDisplayReason()) {
    reportStartupError(*reason);
    return 1;
  }
  QApplication application(argc, argv);
  int status = 1;
  platform::runReporting([&] { status = runProgram(application); },
                         [](const QString& message) {
                           platform::reportError(lcApp(), platform::Failure::Command, message);
                         });
  return status;
}
