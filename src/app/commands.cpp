#include "commands.h"

#include <exception>
#include <functional>

#include "form_command_target.h"
#include "lesson/open_lesson.h"
#include "stage/loaded_character.h"
#include "stage/performance.h"

namespace app::commands {
namespace {

// Where "短" puts the sentence window, in twips.
constexpr int kSentenceWindowLeft = 960;
constexpr int kSentenceWindowTop = 360;

void openLesson(CommandTarget& target) {
  lesson::LessonContext context{target.files(), target.sentenceWindow(), target.LineCounter(),
                                target.cast()};
  lesson::openLesson(context, [&target] { return target.chooseLessonFile(); });
}

void speakTypedSentence(CommandTarget& target) {
  stage::SpeakTypedSentence(target.cast(), target.sentenceWindow().text1(), target.LineCounter());
}

// Every step is tried, whatever became of the ones before.
void stopAll(CommandTarget& target) {
  stage::Cast& cast = target.cast();
  const std::function<void()> steps[] = {
      [&] { stage::loaded(cast.Boy, QStringLiteral("boy")).Stop(); },
      [&] { stage::loaded(cast.Girl, QStringLiteral("girl")).Stop(); },
      [&] { stage::loaded(cast.Vemo, QStringLiteral("vemo")).Stop(); },
      [&] { target.sentenceWindow().hide(); },
  };
  for (const auto& step : steps) {
    try {
      step();
    } catch (...) {  // "停" ignores every failure and goes on with its next step
    }
  }
}

void release(std::unique_ptr<character::AgentControl>& agent, character::Character*& handle,
             character::Request& request) {
  if (handle) handle->Hide();
  request = character::Request();
  handle = nullptr;
  agent.reset();
}

void quit(CommandTarget& target) {
  stage::Cast& cast = target.cast();
  release(cast.BoyAgent, cast.Boy, cast.BoyRequest);
  release(cast.GirlAgent, cast.Girl, cast.GirlRequest);
  release(cast.VemoAgent, cast.Vemo, cast.VemoRequest);
  target.endProgram();
}

void showForTyping(CommandTarget& target) {
  stage::loaded(target.cast().Girl, QStringLiteral("girl")).Stop();
  lesson::lx& window = target.sentenceWindow();
  window.Move(kSentenceWindowLeft, kSentenceWindowTop);
  window.show();
  window.raise();
  window.focusText1();
}

}  // namespace

void run(CommandTarget& target, int index) {
  try {
    switch (index) {
      case kOpenLesson:
        openLesson(target);
        break;
      case kSpeak:
        speakTypedSentence(target);
        break;
      case kStop:
        stopAll(target);
        break;
      case kQuit:
        quit(target);
        break;
      case kTypeSentence:
        showForTyping(target);
        break;
      case kHelp:
        target.showHelp();
        break;
      default:  // no such button
        break;
    }
  } catch (const std::exception& error) {
    target.reportError(QString::fromUtf8(error.what()));
  }
}

void run(maun& form, int index) {
  FormCommandTarget target(form);
  run(target, index);
}

}  // namespace app::commands
