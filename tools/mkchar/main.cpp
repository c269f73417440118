// SPDX-License-Identifier: GPL-3.0-or-later
// mkchar ART_FOLDER OUTPUT.dat
// Packs the sources of one character into a character file, reads the result back with the
// program's own reader, and writes it only when the reader accepts it.
#include <QCoreApplication>
#include <QSaveFile>
#include <QTextStream>
#include <stdexcept>

#include "character/character_file.h"
#include "character_source.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    throw std::runtime_error(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  QTextStream errors(stderr);
  if (arguments.size() != 3) {
    errors << "usage: mkchar ART_FOLDER OUTPUT.dat\n";
    return 2;
  }
  const QString output = arguments.at(2);
  try {
    const QByteArray bytes = buildCharacterFile(arguments.at(1));
    character::parseCharacterFile(bytes, output);
    writeFile(output, bytes);
  } catch (const std::exception& error) {
    errors << "mkchar: " << QString::fromStdString(error.what()) << '\n';
    return 1;
  }
  return 0;
}
