// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainterPath>

#include "balloon_layout.h"

namespace character {

// The outline of a balloon in window pixels. Speech: a rounded box with a tail whose tip points
// at the character. Thought: a cloud with a trail of shrinking bubbles toward the character.
QPainterPath balloonShape(BalloonKind kind, const BalloonGeometry& geometry);

}  // namespace character
