// SPDX-License-Identifier: GPL-3.0-or-later
#include "subtitle_cue.h"

#include <QRegularExpression>

#include "markup_text.h"

namespace lesson {

bool isCueTiming(QStringView line) {
  static const QRegularExpression timing(QStringLiteral(
      R"(^\s*(\d+:)?\d{1,2}:\d{2}[,.]\d{1,3}\s*-->\s*(\d+:)?\d{1,2}:\d{2}[,.]\d{1,3}(\s.*)?$)"));
  return timing.match(line).hasMatch();
}

void addCue(ParsedLesson& lesson, const QStringList& textLines, int timingLine) {
  const int fileLine = textLines.isEmpty() ? timingLine : timingLine + 1;
  QStringList english;
  QStringList chinese;
  for (const QString& line : textLines) {
    const QString text = plainText(line);
    if (!text.isEmpty()) (holdsChinese(text) ? chinese : english) << text;
  }
  if (english.isEmpty()) {
    lesson.note(fileLine, chinese.isEmpty() ? QStringLiteral("cue without text: skipped")
                                            : QStringLiteral("cue without English: skipped"));
    return;
  }
  if (chinese.isEmpty())
    lesson.note(fileLine, QStringLiteral("cue without Chinese: empty translation"));
  lesson.add(english.join(u' '), chinese.join(u' '), fileLine);
}

}  // namespace lesson
