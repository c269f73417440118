// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_commands.h"

#include <QFileInfo>
#include <memory>

#include "progress_export.h"
#include "progress_report.h"
#include "sentence_key.h"
#include "sqlite_statement.h"

namespace progress {
namespace {

std::unique_ptr<Store> openExisting(const QString& file) {
  if (!QFileInfo::exists(file)) return nullptr;
  return std::make_unique<Store>(file);
}

int failed(QTextStream& err, const QString& file, const char* what) {
  err << "chengmu: " << file << ": " << what << "\n";
  return 2;
}

}  // namespace

int printSummary(const QString& file, QTextStream& out, QTextStream& err) {
  try {
    const std::unique_ptr<Store> store = openExisting(file);
    const Summary summary = store ? summarizeNow(*store) : Summary();
    out << "readings " << summary.readings << "\n"
        << "sentences " << summary.sentences << "\n"
        << "due " << summary.dueNow << "\n"
        << "due-today " << summary.dueToday << "\n"
        << "streak " << summary.streak << "\n";
    return 0;
  } catch (const DatabaseError& error) {
    return failed(err, file, error.what());
  }
}

int exportProgressFile(const QString& file, const QString& csvPath, QTextStream& err) {
  try {
    const std::unique_ptr<Store> store = openExisting(file);
    if (!store) return failed(err, file, "no progress kept yet");
    const QString failure = exportReadings(*store, csvPath);
    if (failure.isEmpty()) return 0;
    err << "chengmu: " << csvPath << ": " << failure << "\n";
    return 2;
  } catch (const DatabaseError& error) {
    return failed(err, file, error.what());
  }
}

std::function<QStringList(const QString& english)> wordsMissedMostIn(const QString& file) {
  std::shared_ptr<Store> store;
  try {
    store = openExisting(file);
  } catch (const DatabaseError&) {
    return [](const QString&) { return QStringList(); };
  }
  return [store](const QString& english) {
    try {
      return store ? wordsMissedMost(*store, sentenceKey(english), 3) : QStringList();
    } catch (const DatabaseError&) {
      return QStringList();
    }
  };
}

}  // namespace progress
