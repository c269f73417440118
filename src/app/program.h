// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QObject>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "character/engine.h"
#include "command_target.h"
#include "commands.h"
#include "lesson/lesson_session.h"
#include "lesson/sentence_window.h"
#include "listening/listener.h"
#include "platform/numbered_files.h"
#include "practice/drill_session.h"
#include "practice/learner_turn.h"
#include "practice/review_session.h"
#include "progress/progress_keeper.h"
#include "stage/cast.h"
#include "toolbar/learner_menu.h"
#include "toolbar/toolbar_window.h"

namespace help {
class HelpWindow;
}
namespace progress {
class ProgressWindow;
}

namespace app {

// The running program: it owns the numbered files, the lesson being read with LineCounter, the
// cast, the learner's turn and the program's windows, and it runs the commands. The commands are
// actions made from the command table; the toolbar's buttons, the learner's menu and the keys of
// the sentence window trigger them. The windows are views: they call the program, never the
// other way round.
class Program : public QObject, public commands::CommandTarget {
  Q_OBJECT

 public:
  // The program as created, before it starts: the bar not shown, the characters' speech at the
  // pace the learner chose last. `listener` hears the learner's readings.
  // The learner's progress is kept in `progressFile`, opened on first use.
  Program(character::Engine& engine, listening::Listener& listener,
          const toolbar::ToolbarWindow::WindowSystemFactory& makeWindowSystem =
              platform::createDesktopWindowSystem,
          const QString& progressFile = progress::progressFile());
  ~Program() override;

  // Sets up the cast from the character files in `programFolder`, queues the opening scene,
  // docks the bar and starts its poll. Throws character::AgentError when a character cannot be
  // loaded or a call of the scene fails.
  void start(const QString& programFolder);
  // Runs `command`; a failure is reported in a message box. Every command but "帮" drops a
  // lesson still waiting for the opening scene to end: what the learner does comes first.
  void run(commands::Command command);
  // Opens the lesson `path` as "文" does once the learner chose it; a file dropped on the bar
  // comes here too. While the open dialog of
  // "文" is up, the lesson waits for it: the file chosen there wins, and a cancelled dialog
  // opens this one (the last handed over).
  void openLessonFile(const QString& path);
  // Opens the lesson `path` as "文" would once the opening scene is over (played to its end),
  // unless the learner ran a command other than "帮" before that. Call it after start().
  void openLessonAfterOpeningScene(const QString& path);
  // Brings the bar into view, as a cursor touching the top edge would.
  void bringIntoView();

  // The action of `command`, as the buttons, the menu and the keys trigger it.
  QAction& action(commands::Command command) const;
  // The paces of the pupils' sentences, one checked: the one chosen, kept for the next run.
  const QList<QAction*>& paces() const { return paces_; }

  // What the program is practising: the sentence said last (a lesson line or a typed one).
  std::optional<stage::SpokenSentence> sentenceInPlay();
  // The lesson file being read, "" when none is open.
  QString lessonPath() const;

 signals:
  // The learner read `sentence` aloud and it was scored.
  void readingScored(const stage::SpokenSentence& sentence,
                     const std::vector<listening::WordScore>& words);

 public:
  // The state and the windows the commands work on.
  stage::Cast& cast() override { return cast_; }
  lesson::LessonSession& lesson() override { return lesson_; }
  lesson::SentenceWindow& sentenceWindow() override;
  practice::LearnerTurn& learnerTurn() override { return learnerTurn_; }
  practice::SentenceRun& sentenceRun() override { return sentenceRun_; }
  progress::ProgressKeeper& progress() { return progress_; }
  platform::NumberedFiles& files() { return files_; }
  help::HelpWindow& helpWindow();
  toolbar::ToolbarWindow& toolbar() { return *toolbar_; }
  toolbar::LearnerMenu& learnerMenu() { return *learnerMenu_; }

 private:
  void showHelp() override;
  void showProgress() override;
  void dropClosedProgressWindow();
  void startReview() override;
  void startDrill() override;
  void hearMyReading() override;
  void stopPlayback() override { playback_.reset(); }
  bool takeRunKey(int key);
  QString chooseLessonFile() override;
  void reportError(const QString& message) override;
  void endProgram() override;

  void createActions();
  void createPaceActions();
  void setSentencePace(double pace);
  std::vector<toolbar::ToolbarButton> toolbarButtons() const;
  void keepReading(const stage::SpokenSentence& sentence,
                   const std::vector<listening::WordScore>& words);
  int lessonSentenceCount(const QString& path);
  void tellLearner(const QString& message);

  character::Engine& engine_;
  platform::NumberedFiles files_;
  lesson::LessonSession lesson_{files_};
  stage::Cast cast_;
  practice::LearnerTurn learnerTurn_;
  progress::ProgressKeeper progress_;
  practice::SentenceRun sentenceRun_;
  practice::ReviewSession review_;
  practice::DrillSession drill_;
  listening::Listener& listener_;
  std::unique_ptr<listening::Playback> playback_;
  // The sentences of each lesson read this run, by path.
  std::map<QString, int> lessonSentenceCounts_;
  std::array<QAction*, commands::kCommandCount> actions_{};
  QList<QAction*> paces_;
  std::unique_ptr<toolbar::LearnerMenu> learnerMenu_;
  std::unique_ptr<toolbar::ToolbarWindow> toolbar_;
  std::unique_ptr<lesson::SentenceWindow> sentenceWindow_;
  std::unique_ptr<help::HelpWindow> helpWindow_;
  std::unique_ptr<progress::ProgressWindow> progressWindow_;
  // The lesson to open once the opening scene is over, until then.
  std::optional<QString> startupLesson_;
  // Whether the open dialog of "文" is up, and the lesson handed over meanwhile.
  bool choosingLesson_ = false;
  std::optional<QString> lessonHandedOverWhileChoosing_;
};

}  // namespace app
