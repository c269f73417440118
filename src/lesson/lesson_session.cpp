// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_session.h"

#include <limits>
#include <stdexcept>
#include <utility>

#include "lesson_log.h"

namespace lesson {
namespace {

constexpr int kLessonFile = platform::NumberedFiles::kLessonFile;

}  // namespace

std::int32_t nextLineCount(std::int32_t LineCounter) {
  if (LineCounter == std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("The line count cannot go beyond 2147483647.");
  }
  return LineCounter + 1;
}

LessonSession::LessonSession(platform::NumberedFiles& files) : files_(files) {
  nextSlice_.setSingleShot(true);
  nextSlice_.setInterval(0);
  QObject::connect(&nextSlice_, &QTimer::timeout, [this] { runSlice(); });
  QObject::connect(&fileRead_, &QFutureWatcherBase::finished, [this] {
    if (std::exchange(waitingForFile_, false)) runSlice();
  });
}

void LessonSession::open(const QString& path) {
  stopWaiting();
  files_.openForInputInBackground(kLessonFile, path);
  path_ = path;
  start_.reset();
  nextParsedSentence_ = 0;
  countFromZero_ = opening();
  if (!countFromZero_) {
    startReading();
    LineCounter_ = 0;
  }
  ended_ = false;
  qCDebug(lcLesson).noquote() << "reading the lesson" << path;
}

QString LessonSession::path() const {
  return files_.isOpen(kLessonFile) ? path_ : QString();
}

bool LessonSession::opening() const {
  return files_.isOpen(kLessonFile) && files_.stillReading(kLessonFile);
}

void LessonSession::startReading() {
  LessonStart start = readLessonStart(files_, kLessonFile, path_);
  if (const QString refusal = start.refusal(path_); !refusal.isEmpty()) {
    files_.closeAll();
    throw platform::FileError(refusal);
  }
  if (*start.format != LessonFormat::SentenceLines) {
    qCDebug(lcLesson).noquote() << "the lesson is" << formatName(*start.format) << "of"
                                << start.parsed.sentences.size() << "sentences";
  }
  start_ = std::move(start);
}

std::optional<LessonLine> LessonSession::takeNextLine() {
  if (!start_) startReading();
  if (std::exchange(countFromZero_, false)) LineCounter_ = 0;
  if (*start_->format != LessonFormat::SentenceLines) return takeParsedSentence();
  if (!start_->firstLine && files_.atEnd(kLessonFile)) {
    files_.closeAll();
    ended_ = true;
    qCDebug(lcLesson) << "the lesson ended after" << LineCounter_ << "lines";
    return std::nullopt;
  }
  const QString line = start_->firstLine ? *std::exchange(start_->firstLine, std::nullopt)
                                         : files_.readLine(kLessonFile);
  LineCounter_ = nextLineCount(LineCounter_);
  std::optional<LessonLine> parsed = parseLessonLine(line);
  if (!parsed)
    qCDebug(lcLesson) << "the lesson halts at line" << LineCounter_
                      << "(a line without a separator)";
  return parsed;
}

std::optional<LessonLine> LessonSession::takeParsedSentence() {
  const ParsedLesson& lesson = start_->parsed;
  if (nextParsedSentence_ < lesson.sentences.size()) {
    LineCounter_ = nextLineCount(LineCounter_);
    return lesson.sentences[nextParsedSentence_++].line;
  }
  if (lesson.broken) {
    qCDebug(lcLesson) << "the lesson halts at line" << lesson.broken->fileLine << "of its file";
    return std::nullopt;
  }
  files_.closeAll();
  ended_ = true;
  qCDebug(lcLesson) << "the lesson ended after" << LineCounter_ << "lines";
  return std::nullopt;
}

void LessonSession::close() {
  stopWaiting();
  files_.closeAll();
}

void LessonSession::continueLater(std::function<void()> slice) {
  slice_ = std::move(slice);
  if (!opening()) return nextSlice_.start();
  waitingForFile_ = true;
  fileRead_.setFuture(files_.whenRead(kLessonFile));
}

void LessonSession::stopWaiting() {
  nextSlice_.stop();
  waitingForFile_ = false;
}

void LessonSession::dropUnstaged() {
  if (!staging()) return;
  qCDebug(lcLesson) << "the lines after line" << LineCounter_ << "are dropped";
  close();
}

void LessonSession::runSlice() {
  if (!files_.isOpen(kLessonFile)) {
    qCDebug(lcLesson) << "the lesson was closed after line" << LineCounter_
                      << "; the lines after it are dropped";
    return;
  }
  const std::function<void()> slice = std::exchange(slice_, {});
  slice();
}

void LessonSession::countTypedSentence() {
  if (staging()) return;
  LineCounter_ = nextLineCount(LineCounter_);
}

}  // namespace lesson
