// The interpreter's hot loop: a post whose MAIN runs a million turns of
// arithmetic, string and array work, compiled once and run per iteration.
//
//   cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTORNEL_TESTS=OFF
//   cmake --build build-bench --target tornel_bench && build-bench/tornel_bench
#include <benchmark/benchmark.h>

#include <string>

#include "tornel/base/source_files.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/driver/run.h"
#include "tornel/driver/run_host.h"
#include "tornel/sysvars/registry.h"

namespace {

constexpr int kTurns = 1000000;

const char* const kPost = R"(main
  variable
    uiI
    uiK
    urSum
    usText
    uiArr[10]
    uiHits
  end
  urSum = 0
  uiK = 0
  usText = ''
  for (uiI = 1 to 1000000)
    urSum = urSum + uiI * 0.5 - (uiI - 1) / 4
    uiK = uiK + 1
    if (uiK > 10)
      uiK = 1
      usText = ''
    end
    uiArr[uiK] = uiArr[uiK] + uiI
    usText = usText + 'ab'
    if (usText = 'abab' and uiArr[uiK] >= 2)
      uiHits = uiHits + 1
    end
  end
end main
)";

// Compiles kPost the way tornel does, from memory.
void CompileBenchPost(tornel::RunState& ctx, tornel::MemorySources& sources) {
  sources.Add("bench.tr", kPost);
  ctx.files.post_file = "bench.tr";
  ctx.diag.post_file = "bench.tr";
  tornel::ClearPostFunctions(ctx.post_functions);
  tornel::RegisterSystemVariables(ctx.variables);
  tornel::CompilePostLines(ctx, sources, tornel::ReadSourceLines(ctx.diag, sources, "bench.tr"));
}

void BM_MainMillionTurns(benchmark::State& state) {
  tornel::MemorySources sources;
  tornel::RunState ctx;
  CompileBenchPost(ctx, sources);
  for (auto _ : state) {
    tornel::RunMainSections(ctx);
    benchmark::DoNotOptimize(ctx.values.reals.data());
  }
  // Seconds per 1e-9 turns: nanoseconds per turn of the loop.
  state.counters["ns_per_turn"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kTurns * 1e-9,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MainMillionTurns)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
