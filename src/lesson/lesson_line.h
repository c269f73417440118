// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace lesson {

// A lesson line taken apart: "[tag]English~中文".
struct LessonLine {
  QString sentence;     // after the first "]" that stands before the separator, if any
  QString translation;  // everything after the first "~", later "~" included
  bool operator==(const LessonLine&) const = default;
};

// Splits a decoded lesson line at its first "~" and drops a tag up to the first "]" before it.
// Only the ASCII "~" and "]" count and nothing is trimmed. A line without "~" is no sentence
// line: nullopt.
std::optional<LessonLine> parseLessonLine(const QString& line);

}  // namespace lesson
