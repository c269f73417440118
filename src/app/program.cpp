// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include <QCoreApplication>
#include <utility>

#include "app_log.h"
#include "help/help_window.h"
#include "lesson/lesson_dialog.h"
#include "platform/report_error.h"
#include "practice/slow_speech_setting.h"
#include "stage/cast_setup.h"
#include "stage/opening_scene.h"

namespace app {

using commands::Command;

Program::Program(character::Engine& engine, listening::Listener& listener,
                 const toolbar::ToolbarWindow::WindowSystemFactory& makeWindowSystem)
    : engine_(engine), learnerTurn_(cast_, listener, [this] {
        return engine_.frame(cast_[stage::Role::Host].state());
      }) {
  createActions();
  learnerMenu_ = std::make_unique<toolbar::LearnerMenu>(action(Command::YourTurn),
                                                        action(Command::SayAgain), *slowSpeech_);
  toolbar_ =
      std::make_unique<toolbar::ToolbarWindow>(toolbarButtons(), *learnerMenu_, makeWindowSystem);
  connect(toolbar_.get(), &toolbar::ToolbarWindow::closeRequested, this,
          [this] { run(Command::Quit); });
  connect(toolbar_.get(), &toolbar::ToolbarWindow::fileDropped, this, &Program::openLessonFile);
  connect(&learnerTurn_, &practice::LearnerTurn::scored, this, &Program::readingScored);
}

Program::~Program() = default;

// One action a command of the table, and the slow-speech setting beside them.
void Program::createActions() {
  for (std::size_t index = 0; index < commands::kCommands.size(); ++index) {
    const commands::CommandEntry& entry = commands::kCommands[index];
    auto* made = new QAction(QString::fromUtf8(entry.caption), this);
    made->setToolTip(QString::fromUtf8(entry.toolTip));
    if (entry.key != Qt::Key_unknown) {
      made->setShortcut(entry.key);
      made->setShortcutContext(Qt::WindowShortcut);
    }
    connect(made, &QAction::triggered, this, [this, command = entry.command] { run(command); });
    actions_[index] = made;
  }
  slowSpeech_ = new QAction(QStringLiteral("慢速 (Slow speech)"), this);
  slowSpeech_->setCheckable(true);
  slowSpeech_->setChecked(practice::slowSpeechChosen());
  cast_.setSentencePace(slowSpeech_->isChecked() ? practice::kSlowSpeechPace : 1.0);
  connect(slowSpeech_, &QAction::toggled, this, [this](bool slow) { setSlowSpeech(slow); });
}

std::vector<toolbar::ToolbarButton> Program::toolbarButtons() const {
  std::vector<toolbar::ToolbarButton> buttons;
  for (std::size_t index = 0; index < commands::kButtonCount; ++index) {
    buttons.push_back({actions_[index], commands::kCommands[index].leftTwips});
  }
  return buttons;
}

void Program::setSlowSpeech(bool slow) {
  cast_.setSentencePace(slow ? practice::kSlowSpeechPace : 1.0);
  practice::keepSlowSpeechChoice(slow);
}

QAction& Program::action(Command command) const {
  return *actions_.at(static_cast<std::size_t>(commands::commandIndex(command)));
}

void Program::start(const QString& programFolder) {
  stage::setUpCast(engine_, cast_, programFolder);
  stage::queueOpeningScene(cast_);
  toolbar_->start();
}

void Program::run(Command command) {
  if (command != Command::Help) startupLesson_.reset();
  commands::run(*this, command);
}

void Program::openLessonFile(const QString& path) {
  startupLesson_.reset();
  if (choosingLesson_) {
    lessonHandedOverWhileChoosing_ = path;
    return;
  }
  commands::openLessonFile(*this, path);
}

// The host's queue ends with the opening scene; a wait queued behind it finishes with the scene
// (or at once when "停" interrupts it, which has dropped the lesson by then).
void Program::openLessonAfterOpeningScene(const QString& path) {
  startupLesson_ = path;
  cast_[stage::Role::Host].Wait(cast_.request(stage::Role::Girl)).whenFinished(this, [this] {
    if (const std::optional<QString> path = std::exchange(startupLesson_, std::nullopt)) {
      openLessonFile(*path);
    }
  });
}

void Program::bringIntoView() {
  toolbar_->bringIntoView();
}

std::optional<stage::SpokenSentence> Program::sentenceInPlay() {
  return cast_.spokenSentences().last();
}

QString Program::lessonPath() const {
  return lesson_.path();
}

lesson::SentenceWindow& Program::sentenceWindow() {
  if (!sentenceWindow_) {
    sentenceWindow_ = std::make_unique<lesson::SentenceWindow>();
    sentenceWindow_->addActions({&action(Command::YourTurn), &action(Command::SayAgain)});
  }
  return *sentenceWindow_;
}

help::HelpWindow& Program::helpWindow() {
  if (!helpWindow_) helpWindow_ = std::make_unique<help::HelpWindow>(files_);
  return *helpWindow_;
}

void Program::showHelp() {
  helpWindow().showHelp();
}

// The dialog runs an event loop of its own, where a later start may hand a lesson over.
QString Program::chooseLessonFile() {
  choosingLesson_ = true;
  const QString chosen = lesson::askForLessonFile(toolbar_.get());
  choosingLesson_ = false;
  const std::optional<QString> handedOver = std::exchange(lessonHandedOverWhileChoosing_, {});
  return chosen.isEmpty() ? handedOver.value_or(QString()) : chosen;
}

void Program::reportError(const QString& message) {
  platform::reportError(lcApp(), platform::Failure::Command, message, toolbar_.get());
}

// Leaves the event loop as soon as this handler returns: main() then returns 0 and every window
// closes.
void Program::endProgram() {
  QCoreApplication::exit(0);
}

}  // namespace app
