// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_line.h"

namespace lesson {

std::optional<LessonLine> parseLessonLine(const QString& line) {
  const qsizetype separator = line.indexOf(QLatin1Char('~'));
  if (separator < 0) return std::nullopt;
  const QStringView head = QStringView(line).left(separator);
  const qsizetype tagEnd = head.indexOf(QLatin1Char(']'));
  return LessonLine{head.mid(tagEnd + 1).toString(), line.mid(separator + 1)};
}

}  // namespace lesson
