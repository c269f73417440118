#pragma once

#include <QByteArray>
#include <QString>
#include <map>
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

  // Opens `path` for reading its text lines one after another. Throws FileError, naming the
  // first line that is longer than kMaxLineBytes if there is one: such a file is refused whole.
  void openForInput(int number, const QString& path);
  // Opens `path` for binary access, creating it empty when it does not exist. Throws FileError.
  void openBinary(int number, const QString& path);

  bool isOpen(int number) const;
  // Sequential input: true when no line is left.
  bool atEnd(int number) const;
  // Sequential input: the next decoded line, without its line end. Throws FileError past the
  // end.
  QString readLine(int number);
  // Binary access: the whole content.
  QByteArray readAll(int number);

  void closeAll();

 private:
  struct OpenFile {
    QString path;
    std::optional<LineReader> lines;  // sequential input
    QByteArray bytes;                 // binary access
  };
  OpenFile& freeNumber(int number, const QString& path);
  const OpenFile& file(int number) const;
  OpenFile& file(int number);
  std::map<int, OpenFile> open_;
};

}  // namespace platform
