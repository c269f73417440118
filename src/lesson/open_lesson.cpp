#include "open_lesson.h"

#include "stage/loaded_character.h"

namespace lesson {

void openLesson(LessonContext& context, const LessonFileChooser& chooseLessonFile) {
  context.files.closeAll();
  context.window.hideWindow();
  stage::loaded(context.cast.Girl, QStringLiteral("girl")).Stop();
  const QString path = chooseLessonFile();
  if (path.isEmpty()) return;
  startLesson(context, path);
}

}  // namespace lesson
