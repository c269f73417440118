// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

namespace listening {

// The acoustic model's feature parameters, by name ("-svspec" → "0-12/13-25/26-38"), as the
// model's en-us/feat.params holds them, one "-name value" a line; `modelDirectory` as
// ScorerSettings::modelDirectory. Empty when the file cannot be read.
QHash<QString, QString> modelFeatureOptions(const QString& modelDirectory);

}  // namespace listening
