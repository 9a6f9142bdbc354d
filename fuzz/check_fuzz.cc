// Fuzz target for tornel-dev check and dump: any bytes are a post file,
// compiled from memory; when it compiles, every warning finder and the
// program dump read the result back.  A fatal report is an ordinary end;
// anything the sanitizers see or an escaping exception is a finding.
// Every include file the post names reads as the post's own text.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   cmake --build build-fuzz --target check_fuzz
//   mkdir -p build-fuzz/check_fuzz-corpus
//   build-fuzz/check_fuzz -max_total_time=30 -max_len=16384 build-fuzz/check_fuzz-corpus examples/posts
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tornel/base/source_files.h"
#include "tornel/compiler/program_dump.h"
#include "tornel/dev/check_report.h"
#include "tornel/dev/post_compile.h"

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SelfIncluding sources(std::string(reinterpret_cast<const char*>(data), size));
  auto run = std::make_unique<tornel::RunState>();
  bool compiled = tornel::dev::CompilePostFile(sources, "p.tr", *run);
  size_t warnings = 0;
  std::string report = tornel::dev::CheckReport(*run, compiled, warnings);
  if (compiled) report += tornel::DumpProgram(run->diag, run->program);
  return report.empty() ? 1 : 0;
}
