#include "performance.h"

#include <limits>
#include <stdexcept>

#include "loaded_character.h"

namespace stage {
namespace {

// vemo's places: at home, and above each pupil.
constexpr int kVemoHomeX = 180;
constexpr int kVemoY = 156;
constexpr int kOverGirlX = 300;
constexpr int kOverBoyX = 80;

// What differs between the two pupils' turns; everything else is the same.
struct Turn {
  character::Character& speaker;
  character::Character& listener;
  character::Request& speakerRequest;
  int vemoX;                  // vemo stands over the speaker
  const char* speakerPose;    // before speaking
  const char* afterSpeaking;  // after speaking, or nullptr
  const char* vemoPraise;     // before vemo thinks the translation
};

Turn girlsTurn(Cast& cast) {
  return {loaded(cast.Girl, QStringLiteral("girl")),
          loaded(cast.Boy, QStringLiteral("boy")),
          cast.GirlRequest,
          kOverGirlX,
          "Read",
          "LookRight",
          "Congratulate"};
}

Turn boysTurn(Cast& cast) {
  return {loaded(cast.Boy, QStringLiteral("boy")),
          loaded(cast.Girl, QStringLiteral("girl")),
          cast.BoyRequest,
          kOverBoyX,
          "Suggest",
          nullptr,
          "Greet"};
}

void perform(Cast& cast, const Turn& turn, const QString& sentence, const QString& thought) {
  character::Character& vemo = loaded(cast.Vemo, QStringLiteral("vemo"));
  vemo.MoveTo(turn.vemoX, kVemoY);
  vemo.Play(QStringLiteral("Lookdown"));
  turn.speaker.Play(QString::fromLatin1(turn.speakerPose));
  turn.speakerRequest = turn.speaker.Speak(sentence);
  if (turn.afterSpeaking) turn.speaker.Play(QString::fromLatin1(turn.afterSpeaking));
  if (!thought.isEmpty()) {
    vemo.Wait(turn.speakerRequest);
    vemo.Play(QString::fromLatin1(turn.vemoPraise));
    cast.VemoRequest = vemo.Think(thought);
  }
  turn.listener.Wait(cast.VemoRequest);
}

}  // namespace

QString thoughtText(const QString& translation) {
  QString thought;
  thought.reserve(translation.size() * 2);
  for (QChar unit : translation) {
    thought += QLatin1Char(' ');
    thought += unit;
  }
  return thought;
}

std::int32_t nextLineCount(std::int32_t LineCounter) {
  if (LineCounter == std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("The line count cannot go beyond 2147483647.");
  }
  return LineCounter + 1;
}

bool isGirlsTurn(std::int32_t LineCounter) {
  return LineCounter % 2 != 0;
}

void PerformSentence(Cast& cast, const QString& sentence, const QString& translation,
                     std::int32_t LineCounter) {
  if (sentence.isEmpty()) return;
  perform(cast, isGirlsTurn(LineCounter) ? girlsTurn(cast) : boysTurn(cast), sentence,
          thoughtText(translation));
}

void SpeakTypedSentence(Cast& cast, const QString& sentence, std::int32_t& LineCounter) {
  character::Character& vemo = loaded(cast.Vemo, QStringLiteral("vemo"));
  vemo.MoveTo(kVemoHomeX, kVemoY);
  loaded(cast.Girl, QStringLiteral("girl")).Stop();
  if (sentence.isEmpty()) return;
  if (isGirlsTurn(LineCounter)) {
    character::Character& girl = loaded(cast.Girl, QStringLiteral("girl"));
    vemo.Play(QStringLiteral("LookLeft"));
    girl.Play(QStringLiteral("LookRight"));
    girl.Speak(sentence);
  } else {
    character::Character& boy = loaded(cast.Boy, QStringLiteral("boy"));
    vemo.Play(QStringLiteral("LookRight"));
    boy.Play(QStringLiteral("Suggest"));
    boy.Speak(sentence);
  }
  LineCounter = nextLineCount(LineCounter);
}

}  // namespace stage
