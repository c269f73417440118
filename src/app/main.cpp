// SPDX-License-Identifier: GPL-3.0-or-later
#include <malloc.h>

#include <QApplication>
#include <QPixmapCache>
#include <QTimer>
#include <memory>

#include "app_log.h"
#include "balloon_clearance.h"
#include "base/guarded_run.h"
#include "command_line.h"
#include "desktop/qt_presenter.h"
#include "desktop/runtime.h"
#include "listening/program_listener.h"
#include "platform/display_check.h"
#include "platform/report_error.h"
#include "program.h"
#include "program_icon.h"
#include "quit_signals.h"
#include "single_instance.h"
#include "stage/cast_setup.h"

namespace {

void reportStartupError(const QString& message) {
  platform::reportError(lcApp(), platform::Failure::Startup, message);
}

// The bar docks itself and the characters stand where they are told, which only X11 allows: in
// a Wayland session the program runs on XWayland, unless the user chose a platform.
void runOnX11UnlessChosen() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
}

// A later start of the program brings the bar into view and opens the lesson it was given.
void takeLaterStarts(app::SingleInstance& instance, app::Program& program) {
  QObject::connect(&instance, &app::SingleInstance::startRequested, &program,
                   [&program](const QString& lessonPath) {
                     program.bringIntoView();
                     if (!lessonPath.isEmpty()) program.openLessonFile(lessonPath);
                   });
}

// Qt keeps scaled icon pixmaps in a cache shared by the whole program (10 MiB unless told),
// keyed by the icons' own pixmaps. Every open dialog makes its icons anew, so the cache took in
// another dialog's icons at each "文", and the program grew until the cache was full.
// This holds what the bar, the help window and one dialog draw.
constexpr int kPixmapCacheKiB = 1024;

// Drawing the program's icon from its SVG takes about 5 ms, so it is drawn once the bar is up:
// the bar and the characters' windows take it then, and the windows opened later have it.
constexpr int kIconAfterBarMs = 200;

// Starting the program sets up the cast, queues the opening scene and docks the bar; then the bar
// is shown and the program reacts to events only. The window
// manager's close on the bar, SIGTERM and SIGINT end it as the quit command does.
int runProgram(QApplication& application, app::SingleInstance& instance,
               const QString& lessonPath) {
  application.setQuitOnLastWindowClosed(false);
  QPixmapCache::setCacheLimit(kPixmapCacheKiB);
  std::unique_ptr<character::Runtime> runtime;
  std::unique_ptr<listening::Listener> listener;
  std::unique_ptr<app::Program> program;
  bool started = false;
  base::runGuarded(
      [&] {
        const QString programFolder = QCoreApplication::applicationDirPath();
        runtime = character::createDesktopRuntime();
        listener = listening::createProgramListener(programFolder);
        program = std::make_unique<app::Program>(*runtime->engine, *listener);
        runtime->presenter->setKeepClear(app::windowsBalloonsKeepClearOf(program->toolbar()));
        runtime->presenter->setFileDropped(
            [&program](const QString& path) { program->openLessonFile(path); });
        program->start(programFolder);
        if (!lessonPath.isEmpty()) program->openLessonAfterOpeningScene(lessonPath);
        started = true;
      },
      reportStartupError);
  if (!started) return 1;
  app::Program& running = *program;
  app::quitOnTerminationSignals(running, [&running] { running.run(app::commands::Command::Quit); });
  takeLaterStarts(instance, running);
  running.toolbar().show();
  QTimer::singleShot(kIconAfterBarMs, &application,
                     [&application] { application.setWindowIcon(app::programIcon()); });
  return application.exec();
}

// Hands the start over to a program of this user that already runs; true when this start is
// then done, with `status` its exit status.
bool handedOver(app::SingleInstance& instance, const QString& lessonPath, int& status) {
  switch (instance.claim(lessonPath)) {
    case app::SingleInstance::Claim::Claimed:
      return false;
    case app::SingleInstance::Claim::HandedOver:
      status = 0;
      return true;
    case app::SingleInstance::Claim::NoAnswer:
      break;
  }
  reportStartupError(QStringLiteral("the program already runs but does not answer"));
  status = 1;
  return true;
}

// Threads that allocate (the character files' readers, speech, scoring) would each get an arena
// of their own, which keeps what they freed resident: one arena for all holds about 1.5 MiB less
// after the opening scene. The threads allocate little while the user interface waits on them.
void oneMemoryArena() {
  mallopt(M_ARENA_MAX, 1);
}

}  // namespace

int main(int argc, char** argv) {
  oneMemoryArena();
  const auto commandLine = app::runCommandLine(argc, argv);
  if (const int* status = std::get_if<int>(&commandLine)) return *status;
  const QString lessonPath = std::get<app::ProgramStart>(commandLine).lessonPath;
  QCoreApplication::setApplicationName(QStringLiteral("chengmu"));
  QCoreApplication::setApplicationVersion(QStringLiteral(CHENGMU_VERSION));
  runOnX11UnlessChosen();
  if (const auto reason = platform::missingDisplayReason()) {
    reportStartupError(*reason);
    return 1;
  }
  QApplication application(argc, argv);
  // The character files are parsed on a worker while the bar is set up.
  const auto castReadAhead = stage::readCastAhead(QCoreApplication::applicationDirPath());
  int status = 1;
  // The event handlers catch what they throw; this is the last edge, for anything else.
  base::runGuarded(
      [&] {
        app::SingleInstance instance;
        if (handedOver(instance, lessonPath, status)) return;
        status = runProgram(application, instance, lessonPath);
      },
      [](const QString& message) { qCCritical(lcApp).noquote() << message; });
  return status;
}
