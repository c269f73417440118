// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

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
  bool opened = false;  // the reader could open the file
  platform::TextEncoding encoding = platform::TextEncoding::CodePage936;
  bool byteOrderMark = false;
  int stagedLines = 0;                  // sentence lines staged before the reading ends
  std::vector<LessonLine> staged;       // those lines, in order
  std::optional<int> stopLine;          // the line where reading stops before the end of the file
  std::vector<LessonFinding> findings;  // in line order
  bool stagedWhole() const;             // opened, and read to its end
};

// Reads `path` as the "文" command does, line by line, and notes where it would stop and which
// staged lines have an empty English part, an empty translation or an undecodable byte.
LessonCheck checkLesson(const QString& path);

// The report on one file: a line "FILE:LINE: error|warning: reason" per finding, then the
// summary "FILE: note: ENCODING with|without byte-order mark; lines staged: N; read to the
// end|reading stops at line N" for a file that could be opened.
QString formatLessonCheck(const QString& path, const LessonCheck& check);

}  // namespace lesson
