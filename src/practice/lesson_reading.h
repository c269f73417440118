// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "lesson/lesson_session.h"
#include "lesson/sentence_view.h"
#include "stage/cast.h"

namespace practice {

// Shows the message of a failure that stopped the reading after the command had returned.
using ErrorReport = std::function<void(const QString& message)>;

// What reading a lesson works on, all of it owned by the toolbar, and where the failures of the
// slices read after the "文" command has returned go.
struct LessonReading {
  lesson::LessonSession& session;
  lesson::SentenceView& window;
  stage::Cast& cast;
  ErrorReport reportError;
};

// How many lines one slice of the reading takes before the event loop runs again: at about
// 10 µs a line, a slice keeps the program busy for about 10 ms.
inline constexpr int kLinesPerSlice = 1000;

// Asks the learner for a lesson file: its full path, or "" when the learner cancelled.
using LessonFileChooser = std::function<QString()>;

// The "文" command: closes all numbered files, hides the sentence window, stops the girl, asks
// for a lesson and, unless the learner cancelled, opens it, counting from 0, and reads it from
// its first line. Throws platform::FileError when the chosen file cannot be read (LineCounter is
// then unchanged) and character::AgentError when a call to a character fails; the steps after
// the failing one do not run.
void openLesson(const LessonReading& reading, const LessonFileChooser& chooseLessonFile);

// Reads the open lesson from where it stands and queues the performance of every line, one
// line after another, until the end of the file, where it closes the file, empties both texts
// and queues the closing scene, or until a line without "~", where it stops and leaves the file
// open. For each line: LineCounter, the translation, the sentence, then the performance.
// Reads kLinesPerSlice lines at once and leaves the rest to a slice that the event loop runs
// next (LessonSession::continueLater()); a failure there goes to reading.reportError and ends
// the reading. A lesson file still being read in the background (LessonSession::opening()) is
// waited for in the same way, and a fault the reading found (a line over the limit) is such a
// failure. Throws what the first slice's steps throw.
void ReadNextLine(const LessonReading& reading);

}  // namespace practice
