// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and staging whole lessons: the "文" command after its dialog, on a cast of test
// characters and the real sentence window, beside reading the lines of the same file alone.
// Every iteration starts from a heap handed back to the system, so lessons of every size are
// measured alike, from cold, as the program meets them.
// Counters: lines per second; for staging, the heap each line and each queued action keeps;
// resident memory at the end of an iteration.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <vector>

#include "lesson/lesson_session.h"
#include "lesson/sentence_window.h"
#include "platform/numbered_files.h"
#include "practice/lesson_reading.h"
#include "support/headless_cast.h"

namespace {

constexpr int kLesson = platform::NumberedFiles::kLessonFile;

// A lesson of `lines` everyday sentence lines in code page 936 with CR LF.
QString writeLesson(const QTemporaryDir& dir, int lines) {
  const QString path = dir.filePath(QStringLiteral("lesson_%1.txt").arg(lines));
  QFile file(path);
  if (!file.exists()) {
    file.open(QIODevice::WriteOnly);
    const QByteArray line =
        "[00:01.00]How are you today?~\xC4\xE3\xBD\xF1\xCC\xEC\xBA\xC3\xC2\xF0\xA3\xBF\r\n";
    for (int i = 0; i < lines; ++i) file.write(line);
  }
  return path;
}

const QTemporaryDir& lessonFolder() {
  static QTemporaryDir dir;
  return dir;
}

std::size_t heapInUse() {
  return mallinfo2().uordblks;
}

double residentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  double size = 0;
  double resident = 0;
  statm >> size >> resident;
  return resident * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

void setLineRate(benchmark::State& state, int lines) {
  state.counters["lines/s"] =
      benchmark::Counter(double(lines) * state.iterations(), benchmark::Counter::kIsRate);
}

// What the lesson reader does with the file alone: open it and take every line, decoded.
void BM_DecodeLesson(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const QString path = writeLesson(lessonFolder(), lines);
  double resident = 0;
  for (auto _ : state) {
    platform::NumberedFiles files;
    files.openForInput(kLesson, path);
    while (!files.atEnd(kLesson)) benchmark::DoNotOptimize(files.readLine(kLesson));
    state.PauseTiming();
    resident = residentMegabytes();
    files.closeAll();
    malloc_trim(0);
    state.ResumeTiming();
  }
  setLineRate(state, lines);
  state.counters["resident MB"] = resident;
}

void BM_StageLesson(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const QString path = writeLesson(lessonFolder(), lines);
  lesson::SentenceWindow window;
  double bytesPerLine = 0;
  double bytesPerAction = 0;
  double resident = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto stage = std::make_unique<testing_support::HeadlessCast>();
    stage->cast.request(::stage::Role::Host) =
        stage->cast[::stage::Role::Host].Think(QStringLiteral(" 好"));
    platform::NumberedFiles files;
    lesson::LessonSession session(files);
    const practice::LessonReading reading{session, window, stage->cast,
                                          [](const QString& message) { qWarning() << message; }};
    const std::size_t heapBefore = heapInUse();
    const std::size_t actionsBefore = stage->queuedActions();
    state.ResumeTiming();

    session.open(path);
    practice::ReadNextLine(reading);
    while (session.staging()) QCoreApplication::processEvents();

    state.PauseTiming();
    const double heap = double(heapInUse() - heapBefore);
    bytesPerLine = heap / lines;
    bytesPerAction = heap / double(stage->queuedActions() - actionsBefore);
    resident = residentMegabytes();
    stage.reset();
    malloc_trim(0);
    state.ResumeTiming();
  }
  setLineRate(state, lines);
  state.counters["heap bytes/line"] = bytesPerLine;
  state.counters["heap bytes/action"] = bytesPerAction;
  state.counters["resident MB"] = resident;
}

BENCHMARK(BM_DecodeLesson)->Arg(100'000)->Arg(1'000'000)->Arg(5'000'000)->Iterations(3);
BENCHMARK(BM_StageLesson)->Arg(100'000)->Arg(1'000'000)->Iterations(2);
BENCHMARK(BM_StageLesson)->Arg(5'000'000)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
