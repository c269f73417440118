// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtt_lesson.h"

#include "subtitle_cue.h"

namespace lesson {
namespace {

// Whether `line` is `word` alone or followed by a blank and more.
bool startsWithWord(const QString& line, QLatin1String word) {
  return line.startsWith(word) && (line.size() == word.size() || line[word.size()].isSpace());
}

bool isSkippedBlock(const QString& firstLine) {
  return startsWithWord(firstLine, QLatin1String("NOTE")) ||
         startsWithWord(firstLine, QLatin1String("STYLE")) ||
         startsWithWord(firstLine, QLatin1String("REGION"));
}

qsizetype blockEnd(const QStringList& lines, qsizetype at) {
  while (at < lines.size() && !lines[at].trimmed().isEmpty()) ++at;
  return at;
}

}  // namespace

bool isWebVttSignature(const QString& line) {
  return startsWithWord(line, QLatin1String("WEBVTT"));
}

ParsedLesson parseWebVttLesson(const QStringList& lines) {
  ParsedLesson lesson;
  if (lines.isEmpty() || !isWebVttSignature(lines[0])) {
    lesson.breakAt(1, QStringLiteral("a WebVTT file starts with \"WEBVTT\""));
    return lesson;
  }
  for (qsizetype at = blockEnd(lines, 0); at < lines.size();) {
    if (lines[at].trimmed().isEmpty()) {
      ++at;
      continue;
    }
    const qsizetype end = blockEnd(lines, at);
    if (isSkippedBlock(lines[at])) {
      at = end;
      continue;
    }
    if (!lines[at].contains(QLatin1String("-->")) && at + 1 < end) ++at;
    if (!isCueTiming(lines[at])) {
      lesson.breakAt(int(at + 1),
                     QStringLiteral("expected a cue timing such as 00:01.000 --> 00:02.500"));
      return lesson;
    }
    addCue(lesson, lines.mid(at + 1, end - at - 1), int(at + 1));
    at = end;
  }
  return lesson;
}

}  // namespace lesson
