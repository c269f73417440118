// Reading and staging whole lessons: the "文" command after its dialog, on a cast of test
// characters and the real sentence window, beside the decoding of the same file alone.
// Counters: lines per second, and the heap each staged line keeps (the engine's queued actions).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/lesson_reading.h"
#include "character/agent.h"
#include "character/engine.h"
#include "character/speech.h"
#include "lesson/lesson_session.h"
#include "lesson/sentence_window.h"
#include "platform/text_decoder.h"
#include "support/test_character.h"

namespace {

// A lesson of `lines` everyday sentence lines in code page 936 with CR LF.
QString writeLesson(const QTemporaryDir& dir, int lines) {
  const QString path = dir.filePath(QStringLiteral("lesson_%1.txt").arg(lines));
  QFile file(path);
  if (!file.exists()) {
    file.open(QIODevice::WriteOnly);
    const QByteArray line =
        "[00:01.00]How are you today?~\xC4\xE3\xBD\xF1\xCC\xEC\xBA\xC3\xC2\xF0\xA3\xBF\r\n";
    QByteArray bytes;
    bytes.reserve(line.size() * lines);
    for (int i = 0; i < lines; ++i) bytes += line;
    file.write(bytes);
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

void BM_DecodeLesson(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const QString path = writeLesson(lessonFolder(), lines);
  for (auto _ : state) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    benchmark::DoNotOptimize(platform::decodeLines(file.readAll()));
  }
  state.counters["lines/s"] =
      benchmark::Counter(double(lines) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_StageLesson(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const QString path = writeLesson(lessonFolder(), lines);
  lesson::SentenceWindow window;
  double bytesPerLine = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto clock = std::make_unique<character::VirtualClock>();
    auto presenter = std::make_unique<character::NullPresenter>();
    auto speech = std::make_unique<character::TimedSpeech>();
    auto engine = std::make_unique<character::Engine>(*clock, *presenter, *speech);
    std::vector<std::unique_ptr<character::Character>> characters;
    stage::Cast cast;
    for (auto [role, id] : {std::pair{stage::Role::Boy, "boy"},
                            {stage::Role::Girl, "girl"},
                            {stage::Role::Host, "vemo"}}) {
      characters.push_back(std::make_unique<character::Character>(
          *engine, engine->addCharacter(testing_support::makeTestCharacter(id))));
      cast.setCharacter(role, characters.back().get());
    }
    cast.request(stage::Role::Host) = cast[stage::Role::Host].Think(QStringLiteral(" 好"));
    platform::NumberedFiles files;
    lesson::LessonSession session(files);
    const app::LessonReading reading{session, window, cast};
    const std::size_t heapBefore = heapInUse();
    state.ResumeTiming();

    session.open(path);
    app::ReadNextLine(reading);

    state.PauseTiming();
    bytesPerLine = double(heapInUse() - heapBefore) / lines;
    characters.clear();
    engine.reset();
    state.ResumeTiming();
  }
  state.counters["lines/s"] =
      benchmark::Counter(double(lines) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["heap bytes/line"] = bytesPerLine;
}

BENCHMARK(BM_DecodeLesson)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageLesson)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageLesson)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
