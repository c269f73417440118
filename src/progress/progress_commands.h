// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

namespace progress {

// `chengmu --progress`: prints the summary of the store in `file`, one "key value" a line
// (readings, sentences, due, due-today, streak); no store yet is all zeros. Returns 0, or 2
// with the reason on `err` when the store cannot be read; a damaged one is left where it is.
int printSummary(const QString& file, QTextStream& out, QTextStream& err);

// `chengmu --export-progress CSV`: writes every reading of the store in `file` to `csvPath`.
// Returns 0, or 2 with the reason on `err`.
int exportProgressFile(const QString& file, const QString& csvPath, QTextStream& err);

}  // namespace progress
