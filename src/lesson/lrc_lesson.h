// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "parsed_lesson.h"

namespace lesson {

// Reads lyrics with translations: "[mm:ss.xx]English|中文" (or "~" for "|") on one line, or an
// English line followed by a Chinese line with the same time tags. Metadata lines ("[ti:...]",
// "[ar:...]", "[offset:...]") and time tags without words are skipped; several time tags on
// one line make one sentence. A line that starts with no tag, or a tag that is not closed, is
// where the file stops making sense.
ParsedLesson parseLrcLesson(const QStringList& lines);

// Whether `line` starts with an LRC tag: a time tag or a metadata tag.
bool startsWithLrcTag(const QString& line);

}  // namespace lesson
