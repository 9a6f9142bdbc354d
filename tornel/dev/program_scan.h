// Reading a compiled program and the normalised post text back, for the
// checks of tornel-dev: its records with their locations, the function
// references and the names the compiler left as plain text.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/loader.h"

namespace tornel::dev {

struct ProgramRecord {
  size_t pos = 0;              // byte offset in the program (what labels hold)
  Location loc;                // 0:0 when the record carries no prefix
  std::string_view statement;  // without prefix and line end
};

// Every record in program order.  The views point into `program.bytes`.
std::vector<ProgramRecord> ProgramRecords(const LoadedProgram& program);

// The descriptor offsets that some record calls (user, post and event
// function references).
std::set<int> CalledDescriptors(const std::vector<ProgramRecord>& records);

// The plain-text names of a statement: runs of name characters that begin
// with no digit, outside the token bytes and the numbers that follow them.
// A compiled program holds no such name unless the compiler knew none by
// that spelling (a misspelt variable, an undefined constant ...).
std::vector<std::string> PlainNames(std::string_view statement);

// The post text as the compiler's first stage and keyword pass make it (every file, one
// statement per location-prefixed line, lower case, comments gone, string
// literals as references), read again from diag.sources.  Does not change
// `diag`; empty when the text can no longer be read.
struct SourceStatement {
  Location loc;
  std::string text;
};
std::vector<SourceStatement> NormalisedSource(const Diagnostics& diag, int first_literal);

// A lower-case name as line `loc` of its source file spells it; `lower`
// when the line can't say.  `diag` reads the file (its report goes nowhere).
std::string SpelledAsWritten(Diagnostics& diag, Location loc, const std::string& lower);

}  // namespace tornel::dev
