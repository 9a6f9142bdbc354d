// Tests that compile a post file from a string the way tornel does and run
// its MAIN sections, then look at the value tables.  The post file and its
// include files are texts in memory; running a post still works in its own
// temp directory (the temp files, the NC file, the APT-CL file).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tests/test_dir.h"
#include "tornel/base/source_files.h"
#include "tornel/driver/run_host.h"
#include "tornel/driver/run_state.h"

namespace tornel_test {

// Compiles `post` as "p.tr" into `run`, which starts afresh; include files
// come from `sources`, which then holds the post file too.
void CompilePostText(tornel::RunState& run, tornel::MemorySources& sources,
                     const std::string& post);

// Values of the post's variables (system variables included), by name;
// `element` counts from 1 in an array.
int32_t IntValue(tornel::RunState& ctx, std::string_view name, int element = 1);
double RealValue(tornel::RunState& ctx, std::string_view name, int element = 1);
const std::string& StrValue(tornel::RunState& ctx, std::string_view name, int element = 1);
void SetInt(tornel::RunState& ctx, std::string_view name, int32_t value);

class PostRun : public InTempDir {
 protected:
  // An include file the post may name.
  void AddSource(const std::string& name, const std::string& text) { sources.Add(name, text); }

  void Compile(const std::string& post);
  // Compiles and runs MAIN; a report fails the test.
  void Run(const std::string& post);
  // Compiles `post` and runs it over the APT-CL text `cl` ("part.cl") with
  // both passes, as tornel's run stages do.
  void RunPasses(const std::string& post, const std::string& cl);
  // The report that compiling and running MAIN ends with ("" and a test
  // failure when it ends normally).
  std::string ReportOf(const std::string& post);

  // A report at line `line` of the post file, quoting `text`.
  static std::string Report(const std::string& message, int line, const std::string& text);

  int32_t Int(std::string_view name, int element = 1) { return IntValue(ctx, name, element); }
  double Real(std::string_view name, int element = 1) { return RealValue(ctx, name, element); }
  // Elements 1 to `count` of an array of the post.
  std::vector<int32_t> Ints(std::string_view name, int count) {
    std::vector<int32_t> out;
    for (int i = 1; i <= count; ++i) out.push_back(Int(name, i));
    return out;
  }
  std::vector<double> Reals(std::string_view name, int count) {
    std::vector<double> out;
    for (int i = 1; i <= count; ++i) out.push_back(Real(name, i));
    return out;
  }
  const std::string& Str(std::string_view name, int element = 1) {
    return StrValue(ctx, name, element);
  }

  // The views of the run's layers over the compiled post.
  tornel::RunHost& Host();
  tornel::ClContext& Cl() { return Host().cl(); }
  tornel::OutputContext& Output() { return Host().output(); }
  tornel::PostCalls& Calls() { return Host().calls(); }

  tornel::RunState ctx;
  tornel::MemorySources sources;

 private:
  std::unique_ptr<tornel::RunHost> host_;
};

}  // namespace tornel_test
