// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "lesson_check.h"
#include "lesson_line.h"

namespace lesson {

// The words of `english` the learner missed most, most missed first; none when nothing is known
// of the learner's readings.
using MissedWords = std::function<QStringList(const QString& english)>;

// A flashcard text export of `sentences`, UTF-8 with LF line ends: the header lines
// ("#separator:tab", "#html:false", "#columns:English<TAB>Chinese<TAB>Missed words"), then one
// note a sentence: the English, the Chinese and the words missed most, separated by blanks.
// A field holding a tab, a quote or a line end is quoted as in RFC 4180.
QByteArray flashcardExport(const std::vector<LessonLine>& sentences,
                           const MissedWords& missedWords);

// Writes what the lesson `lessonPath` (any format the program reads) stages as a flashcard text
// export to `outPath`, replacing it whole or leaving it as it was. Returns the check of the
// lesson, whose sentences were written; a lesson that stops early gives the sentences before
// the stop. Throws platform::FileError when the lesson is refused or the export cannot be
// written.
LessonCheck exportLesson(const QString& lessonPath, const QString& outPath,
                         const MissedWords& missedWords);

}  // namespace lesson
