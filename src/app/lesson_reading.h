// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "lesson/lesson_session.h"
#include "lesson/sentence_view.h"
#include "stage/cast.h"

namespace app {

// What reading a lesson works on, all of it owned by the toolbar.
struct LessonReading {
  lesson::LessonSession& session;
  lesson::SentenceView& window;
  stage::Cast& cast;
};

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
void ReadNextLine(const LessonReading& reading);

}  // namespace app
