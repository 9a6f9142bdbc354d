// The warnings of tornel-dev check: what compiles but will not do what the
// post writer meant.  Each finder looks at a post compiled without error
// (RunState after CompilePostLines) and gives its warnings in program or
// text order.
#pragma once

#include <string>
#include <vector>

#include "tornel/driver/run_state.h"
#include "tornel/dev/program_scan.h"

namespace tornel::dev {

struct Warning {
  Location loc;
  std::string text;
};

// What the finders share: the program's records and the normalised text.
struct CheckInput {
  const RunState& run;
  std::vector<ProgramRecord> records;
  std::vector<SourceStatement> source;
};
CheckInput ReadCompiledPost(const RunState& run);

// Functions that never run: a second definition that the first one
// shadows, a post function that tornel only calls in place of others when
// all of those are defined, a user function nothing calls, an OnAddr or
// OnAddrOut function of an address that no output statement writes.
std::vector<Warning> UncallableFunctions(const CheckInput& in);

// Addresses of the ADDRESS blocks that no output statement (nor the
// sequence numbering, nor a direct= of a written address) ever writes.
std::vector<Warning> UnwrittenAddresses(const CheckInput& in);

// Names the compiler did not know, left in the program as plain text: they
// stop the run when their line is reached.  A name with a system variable
// prefix (si, sr, ss), or close to a variable name, gets "did you mean".
std::vector<Warning> UnknownNames(const CheckInput& in);

// The addresses (by index) that some output statement writes; `dynamic`
// is set when one chooses its address by number at run time (_Addr[...]).
std::vector<bool> WrittenAddresses(const CheckInput& in, bool& dynamic);

// The number of edits (insert, delete, replace one character, any case)
// that make `a` into `b`, or `limit` + 1 when it takes more.
int EditDistance(std::string_view a, std::string_view b, int limit);

}  // namespace tornel::dev
