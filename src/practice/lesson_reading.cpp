// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_reading.h"

#include "base/guarded_run.h"
#include "stage/closing_scene.h"
#include "stage/performance.h"

namespace practice {
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
  reading.cast.stop(stage::Role::Girl);
  const QString path = chooseLessonFile();
  if (path.isEmpty()) return;
  reading.session.open(path);
  ReadNextLine(reading);
}

// Every performance would end by asking for the next line; the loop does that asking, so a
// lesson of any length is read without the call depth growing. After a slice of lines the loop
// hands over to the event loop, and the next slice asks on from there.
void ReadNextLine(const LessonReading& reading) {
  for (int taken = 0; taken < kLinesPerSlice && !reading.session.opening(); ++taken) {
    const std::optional<lesson::LessonLine> line = reading.session.takeNextLine();
    if (!line) {
      if (reading.session.ended()) endLesson(reading);
      return;
    }
    reading.window.setTranslation(line->translation);
    reading.window.setSentence(line->sentence);
    stage::PerformSentence(reading.cast, reading.window.sentence(), reading.window.translation(),
                           reading.session.LineCounter());
  }
  reading.session.continueLater(
      [reading] { base::runGuarded([&reading] { ReadNextLine(reading); }, reading.reportError); });
}

}  // namespace practice
