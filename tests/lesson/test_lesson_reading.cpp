// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QStringEncoder>
#include <limits>
#include <stdexcept>
#include <vector>

#include "lesson_stage.h"

using lesson_testing::cp936;
using lesson_testing::LessonStage;

namespace {

// What reading one file put into the sentence window: the Text1/Text2 pair of each sentence
// line in order, then whether it ran to the end (closing scene) or halted.
struct Reading {
  QStringList pairs;  // "sentence|translation"
  std::int32_t LineCounter = 0;
  bool reachedEnd = false;
};

Reading readLesson(const QByteArray& bytes) {
  LessonStage stage;
  stage.openLessonBytes(bytes);
  Reading reading;
  reading.LineCounter = stage.LineCounter();
  reading.reachedEnd = !stage.lessonOpen();
  reading.pairs = stage.performedPairs();
  return reading;
}

struct TableRow {
  const char* line;
  const char* text1;  // null: the texts keep the previous line's
  const char* text2;
  bool goesOn;
};

// Each row stands between two sentence lines of a code page 936 file, so a row that halts
// leaves the first line's texts and the last line unread.
TEST(LessonReading, EveryRowOfTheLineTable) {
  const std::vector<TableRow> rows = {
      {"[00:12.50]Good morning!~早上好！", "Good morning!", "早上好！", true},
      {"Good morning!~早上好！", "Good morning!", "早上好！", true},
      {"[00:12]Hi~你好~朋友", "Hi", "你好~朋友", true},
      {"[00:01][00:02]Hi~你好", "[00:02]Hi", "你好", true},
      {"Hi]there~你好", "there", "你好", true},
      {" Hi ~ 你好 ", " Hi ", " 你好 ", true},
      {"~你好", "", "你好", true},
      {"Hi~", "Hi", "", true},
      {"[ti:Lesson one]", nullptr, nullptr, false},
      {"", nullptr, nullptr, false},
      {"Hi～你好", nullptr, nullptr, false},
      {"Hi］there~你好", "Hi］there", "你好", true},
  };
  for (const TableRow& row : rows) {
    SCOPED_TRACE(row.line);
    const Reading reading =
        readLesson(cp936(QStringLiteral("First~第一\r\n%1\r\nLast~最后\r\n").arg(row.line)));
    QStringList expected{QStringLiteral("First|第一")};
    if (row.goesOn) {
      // An empty sentence is written to the window but not performed.
      expected << QStringLiteral("%1|%2").arg(row.text1, row.text2);
      if (QString(row.text1).isEmpty()) expected.removeLast();
      expected << QStringLiteral("Last|最后");
    }
    EXPECT_EQ(reading.pairs, expected);
    EXPECT_EQ(reading.LineCounter, row.goesOn ? 3 : 2);
    EXPECT_EQ(reading.reachedEnd, row.goesOn);
  }
}

struct FileCase {
  const char* name;
  QByteArray bytes;
  QStringList pairs;
  std::int32_t LineCounter;
  bool reachedEnd;
};

QByteArray utf16WithMark(const QString& text) {
  QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
  return encoder(text);
}

TEST(LessonReading, FilesOfEveryShape) {
  const QString replacement(QChar(0xFFFD));
  const std::vector<FileCase> cases = {
      {"trail byte 0x7E before the separator",
       "Ok\x81\x7E~\xBA\xC3\r\n",
       {"Ok" + QString(QChar(0x4E8A)) + "|好"},
       1,
       true},
      {"trail byte 0x5D before a bracket", "\x81\x5DHi]yes~\xBA\xC3", {"yes|好"}, 1, true},
      {"trail byte 0x5D is no tag end",
       "\x81\x5DHi~\xBA\xC3",
       {QString(QChar(0x4E5A)) + "Hi|好"},
       1,
       true},
      {"CR only", "a~1\rb~2\r", {"a|1", "b|2"}, 2, true},
      {"LF only", "a~1\nb~2\n", {"a|1", "b|2"}, 2, true},
      {"last line without an end", "a~1\r\nb~2", {"a|1", "b|2"}, 2, true},
      {"empty file", "", {}, 0, true},
      {"ends in an empty line", "a~1\r\nb~2\r\n\r\n", {"a|1", "b|2"}, 3, false},
      {"three lines and an empty one",
       "a~1\r\nb~2\r\nc~3\r\n\r\n",
       {"a|1", "b|2", "c|3"},
       4,
       false},
      {"lone lead byte at the end of a line",
       "Hi~\xC4\xE3\xC4\r\nBye~x\r\n",
       {"Hi|你" + replacement, "Bye|x"},
       2,
       true},
      // As in the system's table, a lead byte takes a following "~" as its trail byte.
      {"lead byte just before the separator", "Hi\xC4~x\r\n", {}, 1, false},
      {"UTF-8 with a mark", "\xEF\xBB\xBFHi~\xE4\xBD\xA0\xE5\xA5\xBD\r\n", {"Hi|你好"}, 1, true},
      {"UTF-8 without a mark", "Hi~\xE4\xBD\xA0\nOk~\xE5\xA5\xBD\n", {"Hi|你", "Ok|好"}, 2, true},
      {"UTF-16 with a mark",
       utf16WithMark("Hi~你好\r\n[0]Ok~好\r\n"),
       {"Hi|你好", "Ok|好"},
       2,
       true},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Reading reading = readLesson(c.bytes);
    EXPECT_EQ(reading.pairs, c.pairs);
    EXPECT_EQ(reading.LineCounter, c.LineCounter);
    EXPECT_EQ(reading.reachedEnd, c.reachedEnd);
  }
}

TEST(LineCount, CountsOnAndRefusesToOverflow) {
  EXPECT_EQ(lesson::nextLineCount(0), 1);
  EXPECT_EQ(lesson::nextLineCount(std::numeric_limits<std::int32_t>::max() - 1),
            std::numeric_limits<std::int32_t>::max());
  EXPECT_THROW(lesson::nextLineCount(std::numeric_limits<std::int32_t>::max()),
               std::overflow_error);
}

TEST(LessonReading, AHaltedLessonKeepsItsTextsAndItsFile) {
  LessonStage stage;
  stage.openLessonBytes(cp936(QStringLiteral("Hi~你好\r\n\r\nBye~再见\r\n")));
  EXPECT_EQ(stage.window.sentence(), "Hi");
  EXPECT_EQ(stage.window.translation(), "你好");
  EXPECT_TRUE(stage.lessonOpen());
  EXPECT_EQ(stage.LineCounter(), 2);

  // The next "文" closes it and starts the new lesson from its first line.
  stage.openLessonBytes(cp936(QStringLiteral("Bye~再见\r\n")));
  EXPECT_EQ(stage.LineCounter(), 1);
  EXPECT_FALSE(stage.lessonOpen());
  EXPECT_EQ(stage.window.sentence(), "");
  EXPECT_EQ(stage.window.translation(), "");
}

TEST(LessonReading, CancellingTheDialogClosesTheOldLessonAndChangesNothingElse) {
  LessonStage stage;
  stage.openLessonBytes(cp936(QStringLiteral("Hi~你好\r\n\r\n")));
  ASSERT_TRUE(stage.lessonOpen());
  stage.recordCalls();
  stage.log.clear();
  stage.openLesson(QString());
  EXPECT_FALSE(stage.lessonOpen());
  EXPECT_EQ(stage.LineCounter(), 2);
  EXPECT_EQ(stage.log, QStringList({"lx Hide", "girl Stop"}));
}

TEST(LessonReading, AnUnreadableLessonStopsTheCommandWithTheFileAndTheReason) {
  LessonStage stage;
  stage.session.setLineCounter(7);
  ASSERT_TRUE(QDir(stage.dir.path()).mkdir("lesson.lrc"));
  const QString directory = stage.dir.filePath("lesson.lrc");
  try {
    stage.openLesson(directory);
    ADD_FAILURE() << "no FileError";
  } catch (const platform::FileError& error) {
    EXPECT_TRUE(error.message().contains(directory)) << qPrintable(error.message());
    EXPECT_TRUE(error.message().contains("directory")) << qPrintable(error.message());
  }
  EXPECT_THROW(stage.openLesson(stage.dir.filePath("missing.txt")), platform::FileError);
  EXPECT_EQ(stage.LineCounter(), 7);
  EXPECT_FALSE(stage.lessonOpen());
  EXPECT_EQ(stage.log.count("lx Hide"), 2);
}

// A big lesson is read and checked on a worker thread after the command has returned: a line
// over the limit still refuses it whole, before a single line is performed, and the count keeps
// its value, as when the command refuses a small one.
TEST(LessonReading, ABigLessonWithALineOverTheLimitIsRefusedWholeAfterTheCommand) {
  const QByteArray line("Hi~\xC4\xE3\r\n");
  QByteArray bytes = line.repeated(platform::NumberedFiles::kReadAtOnceBytes / line.size() + 1);
  bytes += QByteArray(platform::NumberedFiles::kMaxLineBytes + 1, 'a');
  LessonStage stage;
  stage.recordCalls();
  stage.session.setLineCounter(7);
  stage.openLessonBytes(bytes);
  ASSERT_EQ(stage.errors.size(), 1);
  EXPECT_TRUE(stage.errors[0].contains(
      QStringLiteral("line %1 is longer than 65536 bytes").arg(bytes.count('\n') + 1)))
      << qPrintable(stage.errors[0]);
  EXPECT_EQ(stage.LineCounter(), 7);
  EXPECT_FALSE(stage.lessonOpen());
  EXPECT_EQ(stage.log, QStringList({"lx Hide", "girl Stop"}));
}

TEST(LessonReading, TheLineCountNeverGoesPastItsLargestValue) {
  LessonStage stage;
  stage.files.openForInput(platform::NumberedFiles::kLessonFile,
                           stage.writeFile("lesson.txt", "Hi~x\r\n"));
  stage.session.setLineCounter(std::numeric_limits<std::int32_t>::max());
  EXPECT_THROW(practice::ReadNextLine(stage.reading), std::overflow_error);
  EXPECT_EQ(stage.LineCounter(), std::numeric_limits<std::int32_t>::max());
  EXPECT_TRUE(stage.log.isEmpty());
}

// The slices after the first run from the event loop: a failure there is reported rather than
// thrown into the loop, and ends the reading at that line with the file kept open.
TEST(LessonReading, AFailureInALaterSliceIsReportedAndEndsTheReading) {
  QByteArray bytes;
  for (int line = 0; line < 2 * practice::kLinesPerSlice; ++line) bytes += "Hi~\xC4\xE3\r\n";
  LessonStage stage;
  stage.window.recording = false;
  stage.startLesson(stage.writeFile("lesson.txt", bytes));
  ASSERT_TRUE(stage.session.staging());
  EXPECT_EQ(stage.LineCounter(), practice::kLinesPerSlice);
  stage.cast.setCharacter(stage::Role::Girl, nullptr);
  stage.finishStaging();
  ASSERT_EQ(stage.errors.size(), 1);
  EXPECT_TRUE(stage.errors[0].contains("girl")) << qPrintable(stage.errors[0]);
  EXPECT_EQ(stage.LineCounter(), practice::kLinesPerSlice + 1);
  EXPECT_TRUE(stage.lessonOpen());
}

// A million lines, one in a thousand a sentence: a reader that recursed once per line would
// overflow the stack long before the end.
TEST(LessonReading, AMillionLinesAreReadWithoutTheStackGrowing) {
  constexpr int kLines = 1'000'000;
  QByteArray bytes;
  bytes.reserve(kLines * 8);
  for (int line = 1; line <= kLines; ++line) {
    bytes += line % 1000 == 0 ? QByteArray("Hi~\xC4\xE3\r\n") : QByteArray("~\xC4\xE3\r\n");
  }
  LessonStage stage;
  stage.window.recording = false;
  stage.openLessonBytes(bytes);
  EXPECT_EQ(stage.LineCounter(), kLines);
  EXPECT_FALSE(stage.lessonOpen());
  EXPECT_EQ(stage.window.sentence(), "");
}

}  // namespace

namespace {

TEST(SampleLessons, EveryLineOfEverySampleIsPerformedToTheEnd) {
  const QDir folder(QStringLiteral(SOURCE_DIR "/data/lessons"));
  const QStringList samples = folder.entryList(QDir::Files);
  ASSERT_GE(samples.size(), 3);
  for (const QString& name : samples) {
    SCOPED_TRACE(qPrintable(name));
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const Reading reading = readLesson(bytes);
    EXPECT_TRUE(reading.reachedEnd);
    EXPECT_EQ(reading.LineCounter, bytes.count("\r\n"));
    EXPECT_EQ(reading.pairs.size(), reading.LineCounter);
    EXPECT_FALSE(reading.pairs.join(QString()).contains(QChar(0xFFFD)));
  }
}

}  // namespace
