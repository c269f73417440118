// SPDX-License-Identifier: GPL-3.0-or-later
#include "srt_lesson.h"

#include "subtitle_cue.h"

namespace lesson {
namespace {

bool isCueNumber(const QString& line) {
  bool number = false;
  line.trimmed().toUInt(&number);
  return number;
}

}  // namespace

bool startsSubRipCue(const QStringList& lines, qsizetype at) {
  if (isCueTiming(lines[at])) return true;
  return isCueNumber(lines[at]) && at + 1 < lines.size() && isCueTiming(lines[at + 1]);
}

ParsedLesson parseSubRipLesson(const QStringList& lines) {
  ParsedLesson lesson;
  const qsizetype count = lines.size();
  for (qsizetype at = 0; at < count;) {
    if (lines[at].trimmed().isEmpty()) {
      ++at;
      continue;
    }
    if (!isCueTiming(lines[at]) && startsSubRipCue(lines, at)) ++at;
    if (!isCueTiming(lines[at])) {
      lesson.breakAt(int(at + 1),
                     QStringLiteral("expected a cue timing such as 00:00:01,000 --> 00:00:02,500"));
      return lesson;
    }
    const int timingLine = int(at + 1);
    QStringList text;
    for (++at; at < count && !lines[at].trimmed().isEmpty(); ++at) text << lines[at];
    addCue(lesson, text, timingLine);
  }
  return lesson;
}

}  // namespace lesson
