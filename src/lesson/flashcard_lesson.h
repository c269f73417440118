// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QStringList>

#include "parsed_lesson.h"

namespace lesson {

// Reads a flashcard text export: header lines first ("#separator:tab", "#html:true",
// "#columns:Front<TAB>Back", "#deck column:3", ...), then one note a record, fields quoted as
// in RFC 4180 (a quoted field may hold the separator, doubled quotes and line ends). The
// sentence and its translation are the columns named Front/Back or English/Chinese, in the
// "#columns" header or in a first record of column names, else the first two columns that are
// no deck, note type, tags or GUID. HTML (unless "#html:false") and "[sound:...]" are removed.
// `separator` is the one used when no header names it. A quoted field that is never closed, or
// text after its closing quote, is where the file stops making sense.
ParsedLesson parseFlashcardLesson(const QStringList& lines, QChar separator);

// Whether `line` is a header line of a flashcard text export.
bool isFlashcardHeader(const QString& line);

}  // namespace lesson
