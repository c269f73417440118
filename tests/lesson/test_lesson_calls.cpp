// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "lesson_stage.h"

namespace {

// Each folder under data/calls is one case: lesson.txt, the file "文" opens, and expected.txt,
// every call the characters receive and every write to the sentence window in order, then the
// line count and whether the lesson file is still open.
QStringList caseFolders() {
  return QDir(QStringLiteral(TEST_DATA_DIR "/calls")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

QStringList readExpected(const QString& folder) {
  QFile file(folder + QStringLiteral("/expected.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {QStringLiteral("cannot read ") + file.fileName()};
  return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(LessonCalls, EachCaseFolderGivesItsExpectedCalls) {
  const QStringList folders = caseFolders();
  ASSERT_GE(folders.size(), 5);
  for (const QString& name : folders) {
    SCOPED_TRACE(qPrintable(name));
    const QString folder = QStringLiteral(TEST_DATA_DIR "/calls/") + name;
    lesson_testing::LessonStage stage;
    stage.recordCalls();
    stage.openLesson(folder + QStringLiteral("/lesson.txt"));
    QStringList actual = stage.log;
    actual << QStringLiteral("LineCounter %1").arg(stage.LineCounter())
           << (stage.lessonOpen() ? QStringLiteral("lesson file open")
                                  : QStringLiteral("lesson file closed"));
    EXPECT_EQ(actual, readExpected(folder)) << "actual:\n"
                                            << qPrintable(actual.join(QLatin1Char('\n')));
  }
}

}  // namespace
