// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "progress_store.h"

class QIODevice;

namespace progress {

// The header of the export: every reading a row after it.
inline constexpr char kExportHeader[] = "time,lesson,english,chinese,heard,words,missed,rating";

// Writes every reading, oldest first, as CSV (RFC 4180: CRLF line ends, a field quoted when it
// holds a comma, a quote or a line break), UTF-8: the time in ISO 8601 UTC, the lesson's path
// ("" for a typed sentence), the missed words space-separated, the rating as a word.
void writeReadingsCsv(const Store& store, QIODevice& out);

// Writes the export to `path`, whole or not at all. Returns "" or why it failed.
QString exportReadings(const Store& store, const QString& path);

}  // namespace progress
