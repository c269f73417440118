#pragma once

#include <QString>
#include <functional>

#include "lesson_reader.h"

namespace lesson {

// Asks the learner for a lesson file: its full path, or "" when the learner cancelled.
using LessonFileChooser = std::function<QString()>;

// The "文" command: closes all numbered files, hides the sentence window, stops girl, asks for
// a lesson and, unless the learner cancelled, reads it from its first line. Throws
// platform::FileError when the chosen file cannot be read and character::AgentError when a
// call to a character fails; the steps after the failing one do not run.
void openLesson(LessonContext& context, const LessonFileChooser& chooseLessonFile);

}  // namespace lesson
