// SPDX-License-Identifier: GPL-3.0-or-later
// The lessons shipped in data/lessons, read through the program's own numbered files and line
// parser, as the "文" command reads them.

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QStringList>
#include <optional>

#include "lesson/lesson_line.h"
#include "platform/numbered_files.h"

using lesson::LessonLine;
using lesson::parseLessonLine;
using platform::NumberedFiles;

namespace {

QDir lessonFolder() {
  return QDir(QStringLiteral(SOURCE_DIR "/data/lessons"));
}

// Every line of a lesson file, decoded as the program decodes it.
QStringList linesOf(const QString& path) {
  NumberedFiles files;
  files.openForInput(NumberedFiles::kLessonFile, path);
  QStringList lines;
  while (!files.atEnd(NumberedFiles::kLessonFile)) {
    lines << files.readLine(NumberedFiles::kLessonFile);
  }
  return lines;
}

// A translation is not empty and ends in Chinese punctuation; a file decoded in the wrong
// encoding does not.
bool endsInChinesePunctuation(const QString& translation) {
  return !translation.isEmpty() && QStringLiteral("，。？！").contains(translation.back());
}

// Each line is a sentence line (none halts the reading, so the whole lesson is staged), with an
// English sentence and a translation, and decodes without a replacement character.
TEST(Course, EveryLessonIsReadWholeWithBothPartsOnEveryLine) {
  const QStringList names = lessonFolder().entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    SCOPED_TRACE(qPrintable(name));
    const QStringList lines = linesOf(lessonFolder().filePath(name));
    ASSERT_FALSE(lines.isEmpty());
    for (qsizetype number = 0; number < lines.size(); ++number) {
      SCOPED_TRACE(qPrintable(QStringLiteral("line %1: %2").arg(number + 1).arg(lines[number])));
      const std::optional<LessonLine> line = parseLessonLine(lines[number]);
      ASSERT_TRUE(line.has_value());
      EXPECT_FALSE(line->sentence.trimmed().isEmpty());
      EXPECT_TRUE(endsInChinesePunctuation(line->translation));
      EXPECT_FALSE(lines[number].contains(QChar::ReplacementCharacter));
    }
  }
}

// The course: lessons numbered 01, 02, ... without a gap, so the open dialog lists them in order,
// at least twelve of them, each of ten to fifteen sentences.
TEST(Course, TwelveOrMoreNumberedLessonsOfTenToFifteenSentences) {
  const QRegularExpression lessonName(QStringLiteral(R"(^(\d\d)-[a-z-]+\.(txt|lrc)$)"));
  const QStringList names = lessonFolder()
                                .entryList(QDir::Files, QDir::Name)
                                .filter(QRegularExpression(QStringLiteral("^\\d")));
  EXPECT_GE(names.size(), 12);
  for (qsizetype index = 0; index < names.size(); ++index) {
    SCOPED_TRACE(qPrintable(names[index]));
    const QRegularExpressionMatch match = lessonName.match(names[index]);
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1).toInt(), index + 1);
    const qsizetype sentences = linesOf(lessonFolder().filePath(names[index])).size();
    EXPECT_GE(sentences, 10);
    EXPECT_LE(sentences, 15);
  }
}

}  // namespace
