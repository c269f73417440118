// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbered_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QPromise>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

namespace platform {

namespace {

QString cannotOpen(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot open \"%1\": %2.").arg(path, reason);
}

QString cannotRead(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot read \"%1\": %2.").arg(path, reason);
}

// Why open(2) failed, in the words a user knows.
QString openFailure(const QString& path, int error) {
  switch (error) {
    case ENOENT:
      return cannotOpen(path, QStringLiteral("no such file"));
    case EACCES:
      return cannotOpen(path, QStringLiteral("permission denied"));
    default:
      return cannotOpen(path, QString::fromLocal8Bit(std::strerror(error)));
  }
}

// Why a file of this type cannot be read as a text file.
QString notRegularFile(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("it is a directory");
  if (S_ISFIFO(mode)) return QStringLiteral("it is a pipe (FIFO), not a regular file");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("it is a device, not a regular file");
  return QStringLiteral("it is not a regular file");
}

// A regular file opened for reading.
struct RegularFile {
  int descriptor = -1;
  qint64 size = 0;
};

// Opens `path` for reading. The open never waits (a FIFO would otherwise block until a writer
// came), and the type is checked on the opened file itself, so nothing can be swapped in between
// the check and the read: a FIFO, a device (also behind a symbolic link) or a directory is
// refused before a single byte is read.
RegularFile openRegularFile(const QString& path) {
  const int descriptor =
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) throw FileError(openFailure(path, errno));
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    const int error = errno;
    ::close(descriptor);
    throw FileError(openFailure(path, error));
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(descriptor);
    throw FileError(cannotOpen(path, notRegularFile(status.st_mode)));
  }
  return {descriptor, status.st_size};
}

// Reads the whole of `regular` and closes it.
QByteArray readAndClose(const RegularFile& regular, const QString& path) {
  QFile file;
  if (!file.open(regular.descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(regular.descriptor);
    throw FileError(cannotOpen(path, file.errorString()));
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) throw FileError(cannotRead(path, file.errorString()));
  return bytes;
}

// The lines of a file's `bytes`, refused whole when one of them is longer than the limit.
LineReader checkedLines(const QByteArray& bytes, const QString& path) {
  LineReader lines(bytes);
  if (const std::optional<qsizetype> line =
          lines.firstLineLongerThan(NumberedFiles::kMaxLineBytes)) {
    throw FileError(cannotRead(path, QStringLiteral("line %1 is longer than %2 bytes")
                                         .arg(*line)
                                         .arg(NumberedFiles::kMaxLineBytes)));
  }
  return lines;
}

// Refuses `regular` when it is larger than `maxBytes`, closing it.
void checkSize(const RegularFile& regular, const QString& path, qint64 maxBytes) {
  if (regular.size <= maxBytes) return;
  ::close(regular.descriptor);
  throw FileError(cannotRead(path, QStringLiteral("it is larger than %1 bytes").arg(maxBytes)));
}

void createEmptyFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
    throw FileError(QStringLiteral("Cannot create \"%1\": %2.").arg(path, file.errorString()));
  }
}

}  // namespace

// What a worker thread reads for sequential input: once `finished`, either the lines or the
// message of the failure.
struct NumberedFiles::BackgroundReading {
  QPromise<void> finished;
  std::optional<LineReader> lines;
  QString failure;
};

void NumberedFiles::openForInput(int number, const QString& path) {
  LineReader lines = checkedLines(readAndClose(openRegularFile(path), path), path);
  freeNumber(number, path).lines.emplace(std::move(lines));
}

void NumberedFiles::openForInputInBackground(int number, const QString& path) {
  checkFree(number, path);
  const RegularFile regular = openRegularFile(path);
  if (regular.size <= kReadAtOnceBytes) {
    LineReader lines = checkedLines(readAndClose(regular, path), path);
    freeNumber(number, path).lines.emplace(std::move(lines));
    return;
  }
  auto reading = std::make_shared<BackgroundReading>();
  reading->finished.start();
  std::thread([regular, path, reading] {
    try {
      reading->lines.emplace(checkedLines(readAndClose(regular, path), path));
    } catch (const FileError& error) {
      reading->failure = error.message();
    } catch (const std::exception& error) {
      reading->failure = cannotRead(path, QString::fromLocal8Bit(error.what()));
    }
    reading->finished.finish();
  }).detach();
  freeNumber(number, path).reading = std::move(reading);
}

void NumberedFiles::openBinary(int number, const QString& path) {
  if (!QFileInfo::exists(path)) createEmptyFile(path);
  const RegularFile regular = openRegularFile(path);
  checkSize(regular, path, kMaxBinaryBytes);
  QByteArray bytes = readAndClose(regular, path);
  freeNumber(number, path).bytes = std::move(bytes);
}

bool NumberedFiles::stillReading(int number) const {
  const OpenFile& open = file(number);
  return open.reading && !open.reading->finished.future().isFinished();
}

QFuture<void> NumberedFiles::whenRead(int number) const {
  const OpenFile& open = file(number);
  return open.reading ? open.reading->finished.future() : QtFuture::makeReadyFuture();
}

bool NumberedFiles::isOpen(int number) const {
  return open_.count(number) != 0;
}

bool NumberedFiles::atEnd(int number) {
  const LineReader* input = lines(number);
  return !input || input->atEnd();
}

QString NumberedFiles::readLine(int number) {
  LineReader* input = lines(number);
  if (!input || input->atEnd())
    throw FileError(cannotRead(file(number).path, QStringLiteral("no line left")));
  return input->next();
}

QByteArray NumberedFiles::readAll(int number) {
  return file(number).bytes;
}

void NumberedFiles::closeAll() {
  open_.clear();
}

void NumberedFiles::checkFree(int number, const QString& path) const {
  if (isOpen(number)) {
    throw FileError(cannotOpen(path, QStringLiteral("file number %1 is already open").arg(number)));
  }
}

NumberedFiles::OpenFile& NumberedFiles::freeNumber(int number, const QString& path) {
  checkFree(number, path);
  OpenFile& open = open_[number];
  open.path = path;
  return open;
}

const NumberedFiles::OpenFile& NumberedFiles::file(int number) const {
  const auto found = open_.find(number);
  if (found == open_.end()) {
    throw FileError(QStringLiteral("File number %1 is not open.").arg(number));
  }
  return found->second;
}

NumberedFiles::OpenFile& NumberedFiles::file(int number) {
  return const_cast<OpenFile&>(std::as_const(*this).file(number));
}

LineReader* NumberedFiles::lines(int number) {
  OpenFile& open = file(number);
  if (open.reading) {
    if (stillReading(number))
      throw FileError(cannotRead(open.path, QStringLiteral("it is still being read")));
    const std::shared_ptr<BackgroundReading> reading = std::exchange(open.reading, {});
    // Finished already; the wait takes the future's lock, so the worker's lines are seen whole.
    reading->finished.future().waitForFinished();
    if (!reading->lines) {
      open_.erase(number);
      throw FileError(reading->failure);
    }
    open.lines.emplace(std::move(*reading->lines));
  }
  return open.lines ? &*open.lines : nullptr;
}

}  // namespace platform
