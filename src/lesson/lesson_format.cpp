// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_format.h"

#include <QFileInfo>
#include <QStringList>
#include <limits>

#include "flashcard_lesson.h"
#include "lrc_lesson.h"
#include "srt_lesson.h"
#include "vtt_lesson.h"

namespace lesson {
namespace {

// How many lines are looked at to recognise a file that may still be SentenceLines.
constexpr qsizetype kLinesToRecognise = 32;

// The extensions that name a format read whole, and the format they name.
std::optional<LessonFormat> formatOfExtension(const QString& path) {
  const QString extension = QFileInfo(path).suffix().toLower();
  if (extension == QLatin1String("srt")) return LessonFormat::SubRip;
  if (extension == QLatin1String("vtt")) return LessonFormat::WebVtt;
  if (extension == QLatin1String("tsv") || extension == QLatin1String("csv")) {
    return LessonFormat::FlashcardText;
  }
  return std::nullopt;
}

bool isSentenceLinesExtension(const QString& path) {
  const QString extension = QFileInfo(path).suffix().toLower();
  return extension == QLatin1String("txt") || extension == QLatin1String("lrc");
}

std::optional<LessonFormat> formatOfContent(const QStringList& lines) {
  qsizetype first = 0;
  while (first < lines.size() && lines[first].trimmed().isEmpty()) ++first;
  if (first == lines.size()) return std::nullopt;
  if (first == 0 && isWebVttSignature(lines[0])) return LessonFormat::WebVtt;
  if (startsSubRipCue(lines, first)) return LessonFormat::SubRip;
  if (first == 0 && isFlashcardHeader(lines[0])) return LessonFormat::FlashcardText;
  if (startsWithLrcTag(lines[first])) return LessonFormat::BilingualLrc;
  return std::nullopt;
}

QStringList readLines(platform::NumberedFiles& files, int number, qsizetype most) {
  QStringList lines;
  while (lines.size() < most && !files.atEnd(number)) lines << files.readLine(number);
  return lines;
}

ParsedLesson parse(LessonFormat format, const QStringList& lines, const QString& path) {
  switch (format) {
    case LessonFormat::BilingualLrc:
      return parseLrcLesson(lines);
    case LessonFormat::SubRip:
      return parseSubRipLesson(lines);
    case LessonFormat::WebVtt:
      return parseWebVttLesson(lines);
    case LessonFormat::FlashcardText:
      break;
    case LessonFormat::SentenceLines:
      return {};
  }
  const bool commas = QFileInfo(path).suffix().toLower() == QLatin1String("csv");
  return parseFlashcardLesson(lines, commas ? u',' : u'\t');
}

}  // namespace

QString formatName(LessonFormat format) {
  switch (format) {
    case LessonFormat::BilingualLrc:
      return QStringLiteral("lyrics with translations");
    case LessonFormat::SubRip:
      return QStringLiteral("SubRip subtitles");
    case LessonFormat::WebVtt:
      return QStringLiteral("WebVTT subtitles");
    case LessonFormat::FlashcardText:
      return QStringLiteral("flashcard text export");
    case LessonFormat::SentenceLines:
      break;
  }
  return QStringLiteral("sentence lines");
}

QString LessonStart::refusal(const QString& path) const {
  if (!format) {
    return QStringLiteral(
               "Cannot read \"%1\": it is no lesson: not sentence lines (English~中文), lyrics, "
               "subtitles or a flashcard export.")
        .arg(path);
  }
  if (*format == LessonFormat::SentenceLines || !parsed.sentences.empty()) return QString();
  if (parsed.broken) {
    return QStringLiteral("Cannot read \"%1\" as %2: line %3: %4.")
        .arg(path, formatName(*format))
        .arg(parsed.broken->fileLine)
        .arg(parsed.broken->reason);
  }
  return QStringLiteral("Cannot read \"%1\" as %2: it holds no English sentence.")
      .arg(path, formatName(*format));
}

LessonStart readLessonStart(platform::NumberedFiles& files, int number, const QString& path) {
  LessonStart start;
  start.format = formatOfExtension(path);
  if (!start.format) {
    if (files.atEnd(number)) return {LessonFormat::SentenceLines, std::nullopt, {}};
    start.firstLine = files.readLine(number);
    if (start.firstLine->contains(u'~')) return {LessonFormat::SentenceLines, start.firstLine, {}};
  }
  QStringList lines = readLines(files, number, kLinesToRecognise);
  if (start.firstLine) lines.prepend(*start.firstLine);
  if (!start.format) start.format = formatOfContent(lines);
  if (!start.format) {
    if (isSentenceLinesExtension(path)) start.format = LessonFormat::SentenceLines;
    return start;
  }
  start.firstLine.reset();
  lines << readLines(files, number, std::numeric_limits<qsizetype>::max());
  start.parsed = parse(*start.format, lines, path);
  return start;
}

}  // namespace lesson
