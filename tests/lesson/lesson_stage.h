// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <stdexcept>

#include "lesson/lesson_session.h"
#include "practice/lesson_reading.h"
#include "stage/cast_stage.h"

namespace lesson_testing {

// The sentence window as plain strings. While `recording`, every write goes to the log with the
// line count it was made at, so the log shows the order of effects.
class RecordingWindow : public lesson::SentenceView {
 public:
  RecordingWindow(QStringList& log, const lesson::LessonSession& session)
      : log_(log), session_(session) {}

  QString sentence() const override { return text1_; }
  QString translation() const override { return text2_; }
  void setSentence(const QString& text) override { write("Text1", text1_, text); }
  void setTranslation(const QString& text) override { write("Text2", text2_, text); }
  void hideWindow() override { log_ << QStringLiteral("lx Hide"); }
  void showForTyping(int leftTwips, int topTwips) override {
    log_ << QStringLiteral("lx ShowForTyping %1 %2").arg(leftTwips).arg(topTwips);
  }

  bool recording = true;

 private:
  void write(const char* name, QString& box, const QString& text) {
    box = text;
    if (recording) {
      log_ << QStringLiteral("%1 \"%2\" at line %3").arg(name, text).arg(session_.LineCounter());
    }
  }

  QStringList& log_;
  const lesson::LessonSession& session_;
  QString text1_;
  QString text2_;
};

// The cast, the program's numbered files, the lesson session with LineCounter and a recording
// sentence window: what the "文" command works on. Failures of the slices read after the
// command go to `errors`.
class LessonStage : public stage_testing::CastStage {
 public:
  // The "文" command choosing `path` ("" cancels), up to the end of its first slice.
  void startLesson(const QString& path) {
    practice::openLesson(reading, [path] { return path; });
  }
  // The "文" command choosing `path` ("" cancels), and the event loop until the reading stops.
  void openLesson(const QString& path) {
    startLesson(path);
    finishStaging();
  }
  void finishStaging() {
    while (session.staging()) QCoreApplication::processEvents();
  }
  std::int32_t LineCounter() const { return session.LineCounter(); }

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

  // The sentences performed, from the recorded writes: "sentence|translation" each.
  QStringList performedPairs() const {
    QStringList pairs;
    QString translation;
    for (const QString& entry : log) {
      const QString text = entry.section(QLatin1Char('"'), 1, -2);
      if (entry.startsWith(QStringLiteral("Text2"))) translation = text;
      if (entry.startsWith(QStringLiteral("Text1")) && !text.isEmpty()) {
        pairs << text + QLatin1Char('|') + translation;
      }
    }
    return pairs;
  }

  platform::NumberedFiles files;
  lesson::LessonSession session{files};
  RecordingWindow window{log, session};
  QStringList errors;
  practice::LessonReading reading{session, window, cast,
                                  [this](const QString& message) { errors << message; }};
  QTemporaryDir dir;
};

// `text` in code page 936, as the program's users write their lessons.
QByteArray cp936(const QString& text);

}  // namespace lesson_testing
