// Tests that compile a post file from a string the way tornel does
// (CompilePost) and run its MAIN sections, then look at the value tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/test_dir.h"
#include "tornel/driver/run_context.h"

namespace tornel_test {

// Writes `post` as "p.tr" in the current directory (include files it names
// are written beforehand) and compiles it into `ctx`, which starts afresh.
void CompilePostText(tornel::RunContext& ctx, const std::string& post);

// Values of the post's variables (system variables included), by name;
// `element` counts from 1 in an array.
int32_t IntValue(tornel::RunContext& ctx, std::string_view name, int element = 1);
double RealValue(tornel::RunContext& ctx, std::string_view name, int element = 1);
const std::string& StrValue(tornel::RunContext& ctx, std::string_view name, int element = 1);
void SetInt(tornel::RunContext& ctx, std::string_view name, int32_t value);

class PostRun : public InTempDir {
 protected:
  void Compile(const std::string& post) { CompilePostText(ctx, post); }
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
  const std::string& Str(std::string_view name, int element = 1) {
    return StrValue(ctx, name, element);
  }

  tornel::RunContext ctx;
};

}  // namespace tornel_test
