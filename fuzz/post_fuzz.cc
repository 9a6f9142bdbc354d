// Fuzz target for the post compiler and the interpreter: any bytes are a
// post file, compiled from memory and run as a run does it: MAIN, then both
// passes over a small fixed APT-CL file (tool changes, rapid, linear and
// arc motion, comments), then the flush of the NC lines.  A fatal report
// (RunEnded) is an ordinary end; anything the sanitizers see, an escaping
// exception or a hang is a finding.
//
// Every include file the post names reads as the post's own text, so that
// include lists and file numbers are exercised too.  The compiler writes
// nothing to disk; the CL passes work in a scratch folder of their own (the
// copy "TorApt.tmp"), and the NC lines go to /dev/null.  The NC file is not
// finished or delivered: a post chooses where that goes.  A post may loop
// for ever, as a real one may: the pump budget ends it.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   cmake --build build-fuzz --target post_fuzz
//   mkdir -p build-fuzz/post_fuzz-corpus
//   build-fuzz/post_fuzz -max_total_time=60 -max_len=16384 -close_fd_mask=2 \
//       build-fuzz/post_fuzz-corpus examples/posts
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "tornel/base/source_files.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/driver/run.h"
#include "tornel/driver/run_host.h"
#include "tornel/output/line_ring.h"
#include "tornel/sysvars/registry.h"

namespace {

// This many looks at the window messages end a post's run: one per CL
// line read and NC line written, one per 100000 tokens, so a post that
// loops for ever ends after at most 20 million tokens (a second or two).
constexpr long kPumpBudget = 200;

// The post file and every include file it names: the same text.
class SelfIncluding final : public tornel::SourceFiles {
 public:
  explicit SelfIncluding(std::string text) : text_(std::move(text)) {}
  bool Exists(const std::string&) const override { return true; }
  std::vector<std::string> Lines(tornel::Diagnostics&, const std::string&) const override {
    return tornel::SplitTextLines(text_);
  }

 private:
  std::string text_;
};

constexpr const char* kClText =
    "PARTNO/FUZZ\n"
    "UNITS/MM\n"
    "LOADTL/1,LENGTH,50.0\n"
    "SPINDL/RPM,3000,CLW\n"
    "COOLNT/ON\n"
    "PPRINT FIRST TOOL\n"
    "RAPID\n"
    "GOTO/0.0,0.0,5.0\n"
    "FEDRAT/MMPM,300.0\n"
    "GOTO/10.0,0.0,-2.0\n"
    "CIRCLE/10.0,10.0,-2.0,0.0,0.0,1.0,10.0,0.01,0.5,6.0,0.0\n"
    "GOTO/20.0,10.0,-2.0\n"
    "LOADTL/2\n"
    "GOTO/5.0,5.0,5.0\n"
    "COOLNT/OFF\n"
    "END\n"
    "FINI\n";

std::FILE* NullFile() {
  static std::FILE* f = std::fopen("/dev/null", "wb");
  if (!f) std::abort();
  return f;
}

void RunPost(tornel::RunState& run, const SelfIncluding& sources) {
  run.files.post_file = "p.tr";
  run.diag.post_file = "p.tr";
  run.diag.sources = &sources;
  run.diag.pump_budget = kPumpBudget;
  run.output.nc = NullFile();
  tornel::ClearPostFunctions(run.post_functions);
  tornel::RegisterSystemVariables(run.variables);
  run.files.apt_path = "part.cl";
  run.files.nc_path = run.files.full_nc_path = "part.nc";
  tornel::CompilePostLines(run, sources, tornel::ReadSourceLines(run.diag, sources, "p.tr"));
  tornel::RunFirstPass(run);
  tornel::RunSecondPass(run);
  tornel::FlushLines(tornel::RunHost(run).output());
}

}  // namespace

// The fuzzer's own paths (corpus folders, inputs, artifact prefix) made
// absolute, before the process moves into its scratch folder.
void AbsolutePaths(int* argc, char*** argv) {
  static std::vector<std::string> kept;
  kept.reserve(static_cast<size_t>(*argc));
  for (int i = 1; i < *argc; ++i) {
    std::string arg = (*argv)[i];
    size_t value = 0;
    for (const char* option : {"-artifact_prefix=", "-exact_artifact_path=", "-dict="})
      if (arg.rfind(option, 0) == 0) value = std::string(option).size();
    if (arg.empty() || (arg[0] == '-' && value == 0)) continue;
    std::string path = arg.substr(value);
    bool prefix = path.empty() || path.back() == '/';
    std::string absolute = std::filesystem::absolute(path).string();
    if (prefix && !absolute.empty() && absolute.back() != '/') absolute += '/';
    kept.push_back(arg.substr(0, value) + absolute);
    (*argv)[i] = kept.back().data();
  }
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  AbsolutePaths(argc, argv);
  // A scratch folder of the process's own for the CL passes, removed when
  // the fuzzer exits.
  static const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                           ("tornel-post-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  });
  std::FILE* cl = std::fopen("part.cl", "wb");
  if (!cl || std::fputs(kClText, cl) < 0 || std::fclose(cl) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SelfIncluding sources(std::string(reinterpret_cast<const char*>(data), size));
  tornel::RunState run;
  try {
    RunPost(run, sources);
  } catch (const tornel::RunEnded&) {
    // A report, or the budget used up: an ordinary end of a run.
  }
  run.output.nc = nullptr;  // /dev/null stays open for the next input
  return 0;
}
