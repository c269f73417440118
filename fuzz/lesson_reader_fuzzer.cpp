// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry point for lesson reading: any bytes, read as a lesson file by the "文" command
// on a cast of test characters, must be split, decoded, counted and staged without a crash or a
// sanitizer report, and the count and the calls must agree with the lines the decoder finds, or,
// for a file recognised as a format read whole (lyrics, subtitles, flashcards), with what
// --check finds in it.
#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "character/agent.h"
#include "character/engine.h"
#include "character/speech.h"
#include "lesson/lesson_check.h"
#include "lesson/lesson_line.h"
#include "lesson/lesson_session.h"
#include "platform/text_decoder.h"
#include "practice/lesson_reading.h"
#include "support/headless_cast.h"

namespace {

class PlainWindow : public lesson::SentenceView {
 public:
  QString sentence() const override { return sentence_; }
  QString translation() const override { return translation_; }
  void setSentence(const QString& text) override { sentence_ = text; }
  void setTranslation(const QString& text) override { translation_ = text; }
  void hideWindow() override {}
  void showForTyping(int, int) override {}

 private:
  QString sentence_;
  QString translation_;
};

void check(bool condition) {
  if (!condition) std::abort();
}

QString lessonPath() {
  return QDir::temp().filePath(QStringLiteral("lesson_reader_fuzzer_%1.txt").arg(getpid()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // A long lesson is read in slices that the event loop runs.
  static QCoreApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QFile file(lessonPath());
  check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  check(file.write(bytes) == bytes.size());
  file.close();

  testing_support::HeadlessCast headless;
  character::Engine& engine = headless.engine;
  stage::Cast& cast = headless.cast;
  cast.request(stage::Role::Host) = cast[stage::Role::Host].Think(QStringLiteral(" 好"));
  int speeches = 0;
  engine.setCallObserver([&](const character::CallRecord& call) {
    if (call.operation == QStringLiteral("Speak")) ++speeches;
  });

  platform::NumberedFiles files;
  PlainWindow window;
  lesson::LessonSession session(files);
  session.setLineCounter(-1);
  const lesson::LessonCheck found = lesson::checkLesson(lessonPath());
  try {
    session.open(lessonPath());
    check(!found.refused);
  } catch (const platform::FileError&) {
    check(found.refused && session.LineCounter() == -1);
    check(!files.isOpen(platform::NumberedFiles::kLessonFile));
    QFile::remove(lessonPath());
    return 0;
  }
  practice::ReadNextLine({session, window, cast, [](const QString&) { check(false); }});
  while (session.staging()) QCoreApplication::processEvents();
  if (found.format != lesson::LessonFormat::SentenceLines) {
    check(session.LineCounter() == found.stagedLines);
    check(files.isOpen(platform::NumberedFiles::kLessonFile) == found.stopLine.has_value());
    check(speeches == found.stagedLines + (found.stopLine ? 0 : 1));
    QFile::remove(lessonPath());
    return 0;
  }

  // What the reader should have done, from the decoder's own lines.
  const QStringList lines = platform::decodeLines(bytes);
  qsizetype taken = 0;
  int spoken = 0;
  bool halted = false;
  for (const QString& line : lines) {
    check(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
    ++taken;
    const auto parsed = lesson::parseLessonLine(line);
    if (!parsed) {
      halted = true;
      break;
    }
    if (!parsed->sentence.isEmpty()) ++spoken;
  }
  check(session.LineCounter() == taken);
  check(files.isOpen(platform::NumberedFiles::kLessonFile) == halted);
  check(speeches == spoken + (halted ? 0 : 1));
  QFile::remove(lessonPath());
  return 0;
}
