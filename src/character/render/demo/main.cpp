// chengmu_demo: shows the three characters of the program standing on the desktop and plays a
// short scene with speech and thought balloons. It takes no command line. After the scene the
// characters stay at rest until the program is ended (Ctrl+C in its terminal).

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "character/agent.h"
#include "character/agent_error.h"
#include "character/runtime.h"
#include "demo_scene.h"

namespace {

struct LoadedCharacter {
  std::unique_ptr<character::AgentControl> control;
  character::Character* character = nullptr;
};

// Loads `id` from `fileName` in the program's folder into a control of its own.
LoadedCharacter load(character::Engine& engine, const QString& id, const QString& fileName) {
  LoadedCharacter loaded{std::make_unique<character::AgentControl>(engine)};
  loaded.control->setConnected(true);
  const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName;
  loaded.control->characters().Load(id, path);
  loaded.character = &loaded.control->characters().Character(id);
  return loaded;
}

// Without an X server (or another display) Qt would abort; say so plainly instead.
bool hasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int fail(const QString& message) {
  QTextStream(stderr) << "chengmu_demo: " << message << Qt::endl;
  QMessageBox::critical(nullptr, QStringLiteral("chengmu_demo"), message);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (!hasDisplay()) {
    std::fputs(
        "chengmu_demo: no display to show the characters on (DISPLAY is not set); "
        "run it on a desktop, or under a virtual X server: xvfb-run -a ./chengmu_demo\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  std::unique_ptr<character::Runtime> runtime = character::createDesktopRuntime();
  LoadedCharacter boy;
  LoadedCharacter girl;
  LoadedCharacter vemo;
  try {
    boy = load(*runtime->engine, QStringLiteral("boy"), QStringLiteral("ku.dat"));
    girl = load(*runtime->engine, QStringLiteral("girl"), QStringLiteral("nu.dat"));
    vemo = load(*runtime->engine, QStringLiteral("vemo"), QStringLiteral("fi.dat"));
    demo::queueScene({*boy.character, *girl.character, *vemo.character});
  } catch (const character::AgentError& error) {
    return fail(error.message());
  }
  QTextStream(stdout) << "chengmu_demo: the characters play their scene, then rest; press Ctrl+C "
                         "to quit."
                      << Qt::endl;
  return app.exec();
}
