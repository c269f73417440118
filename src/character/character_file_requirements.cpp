// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_file_requirements.h"

#include "character_data.h"

namespace character {

const QStringList& requiredAnimationNames() {
  static const QStringList names = {
      animation_names::kRest,      animation_names::kShowing,      animation_names::kHiding,
      animation_names::kSpeaking,  animation_names::kThinking,     animation_names::kMoving,
      QStringLiteral("Greet"),     QStringLiteral("Congratulate"), QStringLiteral("LookLeft"),
      QStringLiteral("LookRight"), QStringLiteral("LookUp"),       QStringLiteral("LookDown"),
      QStringLiteral("Read"),      QStringLiteral("Suggest")};
  return names;
}

const std::vector<RequiredPart>& requiredParts() {
  static const std::vector<RequiredPart> parts = {
      {QStringLiteral("mouth"),
       {mouthVariantName(MouthShape::Closed), mouthVariantName(MouthShape::Open),
        mouthVariantName(MouthShape::Wide), mouthVariantName(MouthShape::Round)}},
      {QStringLiteral("eyes"), {QStringLiteral("open"), QStringLiteral("closed")}}};
  return parts;
}

}  // namespace character
