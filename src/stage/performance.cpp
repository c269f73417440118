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

void performGirlsTurn(Cast& cast, const QString& sentence, const QString& thought) {
  character::Character& vemo = loaded(cast.Vemo, QStringLiteral("vemo"));
  character::Character& girl = loaded(cast.Girl, QStringLiteral("girl"));
  character::Character& boy = loaded(cast.Boy, QStringLiteral("boy"));
  vemo.MoveTo(kOverGirlX, kVemoY);
  vemo.Play(QStringLiteral("Lookdown"));
  girl.Play(QStringLiteral("Read"));
  cast.GirlRequest = girl.Speak(sentence);
  girl.Play(QStringLiteral("LookRight"));
  if (!thought.isEmpty()) {
    vemo.Wait(cast.GirlRequest);
    vemo.Play(QStringLiteral("Congratulate"));
    cast.VemoRequest = vemo.Think(thought);
  }
  boy.Wait(cast.VemoRequest);
}

void performBoysTurn(Cast& cast, const QString& sentence, const QString& thought) {
  character::Character& vemo = loaded(cast.Vemo, QStringLiteral("vemo"));
  character::Character& boy = loaded(cast.Boy, QStringLiteral("boy"));
  character::Character& girl = loaded(cast.Girl, QStringLiteral("girl"));
  vemo.MoveTo(kOverBoyX, kVemoY);
  vemo.Play(QStringLiteral("Lookdown"));
  boy.Play(QStringLiteral("Suggest"));
  cast.BoyRequest = boy.Speak(sentence);
  if (!thought.isEmpty()) {
    vemo.Wait(cast.BoyRequest);
    vemo.Play(QStringLiteral("Greet"));
    cast.VemoRequest = vemo.Think(thought);
  }
  girl.Wait(cast.VemoRequest);
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
  const QString thought = thoughtText(translation);
  if (isGirlsTurn(LineCounter)) {
    performGirlsTurn(cast, sentence, thought);
  } else {
    performBoysTurn(cast, sentence, thought);
  }
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
