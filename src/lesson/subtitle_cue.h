// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QStringView>

#include "parsed_lesson.h"

namespace lesson {

// Whether `line` is the timing line of a subtitle cue, "00:00:01,000 --> 00:00:02,500" (SubRip)
// or "00:01.000 --> 00:02.500 position:10%" (WebVTT; hours are optional, settings may follow).
bool isCueTiming(QStringView line);

// Adds the sentence of a cue whose timing is on line `timingLine`, at the line of its first text
// line (the timing line for a cue without text): markup is removed and each
// line goes to the translation when it holds Chinese, to the sentence otherwise (lines joined
// by a blank). A cue without English is skipped, one without Chinese keeps an empty
// translation; both are noted.
void addCue(ParsedLesson& lesson, const QStringList& textLines, int timingLine);

}  // namespace lesson
