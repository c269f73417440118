// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "parsed_lesson.h"

namespace lesson {

// Reads SubRip subtitles: blocks of an optional cue number, a timing line and text lines,
// divided by empty lines. Each cue's text is one sentence (see addCue()). A block without a
// timing line is where the file stops making sense.
ParsedLesson parseSubRipLesson(const QStringList& lines);

// Whether a SubRip cue starts at line `at`: a timing line, or a cue number and a timing line.
bool startsSubRipCue(const QStringList& lines, qsizetype at);

}  // namespace lesson
