// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "lesson_line.h"
#include "platform/numbered_files.h"

namespace lesson {

// The line count after one more line or typed sentence. Throws std::overflow_error instead of
// going past the largest 32-bit count.
std::int32_t nextLineCount(std::int32_t LineCounter);

// The lesson being read: its file (numbered file 1 among the program's numbered files) and
// LineCounter, the count of lines read and sentences typed, whose parity gives the turn. Hands
// out the lesson's lines one at a time; what is done with them is up to the caller.
class LessonSession {
 public:
  explicit LessonSession(platform::NumberedFiles& files) : files_(files) {}

  // Opens `path` as the lesson file and starts counting from 0. Throws platform::FileError
  // when the file cannot be opened or read; LineCounter is then unchanged.
  void open(const QString& path);

  // Reads the next line of the open lesson and counts it. Returns it taken apart, or nothing
  // when the reading stops: at a line without "~", where the file stays open (a halted
  // lesson), or at the end of the file, where all numbered files are closed and ended()
  // holds. Throws std::overflow_error, leaving the count, when the count would overflow.
  std::optional<LessonLine> ReadNextLine();

  // Whether the last ReadNextLine() ran to the end of the lesson.
  bool ended() const { return ended_; }
  // Closes the lesson, and with it every other numbered file.
  void close() { files_.closeAll(); }

  std::int32_t LineCounter() const { return LineCounter_; }
  // Counts a typed sentence. Throws std::overflow_error, leaving the count, at the largest one.
  void countTypedSentence();
  // Sets the count, as a session that already read `count` lines.
  void setLineCounter(std::int32_t count) { LineCounter_ = count; }

 private:
  platform::NumberedFiles& files_;
  std::int32_t LineCounter_ = 0;
  bool ended_ = false;
};

}  // namespace lesson
