#include "lesson_reader.h"

#include "lesson_line.h"
#include "stage/closing_scene.h"
#include "stage/performance.h"

namespace lesson {
namespace {

constexpr int kLessonFile = platform::NumberedFiles::kLessonFile;

void endLesson(LessonContext& context) {
  context.files.closeAll();
  context.window.setText1(QString());
  context.window.setText2(QString());
  stage::queueClosingScene(context.cast);
}

}  // namespace

void startLesson(LessonContext& context, const QString& path) {
  context.files.openForInput(kLessonFile, path);
  context.LineCounter = 0;
  ReadNextLine(context);
}

// Every performance would end by asking for the next line; the loop does that asking, so a
// lesson of any length is read without the call depth growing.
void ReadNextLine(LessonContext& context) {
  while (!context.files.atEnd(kLessonFile)) {
    const QString line = context.files.readLine(kLessonFile);
    context.LineCounter = stage::nextLineCount(context.LineCounter);
    const std::optional<LessonLine> parsed = parseLessonLine(line);
    if (!parsed) return;
    context.window.setText2(parsed->translation);
    context.window.setText1(parsed->sentence);
    stage::PerformSentence(context.cast, context.window.text1(), context.window.text2(),
                           context.LineCounter);
  }
  endLesson(context);
}

}  // namespace lesson
