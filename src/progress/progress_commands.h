// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace progress {

// `chengmu --progress`: prints the summary of the store in `file`, one "key value" a line
// (readings, sentences, due, due-today, streak); no store yet is all zeros. Returns 0, or 2
// with the reason on `err` when the store cannot be read; a damaged one is left where it is.
int printSummary(const QString& file, QTextStream& out, QTextStream& err);

// `chengmu --export-progress CSV`: writes every reading of the store in `file` to `csvPath`.
// Returns 0, or 2 with the reason on `err`.
int exportProgressFile(const QString& file, const QString& csvPath, QTextStream& err);

// The words the learner missed most in a sentence, from the store in `file`, for a lesson's
// export: at most three, most often first; none when no store can be read.
std::function<QStringList(const QString& english)> wordsMissedMostIn(const QString& file);

}  // namespace progress
