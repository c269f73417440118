// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include <functional>
#include <optional>
#include <vector>

#include "base/guarded_run.h"
#include "lesson/lesson_log.h"
#include "platform/report_error.h"
#include "practice/learner_turn.h"
#include "practice/lesson_reading.h"
#include "practice/sentence_run.h"
#include "stage/performance.h"

namespace app::commands {
namespace {

using stage::Role;

// Where "短" puts the sentence window, in twips.
constexpr int kSentenceWindowLeft = 960;
constexpr int kSentenceWindowTop = 360;

// A slice of a long lesson that fails after "文" has returned has no command to report through.
void reportReadingError(const QString& message) {
  platform::reportError(lcLesson(), platform::Failure::Command, message);
}

void openLesson(CommandTarget& target) {
  practice::openLesson(
      {target.lesson(), target.sentenceWindow(), target.cast(), reportReadingError},
      [&target] { return target.chooseLessonFile(); });
}

void speakTypedSentence(CommandTarget& target) {
  lesson::LessonSession& lesson = target.lesson();
  if (stage::SpeakTypedSentence(target.cast(), target.sentenceWindow().sentence(),
                                lesson.LineCounter())) {
    lesson.countTypedSentence();
  }
}

using Steps = std::vector<std::function<void()>>;

// Every step is tried, whatever became of the ones before.
void runEveryStep(const Steps& steps) {
  // Stopping ignores every failure and goes on with its next step.
  for (const auto& step : steps) base::runGuarded(step, [](const QString&) {});
}

// The lines of a lesson not read yet are dropped with what the characters have queued, and a
// learner's turn in progress ends.
Steps stopCharactersSteps(CommandTarget& target) {
  stage::Cast& cast = target.cast();
  Steps steps;
  steps.emplace_back([&target] { target.lesson().dropUnstaged(); });
  steps.emplace_back([&target] { target.learnerTurn().cancel(); });
  steps.emplace_back([&target] { target.sentenceRun().cancel(); });
  steps.emplace_back([&target] { target.stopPlayback(); });
  steps.emplace_back([&cast] { cast.spokenSentences().takeNote(); });
  for (Role role : stage::kRoles) steps.emplace_back([&cast, role] { cast[role].Stop(); });
  return steps;
}

void stopAll(CommandTarget& target) {
  Steps steps = stopCharactersSteps(target);
  steps.emplace_back([&target] { target.sentenceWindow().hideWindow(); });
  runEveryStep(steps);
}

// The sentence said last, or the sentence window's text as the pupil whose turn it is would
// say it.
std::optional<stage::SpokenSentence> sentenceToPractise(CommandTarget& target) {
  if (auto last = target.cast().spokenSentences().last()) return last;
  const QString typed = target.sentenceWindow().sentence();
  if (typed.trimmed().isEmpty()) return std::nullopt;
  return stage::SpokenSentence{stage::typedSentenceSpeaker(target.lesson().LineCounter()), typed};
}

// Stops the characters and hands the sentence to practise to `withSentence`, or has the host
// ask for one.
void practise(CommandTarget& target,
              const std::function<void(const stage::SpokenSentence&)>& withSentence) {
  base::runGuarded(
      [&] {
        const std::optional<stage::SpokenSentence> sentence = sentenceToPractise(target);
        runEveryStep(stopCharactersSteps(target));
        if (sentence) return withSentence(*sentence);
        target.cast()[Role::Host].Speak(QStringLiteral("Open a lesson or type a sentence first."));
      },
      [&target](const QString& message) { target.reportError(message); });
}

void quit(CommandTarget& target) {
  target.lesson().dropUnstaged();
  target.learnerTurn().cancel();
  target.sentenceRun().cancel();
  target.cast().release();
  target.endProgram();
}

void showForTyping(CommandTarget& target) {
  target.cast().stop(Role::Girl);
  target.sentenceWindow().showForTyping(kSentenceWindowLeft, kSentenceWindowTop);
}

void showHelp(CommandTarget& target) {
  target.showHelp();
}

void takeYourTurn(CommandTarget& target) {
  practise(target, [&target](const stage::SpokenSentence& sentence) {
    target.learnerTurn().start(sentence);
  });
}

void sayItAgain(CommandTarget& target) {
  practise(target, [&target](const stage::SpokenSentence& sentence) {
    stage::SayAgain(target.cast(), sentence);
  });
}

void review(CommandTarget& target) {
  runEveryStep(stopCharactersSteps(target));
  target.startReview();
}

void drill(CommandTarget& target) {
  runEveryStep(stopCharactersSteps(target));
  target.startDrill();
}

void hearMyReading(CommandTarget& target) {
  runEveryStep(stopCharactersSteps(target));
  target.hearMyReading();
}

void showProgress(CommandTarget& target) {
  target.showProgress();
}

}  // namespace

const std::array<CommandEntry, kCommandCount> kCommands = {{
    {Command::OpenLesson, "文", "打开学习文件", 240, Qt::Key_unknown, openLesson},
    {Command::Speak, "读", "朗读英语", 600, Qt::Key_unknown, speakTypedSentence},
    {Command::Stop, "停", "停止", 960, Qt::Key_unknown, stopAll},
    {Command::Quit, "退", "退出", 2040, Qt::Key_unknown, quit},
    {Command::TypeSentence, "短", "短句输入", 1320, Qt::Key_unknown, showForTyping},
    {Command::Help, "帮", "看帮助文件", 1680, Qt::Key_unknown, showHelp},
    {Command::YourTurn, "我来说 (Your turn)", "", -1, Qt::Key_F5, takeYourTurn},
    {Command::SayAgain, "再听一遍 (Say it again)", "", -1, Qt::Key_F6, sayItAgain},
    {Command::Review, "复习 (Review)", "", -1, Qt::Key_F7, review},
    {Command::Drill, "跟读 (Drill)", "", -1, Qt::Key_F8, drill},
    {Command::HearMyReading, "听我说的 (Hear my reading)", "", -1, Qt::Key_F9, hearMyReading},
    {Command::Progress, "学习记录 (Progress)", "", -1, Qt::Key_unknown, showProgress},
}};

int commandIndex(Command command) {
  for (std::size_t index = 0; index < kCommands.size(); ++index) {
    if (kCommands[index].command == command) return static_cast<int>(index);
  }
  return -1;
}

void openLessonFile(CommandTarget& target, const QString& path) {
  base::runGuarded(
      [&] {
        practice::openLesson(
            {target.lesson(), target.sentenceWindow(), target.cast(), reportReadingError},
            [&path] { return path; });
      },
      [&target](const QString& message) { target.reportError(message); });
}

void run(CommandTarget& target, Command command) {
  const int index = commandIndex(command);
  if (index < 0) return;
  base::runGuarded([&] { kCommands[index].handler(target); },
                   [&target](const QString& message) { target.reportError(message); });
}

}  // namespace app::commands
