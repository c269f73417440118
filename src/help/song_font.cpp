// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/song_font.h"

namespace help {

QFont songFont(qreal pointSize, bool underlined) {
  QFont font(QStringLiteral("宋体"));
  font.setPointSizeF(pointSize);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(underlined);
  return font;
}

}  // namespace help
