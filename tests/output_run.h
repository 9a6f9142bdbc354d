// Tests of the NC output: a post text is compiled the way tornel compiles
// it, MAIN runs with the run-start defaults, then post functions run at
// their labels and the NC text they write is read back byte for byte.
#pragma once

#include <string>
#include <string_view>

#include "tests/fatal_report.h"
#include "tests/post_run.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/nc_file.h"
#include "tornel/sysvars/defaults.h"

namespace tornel_test {

class OutputRun : public PostRun {
 protected:
  // The addresses most tests use, in this order, then `more` (ADDRESS and
  // MODALGROUP blocks or other MAIN lines).
  static std::string Post(const std::string& main, const std::string& functions) {
    return "main\n" + main + "end main\n" + functions;
  }

  // Compiles, opens the NC output for "p.nc" (its work file beside it),
  // applies the defaults and runs MAIN.
  // A report fails the test.
  bool Start(const std::string& post) {
    try {
      Compile(post);
      tornel::ApplyDefaults(ctx.values, true, false);
      nc_written_ = tornel::OpenNcFile(ctx.diag, ctx.output, "p.nc");
      tornel::RunMainSections(ctx);
      return true;
    } catch (const tornel::RunEnded&) {
      ADD_FAILURE() << ctx.diag.last_error;
      return false;
    }
  }

  // Runs post function `name` (ProgStart, ToolChange ...); a report fails
  // the test.
  void Call(std::string_view name) {
    int number = tornel::PostFunctionNumber(name);
    ASSERT_TRUE(tornel::IsDefined(ctx.post_functions, number)) << name;
    try {
      tornel::RunPostFunction(ctx, number);
    } catch (const tornel::RunEnded&) {
      ADD_FAILURE() << ctx.diag.last_error;
    }
  }

  // The report that running post function `name` ends with.
  std::string ReportOfCall(std::string_view name) {
    int number = tornel::PostFunctionNumber(name);
    return tornel_test::ReportOf(ctx.diag, [&] { tornel::RunPostFunction(ctx, number); });
  }

  // What the NC file holds so far, the pending lines not written.
  std::string Written() {
    std::fflush(ctx.output.nc);
    return ReadFile(nc_written_);
  }

  // The NC file once every pending line is written.
  std::string Nc() {
    try {
      tornel::FlushLines(Output());
    } catch (const tornel::RunEnded&) {
      ADD_FAILURE() << ctx.diag.last_error;
    }
    tornel::CloseNcFile(ctx.output);
    return ReadFile(nc_written_);
  }

 private:
  std::string nc_written_;  // the file the NC lines go to
};

}  // namespace tornel_test
