// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "lesson_format.h"
#include "lesson_line.h"
#include "platform/text_decoder.h"

namespace lesson {

// Something a lesson author should know about one line of a lesson file (line 0: the file).
struct LessonFinding {
  enum class Severity { Error, Warning };
  int line = 0;
  Severity severity = Severity::Error;
  QString reason;
};

// What reading a lesson file would do, found with the program's own reader.
struct LessonCheck {
  bool opened = false;                 // the reader could open the file
  std::optional<LessonFormat> format;  // none: the file fits no lesson format
  bool refused = false;                // "文" would refuse it whole
  platform::TextEncoding encoding = platform::TextEncoding::CodePage936;
  bool byteOrderMark = false;
  int stagedLines = 0;                  // sentence lines staged before the reading ends
  std::optional<int> stopLine;          // the line where reading stops before the end of the file
  std::vector<LessonFinding> findings;  // in line order
  std::vector<LessonLine> sentences;    // what is staged and performed, in order
  bool stagedWhole() const;             // opened, and read to its end
};

// Reads `path` as the "文" command does and notes where it would stop, whether it would refuse
// it, which staged lines have an empty English part, an empty translation or an undecodable
// byte, and, for the formats read whole, what they skip.
LessonCheck checkLesson(const QString& path);

// The report on one file: a line "FILE:LINE: error|warning: reason" per finding, then the
// summary "FILE: note: ENCODING with|without byte-order mark; lines staged: N; read to the
// end|reading stops at line N|refused" for a file that could be opened, its format before the
// encoding ("SubRip subtitles in UTF-8 ...") unless it is sentence lines.
QString formatLessonCheck(const QString& path, const LessonCheck& check);

}  // namespace lesson
