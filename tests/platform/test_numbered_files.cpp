#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <chrono>
#include <future>

#include "platform/numbered_files.h"

using platform::FileError;
using platform::NumberedFiles;

namespace {

class NumberedFilesTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  NumberedFiles files;

  QString write(const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  // The message of the FileError that `open` throws, or "" when it throws none.
  template <typename Open>
  static QString failure(Open open) {
    try {
      open();
    } catch (const FileError& error) {
      return error.message();
    }
    return {};
  }
};

TEST_F(NumberedFilesTest, ReadsDecodedLinesUntilTheEnd) {
  const QString path = write("lesson.txt", "Hi~\xC4\xE3\xBA\xC3\r\nBye~\r\n");
  files.openForInput(NumberedFiles::kLessonFile, path);
  ASSERT_TRUE(files.isOpen(NumberedFiles::kLessonFile));
  EXPECT_FALSE(files.atEnd(NumberedFiles::kLessonFile));
  EXPECT_EQ(files.readLine(NumberedFiles::kLessonFile), QStringLiteral("Hi~你好"));
  EXPECT_EQ(files.readLine(NumberedFiles::kLessonFile), QStringLiteral("Bye~"));
  EXPECT_TRUE(files.atEnd(NumberedFiles::kLessonFile));
  EXPECT_THROW(files.readLine(NumberedFiles::kLessonFile), FileError);
}

TEST_F(NumberedFilesTest, CloseAllClosesEveryNumber) {
  files.openForInput(NumberedFiles::kLessonFile, write("a.txt", "x~y"));
  files.openBinary(NumberedFiles::kHelpFile, write("b.txt", "help"));
  EXPECT_EQ(files.readAll(NumberedFiles::kHelpFile), QByteArray("help"));
  files.closeAll();
  EXPECT_FALSE(files.isOpen(NumberedFiles::kLessonFile));
  EXPECT_FALSE(files.isOpen(NumberedFiles::kHelpFile));
  EXPECT_THROW(files.atEnd(NumberedFiles::kLessonFile), FileError);
  files.openForInput(NumberedFiles::kLessonFile, write("c.txt", "again~"));
  EXPECT_EQ(files.readLine(NumberedFiles::kLessonFile), QStringLiteral("again~"));
}

TEST_F(NumberedFilesTest, ANumberInUseCannotBeOpenedAgain) {
  const QString path = write("a.txt", "x~y");
  files.openForInput(NumberedFiles::kLessonFile, path);
  EXPECT_THROW(files.openForInput(NumberedFiles::kLessonFile, path), FileError);
  EXPECT_EQ(files.readLine(NumberedFiles::kLessonFile), QStringLiteral("x~y"));
}

TEST_F(NumberedFilesTest, BinaryAccessCreatesAMissingFileEmpty) {
  const QString path = dir.filePath("软件介绍.txt");
  files.openBinary(NumberedFiles::kHelpFile, path);
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_TRUE(files.readAll(NumberedFiles::kHelpFile).isEmpty());
}

TEST_F(NumberedFilesTest, FailuresNameTheFileAndTheReason) {
  const QString missing = dir.filePath("missing.txt");
  QString message = failure([&] { files.openForInput(1, missing); });
  EXPECT_TRUE(message.contains(missing)) << message.toStdString();
  EXPECT_TRUE(message.contains("no such file")) << message.toStdString();

  ASSERT_TRUE(QDir(dir.path()).mkdir("使用帮助.txt"));
  const QString directory = dir.filePath("使用帮助.txt");
  for (auto open : {&NumberedFiles::openForInput, &NumberedFiles::openBinary}) {
    SCOPED_TRACE(open == &NumberedFiles::openForInput ? "opened for input" : "opened binary");
    message = failure([&] { (files.*open)(3, directory); });
    EXPECT_TRUE(message.contains(directory)) << message.toStdString();
    EXPECT_TRUE(message.contains("directory")) << message.toStdString();
  }

  const QString uncreatable = dir.filePath("no-such-folder/help.txt");
  message = failure([&] { files.openBinary(3, uncreatable); });
  EXPECT_TRUE(message.contains(uncreatable)) << message.toStdString();
  EXPECT_FALSE(files.isOpen(1));
  EXPECT_FALSE(files.isOpen(3));
}

TEST_F(NumberedFilesTest, AFileWithoutReadPermissionIsNamed) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const QString path = write("locked.txt", "x~y");
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
  const QString message = failure([&] { files.openForInput(1, path); });
  EXPECT_TRUE(message.contains(path)) << message.toStdString();
  EXPECT_TRUE(message.contains("permission denied")) << message.toStdString();
}

// Opening a FIFO must not wait for a writer. The opens run on a thread of their own; should they
// block, the test opens the writing end itself, so it fails instead of hanging.
TEST_F(NumberedFilesTest, AFifoIsRefusedAtOnceWithoutWaitingForAWriter) {
  const QString fifo = dir.filePath("lesson.lrc");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  auto opening = std::async(std::launch::async, [&] {
    return QStringList{failure([&] { files.openForInput(NumberedFiles::kLessonFile, fifo); }),
                       failure([&] { files.openBinary(NumberedFiles::kHelpFile, fifo); })};
  });
  if (opening.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "opening a FIFO blocked";
    while (opening.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
      ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
    }
  }
  for (const QString& message : opening.get()) {
    EXPECT_TRUE(message.contains(fifo)) << message.toStdString();
    EXPECT_TRUE(message.contains("not a regular file")) << message.toStdString();
  }
  EXPECT_FALSE(files.isOpen(NumberedFiles::kLessonFile));
  EXPECT_FALSE(files.isOpen(NumberedFiles::kHelpFile));
}

TEST_F(NumberedFilesTest, ADeviceBehindASymbolicLinkIsRefusedUnread) {
  const QString link = dir.filePath("zero.txt");
  ASSERT_TRUE(QFile::link("/dev/zero", link));
  for (auto open : {&NumberedFiles::openForInput, &NumberedFiles::openBinary}) {
    const QString message = failure([&] { (files.*open)(NumberedFiles::kLessonFile, link); });
    EXPECT_TRUE(message.contains(link)) << message.toStdString();
    EXPECT_TRUE(message.contains("device")) << message.toStdString();
  }
  EXPECT_FALSE(files.isOpen(NumberedFiles::kLessonFile));
}

// The limit counts the bytes of a line in the file, without its line end, in every encoding.
TEST_F(NumberedFilesTest, ALessonWithALineOverTheLimitIsRefusedNamingTheLine) {
  const QByteArray atLimit(NumberedFiles::kMaxLineBytes, 'a');
  const QString fits = write("fits.txt", "x~y\r\n" + atLimit + "\r\n" + atLimit);
  files.openForInput(NumberedFiles::kLessonFile, fits);
  EXPECT_EQ(files.readLine(NumberedFiles::kLessonFile), QStringLiteral("x~y"));
  files.closeAll();

  QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
  const QString overLine = QString(NumberedFiles::kMaxLineBytes / 2, QChar(0x4F60)) + "~";
  const QString longLines[] = {
      write("long.txt", "x~y\r\n\r\n" + atLimit + "b\r\nz~w\r\n"),
      write("long_utf16.txt", toUtf16(QStringLiteral("x~y\n\n") + overLine + "\n")),
  };
  for (const QString& path : longLines) {
    const QString message = failure([&] { files.openForInput(NumberedFiles::kLessonFile, path); });
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_TRUE(message.contains("line 3 is longer than 65536 bytes")) << message.toStdString();
    EXPECT_FALSE(files.isOpen(NumberedFiles::kLessonFile));
  }
}

}  // namespace
