// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFuture>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>

#include "text_decoder.h"

namespace platform {

// A file could not be opened or read; the message names the file and the reason.
class FileError : public std::runtime_error {
 public:
  explicit FileError(const QString& message) : std::runtime_error(message.toStdString()) {}
  QString message() const { return QString::fromStdString(what()); }
};

// The program's numbered open files: 1 holds the lesson being read, 3 a help text while it is
// read. Closing is always a close-all. Only regular files open: a FIFO, a device or a directory
// is refused at once, without waiting and without reading from it.
class NumberedFiles {
 public:
  static constexpr int kLessonFile = 1;
  static constexpr int kHelpFile = 3;
  // The longest line sequential input takes, in bytes of the file without the line end.
  static constexpr qsizetype kMaxLineBytes = 64 * 1024;
  // The largest file openForInputInBackground() still reads at once (about 20 ms of work).
  static constexpr qint64 kReadAtOnceBytes = 4 * 1024 * 1024;
  // The largest file binary access takes: far above any help text, small enough to read and
  // decode at once.
  static constexpr qint64 kMaxBinaryBytes = 1024 * 1024;

  // Opens `path` for reading its text lines one after another. Throws FileError, naming the
  // first line that is longer than kMaxLineBytes if there is one: such a file is refused whole.
  void openForInput(int number, const QString& path);
  // Opens `path` like openForInput(), but reads and checks a file of more than kReadAtOnceBytes
  // on a worker thread, so that the caller's event loop goes on meanwhile. The file is opened
  // and its type checked at once (a FIFO or a device is refused here), and the number is open
  // from then on; closing it drops the reading. While stillReading(), no line can be taken;
  // after it, the first atEnd() or readLine() throws the FileError the reading met, if any, and
  // the number is then closed.
  void openForInputInBackground(int number, const QString& path);
  // Sequential input: whether a worker thread is still reading the file.
  bool stillReading(int number) const;
  // Sequential input: finishes once the file has been read, at once for a file read at once.
  QFuture<void> whenRead(int number) const;
  // Opens `path` for binary access, creating it empty when it does not exist. Throws FileError,
  // also for a file larger than kMaxBinaryBytes, which is refused before any of it is read.
  void openBinary(int number, const QString& path);

  bool isOpen(int number) const;
  // Sequential input: true when no line is left.
  bool atEnd(int number);
  // Sequential input: the next decoded line, without its line end. Throws FileError past the
  // end.
  QString readLine(int number);
  // Binary access: the whole content.
  QByteArray readAll(int number);

  void closeAll();

 private:
  struct BackgroundReading;
  struct OpenFile {
    QString path;
    std::optional<LineReader> lines;  // sequential input
    QByteArray bytes;                 // binary access
    // Sequential input still being read on a worker thread, which shares it.
    std::shared_ptr<BackgroundReading> reading;
  };
  // Throws FileError when `number` is already open.
  void checkFree(int number, const QString& path) const;
  OpenFile& freeNumber(int number, const QString& path);
  const OpenFile& file(int number) const;
  OpenFile& file(int number);
  // The lines of sequential input, taking over what a worker thread has read.
  LineReader* lines(int number);
  std::map<int, OpenFile> open_;
};

}  // namespace platform
