// SPDX-License-Identifier: GPL-3.0-or-later
// How much queueing an action costs: time per call and heap bytes per queued action.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "character/engine.h"
#include "support/test_character.h"

namespace {

using namespace character;

constexpr int kActions = 1'000'000;

std::size_t heapInUse() { return mallinfo2().uordblks; }

// Queues a million actions round-robin over three characters, the mix a lesson produces.
void BM_QueueMillionActions(benchmark::State& state) {
  double bytesPerAction = 0;
  for (auto _ : state) {
    state.PauseTiming();
    VirtualClock clock;
    NullPresenter presenter;
    TimedSpeech speech;
    auto engine = std::make_unique<Engine>(clock, presenter, speech);
    CharacterState* cast[] = {&engine->addCharacter(testing_support::makeTestCharacter("boy")),
                              &engine->addCharacter(testing_support::makeTestCharacter("girl")),
                              &engine->addCharacter(testing_support::makeTestCharacter("vemo"))};
    const QString sentence = QStringLiteral("Good morning, how are you today?");
    Request last = engine->show(*cast[2]);
    const std::size_t before = heapInUse();
    state.ResumeTiming();
    for (int i = 0; i < kActions; ++i) {
      CharacterState& who = *cast[i % 3];
      switch (i % 4) {
        case 0:
          benchmark::DoNotOptimize(engine->moveTo(who, i % 640, 156));
          break;
        case 1:
          benchmark::DoNotOptimize(engine->play(who, QStringLiteral("Greet")));
          break;
        case 2:
          last = engine->think(who, sentence);
          break;
        default:
          benchmark::DoNotOptimize(engine->wait(who, last));
          break;
      }
    }
    state.PauseTiming();
    bytesPerAction = double(heapInUse() - before) / kActions;
    engine.reset();
    state.ResumeTiming();
  }
  state.counters["ns_per_call"] = benchmark::Counter(
      double(kActions) * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["bytes_per_action"] = bytesPerAction;
}
BENCHMARK(BM_QueueMillionActions)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
