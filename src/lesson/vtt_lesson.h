// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "parsed_lesson.h"

namespace lesson {

// Reads WebVTT subtitles: the "WEBVTT" header block, then blocks divided by empty lines. NOTE,
// STYLE and REGION blocks are skipped; a cue is an optional identifier, a timing line and text
// lines, and its text is one sentence (see addCue()). A block that is none of these is where the
// file stops making sense.
ParsedLesson parseWebVttLesson(const QStringList& lines);

// Whether `line` opens a WebVTT file.
bool isWebVttSignature(const QString& line);

}  // namespace lesson
