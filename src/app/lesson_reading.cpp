// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_reading.h"

#include "stage/closing_scene.h"
#include "stage/performance.h"

namespace app {
namespace {

void endLesson(const LessonReading& reading) {
  reading.window.setSentence(QString());
  reading.window.setTranslation(QString());
  stage::queueClosingScene(reading.cast);
}

}  // namespace

void openLesson(const LessonReading& reading, const LessonFileChooser& chooseLessonFile) {
  reading.session.close();
  reading.window.hideWindow();
  reading.cast[stage::Role::Girl].Stop();
  const QString path = chooseLessonFile();
  if (path.isEmpty()) return;
  reading.session.open(path);
  ReadNextLine(reading);
}

// Every performance would end by asking for the next line; the loop does that asking, so a
// lesson of any length is read without the call depth growing.
void ReadNextLine(const LessonReading& reading) {
  while (const std::optional<lesson::LessonLine> line = reading.session.ReadNextLine()) {
    reading.window.setTranslation(line->translation);
    reading.window.setSentence(line->sentence);
    stage::PerformSentence(reading.cast, reading.window.sentence(), reading.window.translation(),
                           reading.session.LineCounter());
  }
  if (reading.session.ended()) endLesson(reading);
}

}  // namespace app
