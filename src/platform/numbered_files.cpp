#include "numbered_files.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

namespace platform {

namespace {

QString cannotOpen(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot open \"%1\": %2.").arg(path, reason);
}

// Why `file` could not be opened, in the words a user knows.
QString openFailure(const QFile& file) {
  const QFileInfo info(file.fileName());
  if (!info.exists()) return cannotOpen(file.fileName(), QStringLiteral("no such file"));
  if (!info.isReadable()) return cannotOpen(file.fileName(), QStringLiteral("permission denied"));
  return cannotOpen(file.fileName(), file.errorString());
}

QByteArray readWholeFile(const QString& path) {
  // QFile opens a directory without complaint on Linux; reading it would fail later.
  if (QFileInfo(path).isDir()) {
    throw FileError(cannotOpen(path, QStringLiteral("it is a directory")));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw FileError(openFailure(file));
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
  const QByteArray bytes = readWholeFile(path);
  freeNumber(number, path).lines.emplace(bytes);
}

void NumberedFiles::openBinary(int number, const QString& path) {
  if (!QFileInfo::exists(path)) createEmptyFile(path);
  QByteArray bytes = readWholeFile(path);
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
