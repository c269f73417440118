// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "lesson/lesson_check.h"
#include "lesson/lesson_export.h"
#include "lesson_stage.h"

namespace {

const QString kFormatsFolder = QStringLiteral(TEST_DATA_DIR "/formats/");

QStringList lines(const QString& text) {
  return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// What --check reports on `path` and what "文" makes of it: the sentences performed, the line
// count and whether the lesson file is still open, or the message it is refused with.
QStringList checkAndStage(const QString& path, const QString& folder) {
  QStringList report =
      lines(lesson::formatLessonCheck(QFileInfo(path).fileName(), lesson::checkLesson(path))
                .remove(folder));
  lesson_testing::LessonStage stage;
  stage.recordCalls();
  try {
    stage.openLesson(path);
  } catch (const platform::FileError& error) {
    return report << QStringLiteral("refused: ") + error.message().remove(folder);
  }
  for (const QString& pair : stage.performedPairs()) report << QStringLiteral("staged: ") + pair;
  return report << QStringLiteral("LineCounter %1").arg(stage.LineCounter())
                << (stage.lessonOpen() ? QStringLiteral("lesson file open")
                                       : QStringLiteral("lesson file closed"));
}

// Each folder under data/formats is one case: a lesson file (lesson.EXT) and expected.txt, the
// report of --check on it, then what "文" stages from it.
TEST(LessonFormats, EachSampleIsCheckedAndStagedAsExpected) {
  const QStringList cases = QDir(kFormatsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  ASSERT_GE(cases.size(), 10);
  for (const QString& name : cases) {
    SCOPED_TRACE(qPrintable(name));
    const QString folder = kFormatsFolder + name + QLatin1Char('/');
    const QStringList files = QDir(folder).entryList({QStringLiteral("lesson.*")}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    QFile expected(folder + QStringLiteral("expected.txt"));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    const QStringList actual = checkAndStage(folder + files[0], folder);
    EXPECT_EQ(actual, lines(QString::fromUtf8(expected.readAll())))
        << "actual:\n"
        << qPrintable(actual.join(QLatin1Char('\n')));
  }
}

// The export holds what the lesson stages, with the words the learner missed most, and reads
// back as a lesson of its own with the same sentences.
TEST(LessonExport, WritesAFlashcardExportThatReadsBackAsTheSameLesson) {
  QTemporaryDir dir;
  const QString lesson = kFormatsFolder + QStringLiteral("srt_markup_bom/lesson.srt");
  const QString out = dir.filePath(QStringLiteral("review.tsv"));
  const auto missed = [](const QString& english) {
    return english.startsWith(QStringLiteral("Where")) ? QStringList{"where", "going"}
                                                       : QStringList{};
  };
  const lesson::LessonCheck written = lesson::exportLesson(lesson, out, missed);

  QFile file(out);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(file.readAll()),
            "#separator:tab\n#html:false\n#columns:English\tChinese\tMissed words\n"
            "Where are you going?\t你要去哪里？\twhere going\n"
            "To the park, Tom & me.\t去公园，汤姆和我。\t\n"
            "Let's go!\t\t\n");
  const lesson::LessonCheck readBack = lesson::checkLesson(out);
  EXPECT_EQ(readBack.format, lesson::LessonFormat::FlashcardText);
  EXPECT_EQ(readBack.sentences, written.sentences);

  const QByteArray quoted = lesson::flashcardExport({{"Say \"hi\"\tnow", "说"}}, {});
  EXPECT_TRUE(quoted.endsWith("\"Say \"\"hi\"\"\tnow\"\t说\t\n")) << quoted.constData();

  EXPECT_THROW(
      lesson::exportLesson(kFormatsFolder + QStringLiteral("no_format/lesson.md"), out, missed),
      platform::FileError);
}

}  // namespace
