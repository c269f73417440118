// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <utility>

#include "app_log.h"
#include "base/guarded_run.h"
#include "help/help_window.h"
#include "lesson/lesson_check.h"
#include "lesson/lesson_dialog.h"
#include "platform/memory_at_rest.h"
#include "platform/report_error.h"
#include "practice/pace_setting.h"
#include "progress/progress_window.h"
#include "stage/cast_setup.h"
#include "stage/opening_scene.h"
#include "stage/performance.h"

namespace app {

using commands::Command;

Program::Program(character::Engine& engine, listening::Listener& listener,
                 const toolbar::ToolbarWindow::WindowSystemFactory& makeWindowSystem,
                 const QString& progressFile)
    : engine_(engine),
      learnerTurn_(cast_, listener,
                   [this] { return engine_.frame(cast_[stage::Role::Host].state()); }),
      progress_(progressFile, [this](const QString& message) { tellLearner(message); }),
      sentenceRun_(cast_, learnerTurn_,
                   [this]() -> lesson::SentenceView& { return sentenceWindow(); }),
      review_(
          cast_, sentenceRun_, [this] { return progress_.dueSentences(); },
          [this] { return progress_.nextDue(); }),
      drill_(cast_, sentenceRun_),
      listener_(listener) {
  createActions();
  learnerMenu_ = std::make_unique<toolbar::LearnerMenu>(
      action(Command::YourTurn), action(Command::SayAgain),
      QList<QAction*>{&action(Command::Review), &action(Command::Drill),
                      &action(Command::HearMyReading), &action(Command::Progress)},
      paces_);
  toolbar_ =
      std::make_unique<toolbar::ToolbarWindow>(toolbarButtons(), *learnerMenu_, makeWindowSystem);
  connect(toolbar_.get(), &toolbar::ToolbarWindow::closeRequested, this,
          [this] { run(Command::Quit); });
  connect(toolbar_.get(), &toolbar::ToolbarWindow::fileDropped, this, &Program::openLessonFile);
  // Kept before anything else hears of it: the result shows only once the event loop runs.
  connect(&learnerTurn_, &practice::LearnerTurn::scored, this, &Program::keepReading);
  connect(&learnerTurn_, &practice::LearnerTurn::scored, this, &Program::readingScored);
}

Program::~Program() = default;

// One action a command of the table, and the paces beside them.
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
  createPaceActions();
}

// One checkable action a pace, one of them checked: the pace chosen last.
void Program::createPaceActions() {
  const double chosen = practice::chosenSentencePace();
  auto* group = new QActionGroup(this);
  for (double pace : practice::kSentencePaces) {
    auto* made = new QAction(QStringLiteral("%1×").arg(pace, 0, 'f', 1), group);
    made->setCheckable(true);
    made->setChecked(pace == chosen);
    connect(made, &QAction::triggered, this, [this, pace] { setSentencePace(pace); });
    paces_.append(made);
  }
  cast_.setSentencePace(chosen);
}

std::vector<toolbar::ToolbarButton> Program::toolbarButtons() const {
  std::vector<toolbar::ToolbarButton> buttons;
  for (std::size_t index = 0; index < commands::kButtonCount; ++index) {
    buttons.push_back({actions_[index], commands::kCommands[index].leftTwips});
  }
  return buttons;
}

void Program::setSentencePace(double pace) {
  cast_.setSentencePace(pace);
  practice::keepSentencePace(pace);
}

void Program::keepReading(const stage::SpokenSentence& sentence,
                          const std::vector<listening::WordScore>& words) {
  progress::ReadingRecord reading;
  if (sentence.lessonLine) {
    reading.lessonPath = lesson_.lastOpenedPath();
    reading.lessonTitle = QFileInfo(reading.lessonPath).completeBaseName();
    reading.lessonSentences = lessonSentenceCount(reading.lessonPath);
  }
  reading.english = sentence.text;
  reading.chinese = sentence.translation;
  reading.words = int(words.size());
  for (const listening::WordScore& word : words) {
    if (word.heard) {
      ++reading.heard;
    } else {
      reading.missed << word.word;
    }
  }
  reading.pace = cast_.sentencePace();
  progress_.keep(reading);
}

// Counted once a run, as the reader would stage the lesson.
int Program::lessonSentenceCount(const QString& path) {
  auto found = lessonSentenceCounts_.find(path);
  if (found == lessonSentenceCounts_.end()) {
    found = lessonSentenceCounts_.emplace(path, lesson::checkLesson(path).stagedLines).first;
  }
  return found->second;
}

// The host says it, after what he was asked to say before.
void Program::tellLearner(const QString& message) {
  base::runGuarded([&] { cast_[stage::Role::Host].Speak(message); },
                   [](const QString& failure) { qCWarning(lcApp).noquote() << failure; });
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
    sentenceWindow_->addActions({&action(Command::YourTurn), &action(Command::SayAgain),
                                 &action(Command::Review), &action(Command::Drill),
                                 &action(Command::HearMyReading)});
    sentenceWindow_->setRunKeys([this](int key) { return takeRunKey(key); });
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

void Program::startReview() {
  review_.start();
}

void Program::startDrill() {
  const QString path = lesson_.lastOpenedPath();
  const std::vector<lesson::LessonLine> lines =
      path.isEmpty() ? std::vector<lesson::LessonLine>() : lesson::checkLesson(path).sentences;
  drill_.start(lines, sentenceInPlay(), sentenceWindow().sentence());
}

// Own voice, then the model: the pupil says the sentence once the recording has been played.
void Program::hearMyReading() {
  const auto& kept = learnerTurn_.keptReadings();
  if (kept.empty()) {
    cast_[stage::Role::Host].Speak(QStringLiteral("Read a sentence aloud first."));
    return;
  }
  const practice::LearnerTurn::KeptReading last = kept.back();
  playback_ = listener_.play(last.sound, [this, sentence = last.sentence] {
    base::runGuarded([&] { stage::SayAgain(cast_, sentence); },
                     [](const QString& message) { qCWarning(lcApp).noquote() << message; });
  });
}

// While sentences are practised one after another: Page Down the next, Page Up the one before,
// Space pauses and resumes, Esc stops as "停" does.
bool Program::takeRunKey(int key) {
  if (!sentenceRun_.active()) return false;
  switch (key) {
    case Qt::Key_PageDown:
      sentenceRun_.skip(1);
      return true;
    case Qt::Key_PageUp:
      sentenceRun_.skip(-1);
      return true;
    case Qt::Key_Space:
      sentenceRun_.pauseOrResume();
      return true;
    case Qt::Key_Escape:
      run(Command::Stop);
      return true;
    default:
      return false;
  }
}

// The window is made anew each time: closed, it would keep its pictures and tables.
void Program::showProgress() {
  if (!progressWindow_) {
    progressWindow_ = std::make_unique<progress::ProgressWindow>(progress_);
    connect(progressWindow_.get(), &progress::ProgressWindow::hidden, this,
            &Program::dropClosedProgressWindow, Qt::QueuedConnection);
  }
  progressWindow_->showUpToDate();
}

void Program::dropClosedProgressWindow() {
  if (!progressWindow_ || progressWindow_->isVisible()) return;
  progressWindow_.reset();
  platform::releaseMemoryAtRest();
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
