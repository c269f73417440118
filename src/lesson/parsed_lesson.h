// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "lesson_line.h"

namespace lesson {

// A sentence of a lesson read whole, with the line of the file it starts on (from 1).
struct ParsedSentence {
  LessonLine line;
  int fileLine = 0;
};

// Something a lesson author should know about one line of a lesson file.
struct ParsedNote {
  int fileLine = 0;
  QString reason;
};

// A lesson file of a format that is read whole (subtitles, lyrics with translations, flashcard
// exports): the sentences it stages, in file order, and where it stops making sense, if it does.
// The sentences before that line are staged; the reading halts there.
struct ParsedLesson {
  std::vector<ParsedSentence> sentences;
  std::vector<ParsedNote> notes;     // what was skipped or left empty, in line order
  std::optional<ParsedNote> broken;  // the line where the file stops making sense

  void add(const QString& english, const QString& chinese, int fileLine) {
    sentences.push_back({{english, chinese}, fileLine});
  }
  void note(int fileLine, const QString& reason) { notes.push_back({fileLine, reason}); }
  // Stops the reading at `fileLine`.
  void breakAt(int fileLine, const QString& reason) { broken = ParsedNote{fileLine, reason}; }
};

}  // namespace lesson
