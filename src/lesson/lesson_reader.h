#pragma once

#include <QString>
#include <cstdint>

#include "platform/numbered_files.h"
#include "sentence_window.h"
#include "stage/cast.h"

namespace lesson {

// What reading a lesson works on, all of it owned by the toolbar form.
struct LessonContext {
  platform::NumberedFiles& files;
  SentenceWindow& window;
  std::int32_t& LineCounter;
  stage::Cast& cast;
};

// Opens `path` as the lesson file (number 1), sets LineCounter to 0 and reads the lesson.
// Throws platform::FileError when the file cannot be opened or read; LineCounter is then
// unchanged.
void startLesson(LessonContext& context, const QString& path);

// Reads the open lesson from where it stands and queues the performance of every line, one
// line after another, until the end of the file, where it closes the file, empties both texts
// and queues the closing scene, or until a line without "~", where it stops and leaves the file
// open. For each line: LineCounter, Text2, Text1, then the performance.
void ReadNextLine(LessonContext& context);

}  // namespace lesson
