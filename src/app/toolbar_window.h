// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "bar_docking.h"
#include "character/engine.h"
#include "commands.h"
#include "learner_menu.h"
#include "learner_turn.h"
#include "lesson/lesson_session.h"
#include "listening/listener.h"
#include "platform/numbered_files.h"
#include "platform/twips.h"
#include "platform/window_system.h"
#include "stage/cast.h"

class QLabel;
class QPushButton;

namespace lesson {
class SentenceWindow;
}
namespace help {
class HelpWindow;
}

namespace app {

// The toolbar (object name "maun"): a thin bar at the top edge of the screen with the drag
// grip and the six command buttons, each of which opens the learner's menu on a right click.
// It owns the program's run-time state for the whole run: the docking and drag state, the
// lesson being read with LineCounter, the cast and the learner's turn.
class ToolbarWindow : public QWidget {
  Q_OBJECT

 public:
  using WindowSystemFactory =
      std::function<std::unique_ptr<platform::WindowSystem>(QWidget& window)>;

  // The bar as created, before it starts: not shown, at its creation place, with every control,
  // and the characters' speech at the pace the learner chose last. `listener` hears the
  // learner's readings.
  ToolbarWindow(character::Engine& engine, listening::Listener& listener,
                const WindowSystemFactory& makeWindowSystem = platform::createDesktopWindowSystem);
  ~ToolbarWindow() override;

  // Sets up the cast from the character files in `programFolder`, queues the opening scene,
  // docks the bar and starts the poll. Throws character::AgentError when a character cannot be
  // loaded or a call of the scene fails.
  void start(const QString& programFolder);
  // Docks the bar: 300 twips high at the top edge of the screen, at its current left.
  void dock();
  // Runs the command of a button; a failure is reported in a message box.
  void run(commands::Command command);
  // Runs a command of the learner's menu; a failure is reported in a message box.
  void runLearnerCommand(void (*command)(commands::CommandTarget& target));
  // Opens the lesson `path` as "文" does once the learner chose it.
  void openLessonFile(const QString& path);
  // Opens the lesson `path` as "文" would once the opening scene is over (played to its end or
  // stopped), unless the learner opened a lesson before that. Call it after start().
  void openLessonAfterOpeningScene(const QString& path);
  // Expands the bar at the top edge, as a cursor touching the edge would, and raises it.
  void bringIntoView();
  // The poll of the cursor, every 100 ms once started.
  void pollCursor();

  stage::Cast& cast() { return cast_; }
  lesson::LessonSession& lesson() { return lesson_; }
  // The program's numbered open files (the lesson, a help text while it is read).
  platform::NumberedFiles& files() { return files_; }
  // The sentence window and the help window: single instances, created hidden on first use.
  lesson::SentenceWindow& sentenceWindow();
  help::HelpWindow& helpWindow();

  // The controls: the grip "Image1", the buttons "Command1_<index>" and the poll "Timer1".
  QLabel& grip() const { return *grip_; }
  QPushButton& button(commands::Command command) const;
  const QTimer& pollTimer() const { return pollTimer_; }
  const BarDocking& docking() const { return docking_; }
  // The menu of the buttons; its "Your turn" and "Say it again" also work by key in the
  // sentence window.
  LearnerMenu& learnerMenu() { return learnerMenu_; }
  LearnerTurn& learnerTurn() { return learnerTurn_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // A close request from the window manager ends the program as "退" does.
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpWindow();
  void createGrip();
  void createButtons();
  void setUpLearnerMenu();
  void setSlowSpeech(bool slow);
  // Runs an event handler of the bar's own; a failure is logged and the program goes on.
  void runHandler(const std::function<void()>& handler);

  character::Engine& engine_;
  platform::Twips twips_;
  std::unique_ptr<platform::WindowSystem> windowSystem_;
  BarDocking docking_;
  platform::NumberedFiles files_;
  lesson::LessonSession lesson_{files_};
  stage::Cast cast_;
  LearnerMenu learnerMenu_;
  LearnerTurn learnerTurn_;
  std::unique_ptr<lesson::SentenceWindow> sentenceWindow_;
  std::unique_ptr<help::HelpWindow> helpWindow_;
  QLabel* grip_ = nullptr;
  std::array<QPushButton*, commands::kCommandCount> buttons_{};
  QTimer pollTimer_;
  // Watches for the end of the opening scene while a lesson waits to be opened after it.
  QTimer startupLessonTimer_;
};

}  // namespace app
