// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_data.h"

namespace character {

int Animation::totalMs() const {
  int total = 0;
  for (const Keyframe& frame : frames) total += frame.durationMs;
  return total;
}

QString mouthVariantName(MouthShape shape) {
  switch (shape) {
    case MouthShape::Closed:
      return QStringLiteral("closed");
    case MouthShape::Open:
      return QStringLiteral("open");
    case MouthShape::Wide:
      return QStringLiteral("wide");
    case MouthShape::Round:
      return QStringLiteral("round");
  }
  return QStringLiteral("closed");
}

const Animation* CharacterData::findAnimation(const QString& name) const {
  for (const Animation& animation : animations) {
    if (animation.name.compare(name, Qt::CaseInsensitive) == 0) return &animation;
  }
  return nullptr;
}

const Part* CharacterData::findPart(const QString& name) const {
  for (const Part& part : parts) {
    if (part.name == name) return &part;
  }
  return nullptr;
}

}  // namespace character
