// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_check.h"

#include <QFile>
#include <exception>

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

}  // namespace

bool LessonCheck::stagedWhole() const {
  return opened && !stopLine;
}

LessonCheck checkLesson(const QString& path) {
  LessonCheck check;
  platform::NumberedFiles files;
  try {
    files.openForInput(kLessonFile, path);
  } catch (const std::exception& error) {
    check.findings.push_back({0, LessonFinding::Severity::Error, QString::fromUtf8(error.what())});
    return check;
  }
  check.opened = true;
  noteEncoding(check, path);
  int number = 0;
  try {
    while (!files.atEnd(kLessonFile)) {
      ++number;
      const QString line = files.readLine(kLessonFile);
      const std::optional<LessonLine> parsed = parseLessonLine(line);
      if (!parsed) {
        stop(check, number, haltReason(line));
        break;
      }
      ++check.stagedLines;
      check.staged.push_back(*parsed);
      checkSentenceLine(check, number, line, *parsed);
    }
  } catch (const std::exception& error) {
    stop(check, number, QString::fromUtf8(error.what()));
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
  const QString end = check.stopLine
                          ? QStringLiteral("reading stops at line %1").arg(*check.stopLine)
                          : QStringLiteral("read to the end");
  const QString mark = check.byteOrderMark ? QStringLiteral("with") : QStringLiteral("without");
  report += QStringLiteral("%1: note: %2 %3 byte-order mark; lines staged: %4; %5\n")
                .arg(path, encodingName(check.encoding), mark)
                .arg(check.stagedLines)
                .arg(end);
  return report;
}

}  // namespace lesson
