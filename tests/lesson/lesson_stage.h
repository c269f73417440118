#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <stdexcept>

#include "lesson/lesson_reader.h"
#include "lesson/open_lesson.h"
#include "stage/cast_stage.h"

namespace lesson_testing {

// The sentence window as plain strings. While `recording`, every write goes to the log with the
// line count it was made at, so the log shows the order of effects.
class RecordingWindow : public lesson::SentenceWindow {
 public:
  RecordingWindow(QStringList& log, const std::int32_t& LineCounter)
      : log_(log), lineCounter_(LineCounter) {}

  QString text1() const override { return text1_; }
  QString text2() const override { return text2_; }
  void setText1(const QString& text) override { write("Text1", text1_, text); }
  void setText2(const QString& text) override { write("Text2", text2_, text); }
  void hideWindow() override { log_ << QStringLiteral("lx Hide"); }

  bool recording = true;

 private:
  void write(const char* name, QString& box, const QString& text) {
    box = text;
    if (recording) log_ << QStringLiteral("%1 \"%2\" at line %3").arg(name, text).arg(lineCounter_);
  }

  QStringList& log_;
  const std::int32_t& lineCounter_;
  QString text1_;
  QString text2_;
};

// The cast, the program's numbered files, LineCounter and a recording sentence window: what
// the "文" command works on.
class LessonStage : public stage_testing::CastStage {
 public:
  // The "文" command choosing `path` ("" cancels).
  void openLesson(const QString& path) {
    lesson::openLesson(context, [path] { return path; });
  }

  // Writes `bytes` as a lesson file and opens it with "文".
  void openLessonBytes(const QByteArray& bytes) { openLesson(writeFile("lesson.txt", bytes)); }

  QString writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
      throw std::runtime_error("cannot write a test lesson");
    }
    return path;
  }

  bool lessonOpen() const { return files.isOpen(platform::NumberedFiles::kLessonFile); }

  platform::NumberedFiles files;
  std::int32_t LineCounter = 0;
  RecordingWindow window{log, LineCounter};
  lesson::LessonContext context{files, window, LineCounter, cast};
  QTemporaryDir dir;
};

// `text` in code page 936, as the program's users write their lessons.
QByteArray cp936(const QString& text);

}  // namespace lesson_testing
