// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "parsed_lesson.h"
#include "platform/numbered_files.h"

namespace lesson {

// The kinds of lesson file the program reads. SentenceLines ("[tag]English~中文" a line) is read
// one line at a time as it is staged; the others are small and read whole.
enum class LessonFormat { SentenceLines, BilingualLrc, SubRip, WebVtt, FlashcardText };

// The name of `format` as a learner knows it.
QString formatName(LessonFormat format);

// What is read of a lesson file before its first sentence is staged.
struct LessonStart {
  std::optional<LessonFormat> format;  // none: the file fits no format
  std::optional<QString> firstLine;    // SentenceLines: the first line, taken from the file
  ParsedLesson parsed;                 // the other formats: the whole lesson

  // Why the lesson at `path` is refused: it fits no format, or it is of a format read whole and
  // nothing of it would be staged. "" when it can be read.
  QString refusal(const QString& path) const;
};

// Recognises the lesson file `path`, open for input as numbered file `number`, by its extension
// and its content, and reads what its reading starts from. A file whose first line holds a "~"
// is SentenceLines whatever its name, and so is a .txt or .lrc file that fits no other format.
// Throws platform::FileError when the file cannot be read.
LessonStart readLessonStart(platform::NumberedFiles& files, int number, const QString& path);

}  // namespace lesson
