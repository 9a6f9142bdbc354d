// The APT-access procedures that make records: AptCmd builds a record text
// from its arguments and processes it as if read from the APT-CL file;
// AptProc processes the current record again as the post left its words.
#pragma once

#include <string>

#include "tornel/builtins/builtin_context.h"
#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/builtins/builtin_table.h"

namespace tornel {

// The most arguments AptCmd takes: the major word and a record's words.
inline constexpr int kAptCmdArguments = 101;

// A number as AptCmd writes it: without decimals when whole, else with
// ceil(-log10(accuracy)) decimals (never fewer than 0).
std::string AptNumberText(double value, double accuracy);

// Appends one more part of a record text: "/" before the first after the
// major word (`first`), "," before the others, unless the text already
// ends in one of them.
void AppendAptPart(std::string& text, std::string_view part, bool first);

bool CallAptProcedure(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args);

}  // namespace tornel
