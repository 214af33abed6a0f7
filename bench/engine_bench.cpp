// The headless engine under random play: how many events (clicks that hit a
// control, ticks, closes) the form layer and the screens handle per second.
#include <benchmark/benchmark.h>

#include <string>

#include "random_play.h"

namespace {

void RandomPlay(benchmark::State& state) {
  bench::RandomPlay play(20240601);
  for (auto _ : state) play.play(1000);
  const bench::RandomPlay::Stats s = play.stats();
  state.SetItemsProcessed(static_cast<std::int64_t>(s.events));
  state.counters["inputs"] = benchmark::Counter(static_cast<double>(s.inputs), benchmark::Counter::kIsRate);
  state.counters["games"] = static_cast<double>(s.games);
  state.counters["errors"] = static_cast<double>(s.errors);
  state.counters["stuck"] = static_cast<double>(s.stuck);
  // Where the child spent the inputs, so that the figure is seen to cover
  // more than the intro.
  for (forms::FormId id : {forms::FormId::starter, forms::FormId::menu, forms::FormId::carder,
                           forms::FormId::patternform, forms::FormId::hit, forms::FormId::Form1}) {
    state.counters["on_" + std::string(forms::formName(id))] =
        static_cast<double>(s.inputsOn[static_cast<std::size_t>(id)]) / static_cast<double>(s.inputs);
  }
  if (!s.firstError.empty()) state.SetLabel("first error: " + s.firstError);
}
BENCHMARK(RandomPlay)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
