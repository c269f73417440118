// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_export.h"

#include <QDateTime>
#include <QSaveFile>
#include <QStringList>

#include "sqlite_statement.h"

namespace progress {
namespace {

QString csvField(const QString& value) {
  const bool quoted = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                      value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
  if (!quoted) return value;
  QString escaped = value;
  escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString ratingName(qint64 rating) {
  switch (static_cast<fsrs::Rating>(rating)) {
    case fsrs::Rating::Again:
      return QStringLiteral("Again");
    case fsrs::Rating::Hard:
      return QStringLiteral("Hard");
    case fsrs::Rating::Good:
      return QStringLiteral("Good");
    case fsrs::Rating::Easy:
      return QStringLiteral("Easy");
  }
  return QString::number(rating);
}

QString isoUtc(qint64 milliseconds) {
  return QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC).toString(Qt::ISODate);
}

}  // namespace

void writeReadingsCsv(const Store& store, QIODevice& out) {
  out.write(kExportHeader);
  out.write("\r\n");
  Statement rows(store.database(),
                 "SELECT r.time, COALESCE(l.path, ''), r.english, r.chinese, r.heard, r.words, "
                 "r.missed, r.rating FROM readings r LEFT JOIN lessons l ON l.id = r.lesson_id "
                 "ORDER BY r.time, r.id");
  while (rows.next()) {
    const QStringList fields = {isoUtc(rows.integer(0)),          csvField(rows.text(1)),
                                csvField(rows.text(2)),           csvField(rows.text(3)),
                                QString::number(rows.integer(4)), QString::number(rows.integer(5)),
                                csvField(rows.text(6)),           ratingName(rows.integer(7))};
    out.write(fields.join(QLatin1Char(',')).toUtf8());
    out.write("\r\n");
  }
}

QString exportReadings(const Store& store, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  writeReadingsCsv(store, file);
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace progress
