// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace toolbar {

// The drag grip's picture: a four-headed arrow, 16 x 17 pixels, 8 bits per pixel, in two
// colours, light strokes RGB(192, 192, 255) on dark red RGB(128, 0, 0).
QImage gripGlyph();

}  // namespace toolbar
