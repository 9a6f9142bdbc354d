// The NC output's hot path: forming address words (scaling, number text,
// modal comparison, modal groups, format), and whole output statements
// through the ring into the NC file.  Reports words per second and the heap
// allocations per word once warmed up (expected: 0).
//
//   cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTORNEL_TESTS=OFF
//   cmake --build build-bench --target tornel_bench
//   build-bench/tornel_bench --benchmark_filter=Output
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>

#include "tornel/base/source_files.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/driver/run.h"
#include "tornel/driver/run_host.h"
#include "tornel/interp/statements.h"
#include "tornel/output/address_word.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/nc_file.h"
#include "tornel/sysvars/defaults.h"
#include "tornel/sysvars/registry.h"

namespace {
std::atomic<long long> g_allocations{0};
}

// Counts every heap allocation of the process.  The replacements pair
// malloc with free, which the compiler can't see through.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kStatements = 100000;
constexpr int kWordsPerStatement = 5;

const char* const kPost = R"(main
  variable
    uiI
    urX
  end
  addres
    _n 'N' >5
    _g 'G' 2 nomodal
    _x 'X' +4.3 modal
    _y 'Y' +4.3 modal
    _z 'Z' -_4.3< modal
    _f 'F' >5.1< modal
  end addres
  modalgroup
    mgmotion _g 0 1 2 3
  end modalgroup
  seqnums: yes _n 10 5 0
end main
func progstart
  for (uiI = 1 to 100000)
    urX = uiI * 0.001
    o: _g(1) _x(urX) _y(-urX) _z(urX * 2) _f(100 + uiI)
  end
end func
)";

// Compiles kPost in a scratch directory and opens the NC file there; the
// directory stays the current one while the benchmark runs.
struct BenchRun {
  BenchRun() {
    namespace fs = std::filesystem;
    dir = fs::temp_directory_path() / "tornel-output-bench";
    fs::create_directories(dir);
    previous = fs::current_path();
    fs::current_path(dir);
    sources.Add("bench.tr", kPost);
    ctx.files.post_file = "bench.tr";
    ctx.diag.post_file = "bench.tr";
    tornel::ClearPostFunctions(ctx.post_functions);
    tornel::RegisterSystemVariables(ctx.variables);
    tornel::CompilePostLines(ctx, sources, tornel::ReadSourceLines(ctx.diag, sources, "bench.tr"));
    tornel::ApplyDefaults(ctx.values, true, false);
    tornel::OpenNcFile(ctx.diag, ctx.output, "bench.nc");
    host = std::make_unique<tornel::RunHost>(ctx);
    tornel::RunMain(host->interp());
  }
  ~BenchRun() {
    host.reset();
    tornel::CloseNcFile(ctx.output);
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
  }

  std::filesystem::path dir, previous;
  tornel::MemorySources sources;
  tornel::RunState ctx;
  std::unique_ptr<tornel::RunHost> host;
};

void BM_OutputFormAddressWord(benchmark::State& state) {
  BenchRun run;
  std::string text;
  int x = 3;  // _x: modal, +4.3
  double value = 0;
  for (int i = 0; i < 1000; ++i) tornel::FormAddressWord(run.host->output(), x, value += 0.001, {}, false, text);
  long long before = g_allocations.load();
  for (auto _ : state) {
    int address = x;
    value += 0.001;
    benchmark::DoNotOptimize(tornel::FormAddressWord(run.host->output(), address, value, {}, false, text));
  }
  state.counters["words_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["allocs_per_word"] =
      static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OutputFormAddressWord);

void BM_OutputStatements(benchmark::State& state) {
  BenchRun run;
  int progstart = tornel::PostFunctionNumber("ProgStart");
  tornel::PostCalls& calls = run.host->calls();
  tornel::RunPostFunction(calls, progstart);  // warm up
  long long before = g_allocations.load();
  for (auto _ : state) tornel::RunPostFunction(calls, progstart);
  tornel::FlushLines(run.host->output());
  double words = static_cast<double>(state.iterations()) * kStatements * kWordsPerStatement;
  state.counters["words_per_s"] = benchmark::Counter(words, benchmark::Counter::kIsRate);
  state.counters["allocs_per_word"] = static_cast<double>(g_allocations.load() - before) / words;
}
BENCHMARK(BM_OutputStatements)->Unit(benchmark::kMillisecond);

}  // namespace
