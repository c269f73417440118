// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFutureWatcher>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

#include "lesson_format.h"
#include "lesson_line.h"
#include "platform/numbered_files.h"

namespace lesson {

// The line count after one more line or typed sentence. Throws std::overflow_error instead of
// going past the largest 32-bit count.
std::int32_t nextLineCount(std::int32_t LineCounter);

// The lesson being read: its file (numbered file 1 among the program's numbered files) and
// LineCounter, the count of lines read and sentences typed, whose parity gives the turn. Hands
// out the lesson's lines one at a time; what is done with them is up to the caller.
//
// A long lesson is read in slices, so that the event loop runs between them: the lines not
// read yet stay in the file until the slice that was left for later (continueLater()) takes
// them. They belong to the lesson: closing it drops them, and so does dropUnstaged().
class LessonSession {
 public:
  explicit LessonSession(platform::NumberedFiles& files);

  // Opens `path` as the lesson file and starts counting from 0. Throws platform::FileError
  // when the file cannot be opened or read, or fits no lesson format (see readLessonStart());
  // LineCounter is then unchanged. A slice still
  // waiting for an earlier lesson never runs. A big file is read on a worker thread
  // (platform::NumberedFiles::openForInputInBackground()): while opening(), no line can be
  // read, and the count starts from 0 only with the first takeNextLine() after it, which
  // throws the FileError the reading met, if any.
  void open(const QString& path);
  // Whether the lesson file is still being read before its first line can be taken.
  bool opening() const;

  // Reads the next line of the open lesson and counts it. Returns it taken apart, or nothing
  // when the reading stops: at a line without "~", where the file stays open (a halted
  // lesson), or at the end of the file, where all numbered files are closed and ended()
  // holds. Throws std::overflow_error, leaving the count, when the count would overflow.
  // A lesson of a format read whole (subtitles, lyrics, flashcards) hands out its sentences
  // the same way, each counted as a line; it halts where its file stops making sense.
  std::optional<LessonLine> takeNextLine();

  // Whether the last takeNextLine() ran to the end of the lesson.
  bool ended() const { return ended_; }
  // Closes the lesson, and with it every other numbered file; a waiting slice never runs.
  void close();

  // Runs `slice` once the event loop has handled what is waiting, provided the lesson file is
  // still open then (a close-all from elsewhere, such as reading a help text, drops it). While
  // the file is still opening(), the slice runs once the worker has read it.
  void continueLater(std::function<void()> slice);
  // Whether a slice left for later is waiting to read on.
  bool staging() const { return nextSlice_.isActive() || waitingForFile_; }
  // Drops the lines not read yet when a slice is waiting: it never runs and the lesson is
  // closed. Changes nothing otherwise (a halted lesson keeps its file).
  void dropUnstaged();

  // The lesson file, "" when none is open.
  QString path() const;
  // The lesson file opened last, kept once it is closed; "" before the first.
  QString lastOpenedPath() const { return path_; }

  std::int32_t LineCounter() const { return LineCounter_; }
  // Counts a typed sentence, except while a slice is waiting (staging()): the lesson's lines not
  // read yet keep the turns a reading in one pass gives them. Throws std::overflow_error,
  // leaving the count, at the largest one.
  void countTypedSentence();
  // Sets the count, as a session that already read `count` lines.
  void setLineCounter(std::int32_t count) { LineCounter_ = count; }

 private:
  void runSlice();
  void stopWaiting();
  // Recognises the lesson's format and reads what its reading starts from. Throws
  // platform::FileError, closing the lesson, when it is refused.
  void startReading();
  std::optional<LessonLine> takeParsedSentence();

  platform::NumberedFiles& files_;
  QString path_;
  std::int32_t LineCounter_ = 0;
  // The file opened in the background: LineCounter starts from 0 once it has been read.
  bool countFromZero_ = false;
  bool ended_ = false;
  QTimer nextSlice_;
  // Tells when the file opening in the background has been read, while a slice waits for it.
  QFutureWatcher<void> fileRead_;
  bool waitingForFile_ = false;
  std::function<void()> slice_;
  // The start of the lesson's reading, once its format is known.
  std::optional<LessonStart> start_;
  std::size_t nextParsedSentence_ = 0;
};

}  // namespace lesson
