// SPDX-License-Identifier: GPL-3.0-or-later
#include "model_features.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace listening {

QHash<QString, QString> modelFeatureOptions(const QString& modelDirectory) {
  QHash<QString, QString> options;
  QFile file(QDir(modelDirectory).filePath(QStringLiteral("en-us/feat.params")));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return options;
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QStringList fields = in.readLine().simplified().split(QLatin1Char(' '));
    if (fields.size() == 2) options.insert(fields[0], fields[1]);
  }
  return options;
}

}  // namespace listening
