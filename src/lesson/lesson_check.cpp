// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_check.h"

#include <QFile>
#include <algorithm>
#include <exception>
#include <utility>

#include "lesson_line.h"
#include "platform/numbered_files.h"
#include "platform/text_decoder.h"

namespace lesson {
namespace {

constexpr int kLessonFile = platform::NumberedFiles::kLessonFile;
constexpr QChar kReplacementCharacter(0xFFFD);
constexpr QChar kFullWidthTilde(0xFF5E);

QString encodingName(platform::TextEncoding encoding) {
  switch (encoding) {
    case platform::TextEncoding::Utf8:
      return QStringLiteral("UTF-8");
    case platform::TextEncoding::Utf16LE:
      return QStringLiteral("UTF-16 LE");
    case platform::TextEncoding::Utf16BE:
      return QStringLiteral("UTF-16 BE");
    case platform::TextEncoding::CodePage936:
      break;
  }
  return QStringLiteral("code page 936");
}

// Notes the encoding the reader chooses for the file at `path`, which it has opened already.
void noteEncoding(LessonCheck& check, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = file.readAll();
  check.encoding = platform::detectEncoding(bytes);
  check.byteOrderMark = platform::hasByteOrderMark(bytes);
}

QString haltReason(const QString& line) {
  if (line.isEmpty()) return QStringLiteral("reading stops here: empty line");
  if (line.contains(kFullWidthTilde)) {
    return QStringLiteral(
        "reading stops here: no \"~\" in the line (a full-width \"～\" does "
        "not count)");
  }
  return QStringLiteral("reading stops here: no \"~\" in the line");
}

void warn(LessonCheck& check, int line, const QString& reason) {
  check.findings.push_back({line, LessonFinding::Severity::Warning, reason});
}

void stop(LessonCheck& check, int line, const QString& reason) {
  check.findings.push_back({line, LessonFinding::Severity::Error, reason});
  check.stopLine = line;
}

void checkSentenceLine(LessonCheck& check, int number, const QString& line,
                       const LessonLine& parsed) {
  if (parsed.sentence.isEmpty()) warn(check, number, QStringLiteral("empty English part"));
  if (parsed.translation.isEmpty()) warn(check, number, QStringLiteral("empty translation"));
  if (line.contains(kReplacementCharacter)) {
    warn(check, number,
         QStringLiteral("holds U+FFFD: bytes that do not decode as %1")
             .arg(encodingName(check.encoding)));
  }
}

// Reads sentence lines one at a time, as "文" stages them, from `firstLine` on.
void checkSentenceLines(LessonCheck& check, platform::NumberedFiles& files,
                        std::optional<QString> firstLine) {
  int number = 0;
  try {
    while (firstLine || !files.atEnd(kLessonFile)) {
      ++number;
      const QString line =
          firstLine ? *std::exchange(firstLine, std::nullopt) : files.readLine(kLessonFile);
      const std::optional<LessonLine> parsed = parseLessonLine(line);
      if (!parsed) {
        stop(check, number, haltReason(line));
        break;
      }
      ++check.stagedLines;
      checkSentenceLine(check, number, line, *parsed);
      if (!parsed->sentence.isEmpty()) check.sentences.push_back(*parsed);
    }
  } catch (const std::exception& error) {
    stop(check, number, QString::fromUtf8(error.what()));
  }
}

// A lesson read whole: what it skips or leaves empty, then where it stops making sense.
void checkParsedLesson(LessonCheck& check, const ParsedLesson& lesson) {
  for (const ParsedNote& note : lesson.notes) warn(check, note.fileLine, note.reason);
  std::stable_sort(check.findings.begin(), check.findings.end(),
                   [](const LessonFinding& a, const LessonFinding& b) { return a.line < b.line; });
  for (const ParsedSentence& sentence : lesson.sentences) {
    if (sentence.line.sentence.contains(kReplacementCharacter) ||
        sentence.line.translation.contains(kReplacementCharacter)) {
      warn(check, sentence.fileLine,
           QStringLiteral("holds U+FFFD: bytes that do not decode as %1")
               .arg(encodingName(check.encoding)));
    }
    check.sentences.push_back(sentence.line);
  }
  check.stagedLines = int(lesson.sentences.size());
  if (lesson.broken) stop(check, lesson.broken->fileLine, lesson.broken->reason);
}

// A lesson "文" refuses whole: what it found, then why it is refused, where the file says.
void refuse(LessonCheck& check, const LessonStart& start, const QString& path) {
  checkParsedLesson(check, start.parsed);
  check.refused = true;
  if (!start.parsed.broken) {
    check.findings.insert(check.findings.begin(),
                          {0, LessonFinding::Severity::Error, start.refusal(path)});
  }
}

}  // namespace

bool LessonCheck::stagedWhole() const {
  return opened && !refused && !stopLine;
}

LessonCheck checkLesson(const QString& path) {
  LessonCheck check;
  platform::NumberedFiles files;
  LessonStart start;
  try {
    files.openForInput(kLessonFile, path);
    check.opened = true;
    start = readLessonStart(files, kLessonFile, path);
  } catch (const std::exception& error) {
    check.findings.push_back({0, LessonFinding::Severity::Error, QString::fromUtf8(error.what())});
    check.refused = check.opened;
    return check;
  }
  noteEncoding(check, path);
  check.format = start.format;
  if (!start.refusal(path).isEmpty()) {
    refuse(check, start, path);
  } else if (*start.format == LessonFormat::SentenceLines) {
    checkSentenceLines(check, files, start.firstLine);
  } else {
    checkParsedLesson(check, start.parsed);
  }
  return check;
}

QString formatLessonCheck(const QString& path, const LessonCheck& check) {
  QString report;
  for (const LessonFinding& finding : check.findings) {
    const QString place =
        finding.line > 0 ? QStringLiteral("%1:%2").arg(path).arg(finding.line) : path;
    const QString severity = finding.severity == LessonFinding::Severity::Error
                                 ? QStringLiteral("error")
                                 : QStringLiteral("warning");
    report += QStringLiteral("%1: %2: %3\n").arg(place, severity, finding.reason);
  }
  if (!check.opened) return report;
  const QString end = check.refused ? QStringLiteral("refused")
                      : check.stopLine
                          ? QStringLiteral("reading stops at line %1").arg(*check.stopLine)
                          : QStringLiteral("read to the end");
  const QString format = check.format && *check.format != LessonFormat::SentenceLines
                             ? formatName(*check.format) + QStringLiteral(" in ")
                             : QString();
  const QString mark = check.byteOrderMark ? QStringLiteral("with") : QStringLiteral("without");
  report += QStringLiteral("%1: note: %2%3 %4 byte-order mark; lines staged: %5; %6\n")
                .arg(path, format, encodingName(check.encoding), mark)
                .arg(check.stagedLines)
                .arg(end);
  return report;
}

}  // namespace lesson
