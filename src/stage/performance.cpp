// SPDX-License-Identifier: GPL-3.0-or-later
#include "performance.h"

namespace stage {
namespace {

// What differs between the two pupils' turns; everything else is the same.
struct Turn {
  Role speaker;
  Role listener;
  const char* speakerPose;    // before speaking
  const char* afterSpeaking;  // after speaking, or nullptr
  const char* hostPraise;     // before the host thinks the translation
};

constexpr Turn kGirlsTurn{Role::Girl, Role::Boy, "Read", "LookRight", "Congratulate"};
constexpr Turn kBoysTurn{Role::Boy, Role::Girl, "Suggest", nullptr, "Greet"};

// The host stands over a pupil: at the pupil's home left, at its own home height.
QPoint overThe(Role pupil) {
  return {castMember(pupil).home.x(), castMember(Role::Host).home.y()};
}

// A pupil says a lesson line or the learner's sentence, which is kept as said.
character::Request saySentence(Cast& cast, const SpokenSentence& sentence) {
  const character::Request spoken =
      cast[sentence.speaker].Speak(sentence.text, cast.sentenceStyle());
  cast.spokenSentences().add(sentence, spoken);
  return spoken;
}

void perform(Cast& cast, const Turn& turn, const QString& sentence, const QString& translation) {
  const QString thought = thoughtText(translation);
  character::Character& speaker = cast[turn.speaker];
  character::Character& listener = cast[turn.listener];
  character::Character& host = cast[Role::Host];
  const QPoint place = overThe(turn.speaker);
  host.MoveTo(place.x(), place.y());
  host.Play(QStringLiteral("Lookdown"));
  speaker.Play(QString::fromLatin1(turn.speakerPose));
  character::Request& spoken = cast.request(turn.speaker);
  spoken = saySentence(cast, {turn.speaker, sentence, translation, true});
  if (turn.afterSpeaking) speaker.Play(QString::fromLatin1(turn.afterSpeaking));
  if (!thought.isEmpty()) {
    host.Wait(spoken);
    host.Play(QString::fromLatin1(turn.hostPraise));
    cast.request(Role::Host) = host.Think(thought);
  }
  listener.Wait(cast.request(Role::Host));
}

}  // namespace

QString thoughtText(const QString& translation) {
  QString thought;
  thought.reserve(translation.size() * 2);
  for (qsizetype at = 0; at < translation.size(); ++at) {
    thought += QLatin1Char(' ');
    thought += translation[at];
    // The two halves of a character beyond the Basic Multilingual Plane stay together.
    const bool pairFollows = translation[at].isHighSurrogate() && at + 1 < translation.size() &&
                             translation[at + 1].isLowSurrogate();
    if (pairFollows) thought += translation[++at];
  }
  return thought;
}

bool isGirlsTurn(std::int32_t LineCounter) {
  return LineCounter % 2 != 0;
}

void PerformSentence(Cast& cast, const QString& sentence, const QString& translation,
                     std::int32_t LineCounter) {
  if (sentence.isEmpty()) return;
  perform(cast, isGirlsTurn(LineCounter) ? kGirlsTurn : kBoysTurn, sentence, translation);
}

bool SpeakTypedSentence(Cast& cast, const QString& sentence, std::int32_t LineCounter) {
  character::Character& host = cast[Role::Host];
  const QPoint home = castMember(Role::Host).home;
  host.MoveTo(home.x(), home.y());
  cast.stop(Role::Girl);
  if (sentence.isEmpty()) return false;
  const Role speaker = typedSentenceSpeaker(LineCounter);
  if (speaker == Role::Girl) {
    host.Play(QStringLiteral("LookLeft"));
    cast[Role::Girl].Play(QStringLiteral("LookRight"));
  } else {
    host.Play(QStringLiteral("LookRight"));
    cast[Role::Boy].Play(QStringLiteral("Suggest"));
  }
  saySentence(cast, {speaker, sentence});
  return true;
}

Role typedSentenceSpeaker(std::int32_t LineCounter) {
  return isGirlsTurn(LineCounter) ? Role::Girl : Role::Boy;
}

void SayAgain(Cast& cast, const SpokenSentence& sentence) {
  saySentence(cast, sentence);
}

character::Request PresentForPractice(Cast& cast, const SpokenSentence& sentence,
                                      const QString& label) {
  const character::Request spoken = saySentence(cast, sentence);
  const QString thought = (label + thoughtText(sentence.translation)).trimmed();
  if (thought.isEmpty()) return spoken;
  character::Character& host = cast[Role::Host];
  host.Wait(spoken);
  return host.Think(thought);
}

}  // namespace stage
