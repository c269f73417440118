#include "numbered_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

namespace {

QString cannotOpen(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot open \"%1\": %2.").arg(path, reason);
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

// Reads a whole regular file. The open never waits (a FIFO would otherwise block until a
// writer came), and the type is checked on the opened file itself, so nothing can be swapped in
// between the check and the read: a FIFO, a device (also behind a symbolic link) or a directory
// is refused before a single byte is read.
QByteArray readRegularFile(const QString& path) {
  const int descriptor =
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) throw FileError(openFailure(path, errno));
  QFile file;
  if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(descriptor);
    throw FileError(cannotOpen(path, file.errorString()));
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) throw FileError(openFailure(path, errno));
  if (!S_ISREG(status.st_mode)) throw FileError(cannotOpen(path, notRegularFile(status.st_mode)));
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw FileError(QStringLiteral("Cannot read \"%1\": %2.").arg(path, file.errorString()));
  }
  return bytes;
}

void createEmptyFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
    throw FileError(QStringLiteral("Cannot create \"%1\": %2.").arg(path, file.errorString()));
  }
}

}  // namespace

void NumberedFiles::openForInput(int number, const QString& path) {
  LineReader lines(readRegularFile(path));
  if (const std::optional<qsizetype> line = lines.firstLineLongerThan(kMaxLineBytes)) {
    throw FileError(QStringLiteral("Cannot read \"%1\": line %2 is longer than %3 bytes.")
                        .arg(path)
                        .arg(*line)
                        .arg(kMaxLineBytes));
  }
  freeNumber(number, path).lines.emplace(std::move(lines));
}

void NumberedFiles::openBinary(int number, const QString& path) {
  if (!QFileInfo::exists(path)) createEmptyFile(path);
  QByteArray bytes = readRegularFile(path);
  freeNumber(number, path).bytes = std::move(bytes);
}

bool NumberedFiles::isOpen(int number) const {
  return open_.count(number) != 0;
}

bool NumberedFiles::atEnd(int number) const {
  const OpenFile& open = file(number);
  return !open.lines || open.lines->atEnd();
}

QString NumberedFiles::readLine(int number) {
  OpenFile& open = file(number);
  if (!open.lines || open.lines->atEnd()) {
    throw FileError(QStringLiteral("Cannot read \"%1\": no line left.").arg(open.path));
  }
  return open.lines->next();
}

QByteArray NumberedFiles::readAll(int number) {
  return file(number).bytes;
}

void NumberedFiles::closeAll() {
  open_.clear();
}

NumberedFiles::OpenFile& NumberedFiles::freeNumber(int number, const QString& path) {
  if (isOpen(number)) {
    throw FileError(QStringLiteral("Cannot open \"%1\": file number %2 is already open.")
                        .arg(path)
                        .arg(number));
  }
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

}  // namespace platform
