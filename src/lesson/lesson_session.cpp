// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_session.h"

#include <limits>
#include <stdexcept>

#include "platform/log.h"

namespace lesson {
namespace {

constexpr int kLessonFile = platform::NumberedFiles::kLessonFile;

}  // namespace

std::int32_t nextLineCount(std::int32_t LineCounter) {
  if (LineCounter == std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("The line count cannot go beyond 2147483647.");
  }
  return LineCounter + 1;
}

void LessonSession::open(const QString& path) {
  files_.openForInput(kLessonFile, path);
  LineCounter_ = 0;
  ended_ = false;
  qCDebug(lcLesson).noquote() << "reading the lesson" << path;
}

std::optional<LessonLine> LessonSession::ReadNextLine() {
  if (files_.atEnd(kLessonFile)) {
    files_.closeAll();
    ended_ = true;
    qCDebug(lcLesson) << "the lesson ended after" << LineCounter_ << "lines";
    return std::nullopt;
  }
  const QString line = files_.readLine(kLessonFile);
  LineCounter_ = nextLineCount(LineCounter_);
  std::optional<LessonLine> parsed = parseLessonLine(line);
  if (!parsed)
    qCDebug(lcLesson) << "the lesson halts at line" << LineCounter_
                      << "(a line without a separator)";
  return parsed;
}

void LessonSession::countTypedSentence() {
  LineCounter_ = nextLineCount(LineCounter_);
}

}  // namespace lesson
