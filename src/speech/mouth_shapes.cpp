// SPDX-License-Identifier: GPL-3.0-or-later
#include "mouth_shapes.h"

#include <QSet>

namespace character {

namespace {

const QSet<QString> kFliteClosed = {"pau", "m", "b", "p", "f", "v"};
const QSet<QString> kFliteOpen = {"aa", "ae", "ah", "aw", "ay", "ax", "eh", "er", "hh"};
const QSet<QString> kFliteRound = {"ao", "ow", "oy", "uh", "uw", "w", "r", "sh", "zh", "ch", "jh"};

}  // namespace

MouthShape mouthShapeOfEnglishPhone(const QString& phone) {
  if (kFliteClosed.contains(phone)) return MouthShape::Closed;
  if (kFliteOpen.contains(phone)) return MouthShape::Open;
  if (kFliteRound.contains(phone)) return MouthShape::Round;
  return MouthShape::Wide;
}

MouthShape mouthShapeOfEspeakPhoneme(const QString& phoneme) {
  if (phoneme.isEmpty() || phoneme.startsWith(u'_')) return MouthShape::Closed;
  switch (phoneme.at(0).toLower().unicode()) {
    case 'm':
    case 'b':
    case 'p':
    case 'f':
    case 'v':
      return MouthShape::Closed;
    case 'a':
    case 'e':
    case '@':
    case '3':
    case 'h':
      return MouthShape::Open;
    case 'o':
    case 'u':
    case 'w':
    case 'y':
    case 'r':
      return MouthShape::Round;
    default:
      return MouthShape::Wide;
  }
}

void appendMouthCue(std::vector<MouthCue>& cues, int startMs, MouthShape shape) {
  if (!cues.empty() && cues.back().shape == shape) return;
  if (!cues.empty() && cues.back().startMs >= startMs) {
    cues.back().shape = shape;
    return;
  }
  cues.push_back({startMs, shape});
}

}  // namespace character
