// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "character/character_data.h"
#include "character/presenter.h"

namespace character {

// The SVG document of one pose: every part in drawing order, in the variant the pose's keyframe
// chooses, moved and turned as the keyframe says. A speaking pose shows its mouth shape instead
// of the keyframe's mouth. Without an animation every part shows its default variant.
QString composeFrameSvg(const CharacterData& data, const Pose& pose);

}  // namespace character
