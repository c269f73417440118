// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry point for reading lesson lines in memory: any bytes are split into lines,
// decoded and parsed as the lesson reader does, without files or characters, so it runs many
// times faster than the staging target (lesson_reader_fuzzer.cpp). Decoding line by line must
// give exactly the lines of the file decoded whole: no byte lost, no line end swallowed. The
// same lines are read by the parsers of the formats read whole (lyrics, subtitles, flashcard
// exports), whose sentences, notes and stop must stay within the file and in its order.
#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "lesson/flashcard_lesson.h"
#include "lesson/lesson_line.h"
#include "lesson/lrc_lesson.h"
#include "lesson/srt_lesson.h"
#include "lesson/vtt_lesson.h"
#include "platform/text_decoder.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// The lines of a decoded text: CR LF, lone CR or lone LF end a line; the last needs no end.
QStringList splitLines(const QString& text) {
  static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
  QStringList lines = text.split(lineEnd);
  if (lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// A parsed line is the line itself, taken apart: [tag]sentence~translation.
void checkParsed(const QString& line) {
  const auto parsed = lesson::parseLessonLine(line);
  const qsizetype separator = line.indexOf(QLatin1Char('~'));
  check(parsed.has_value() == (separator >= 0));
  if (!parsed) return;
  check(line.mid(separator + 1) == parsed->translation);
  check(line.left(separator).endsWith(parsed->sentence));
}

// Sentences come in file order, each with English and on one line of text; notes and the
// stop lie within the file, and no sentence starts after the stop.
void checkParsedLesson(const lesson::ParsedLesson& parsed, qsizetype lineCount) {
  int previous = 0;
  for (const lesson::ParsedSentence& sentence : parsed.sentences) {
    check(sentence.fileLine > previous && sentence.fileLine <= lineCount);
    check(!sentence.line.sentence.isEmpty());
    check(!sentence.line.sentence.contains(QLatin1Char('\r')));
    previous = sentence.fileLine;
  }
  for (const lesson::ParsedNote& note : parsed.notes) {
    check(note.fileLine >= 1 && note.fileLine <= lineCount);
  }
  if (parsed.broken) {
    check(parsed.broken->fileLine >= 1 && parsed.broken->fileLine <= qMax<qsizetype>(lineCount, 1));
    check(previous <= parsed.broken->fileLine);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  platform::LineReader reader(bytes);
  const qsizetype limit = size == 0 ? 0 : data[0] % 32;
  const std::optional<qsizetype> longLine = reader.firstLineLongerThan(limit);

  QStringList lines;
  while (!reader.atEnd()) {
    lines.append(reader.next());
    checkParsed(lines.last());
  }
  check(lines == splitLines(platform::decodeText(bytes)));
  check(!longLine || (*longLine >= 1 && *longLine <= lines.size()));
  checkParsedLesson(lesson::parseLrcLesson(lines), lines.size());
  checkParsedLesson(lesson::parseSubRipLesson(lines), lines.size());
  checkParsedLesson(lesson::parseWebVttLesson(lines), lines.size());
  checkParsedLesson(lesson::parseFlashcardLesson(lines, QLatin1Char(',')), lines.size());
  checkParsedLesson(lesson::parseFlashcardLesson(lines, QLatin1Char('\t')), lines.size());
  return 0;
}
