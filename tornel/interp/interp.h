// The interpreter runs the loaded program straight from its bytes: a token
// reader takes the token at a moving position, a recursive-descent
// evaluator computes each expression from that stream every time it runs,
// and the statement loop executes one record after another.  There is no
// call stack: a function's locals are fixed slots of the value tables.
//
// InterpState is the evaluator's state, kept for the whole run (the run
// driver owns it).  Interp is a view that the run driver, the CL
// processing and the output formatting build over the run's tables to run
// something; building one costs a few pointer copies.  What the
// interpreter cannot run itself (output statements, address references,
// built-ins) goes to its host (interp_host.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/function_table.h"
#include "tornel/compiler/loader.h"
#include "tornel/interp/interp_host.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

// Token classes.
inline constexpr unsigned char kClassPlain = 0;
inline constexpr unsigned char kClassString = 2;     // string-valued: variables 132, 137, com
inline constexpr unsigned char kClassProcedure = 4;  // 138, 139: only first in a statement
inline constexpr unsigned char kClassControl = 5;    // 166 to 169: '=' reads as equality
inline constexpr unsigned char kClassOutput = 6;     // output statements 145 to 153

// Token codes that stand for no byte of their own; every other token's code
// is its byte.
inline constexpr unsigned char kCodeNumber = 0;  // a number; its value in InterpState::number
inline constexpr unsigned char kCodeEnd = 2;     // end of statement
inline constexpr unsigned char kCodeAssign = '=';

// The type of an expression's result.
inline constexpr unsigned char kTypeNumber = 0;
inline constexpr unsigned char kTypeString = 2;

struct Token {
  unsigned char code = kCodeEnd;
  unsigned char cls = kClassPlain;
};

// A variable element: its type byte (kTokIntVar, kTokRealVar, kTokStringRef)
// and table index, array element resolved.
struct VarRef {
  char type = 0;
  int index = 0;
};

// How many tokens are read between two looks at the window messages.
inline constexpr int kTokensPerPump = 100000;

// How deep function calls (user, post and event functions, however they
// are run), triggered output statements and the operands of expressions
// (parentheses, unary signs, function arguments) may nest, counted
// together.  Each level takes at most about 2 KB of stack on either target
// (measured: 0.4 KB for a call, 0.2 KB for parentheses, up to 1.8 KB for a
// nested string built-in in a release build), so the deepest nesting stays
// far inside the 1 MB stack of a Windows program's main thread, with room
// left for the fatal report's message box.
inline constexpr int kMaxNesting = 250;
inline constexpr const char* kMsgNestingTooDeep =
    "Function calls and expressions nested more than %d levels deep in";

// Where the reading stands: what a caller in the middle of a statement
// gets back after something else has run (an event function, a triggered
// statement).  Saved and restored as a whole, by assignment.
struct ReadingState {
  size_t pos = 0;                       // byte index into the program
  Token tok;                            // current token
  unsigned char first_class = kClassPlain;  // class of the statement's first token
  double number = 0;                    // last number read
  int var_index = 0;                    // last variable read: table index
  int var_count = 1;                    //   and element count (the size of an array)
  unsigned char type = kTypeNumber;     // result type of the last expression
  std::string_view func_name;           // display name for the argument messages
};

struct InterpState : ReadingState {
  std::string str;                      // string result register
  int token_count = 0;                  // tokens since the last pump
  int nesting = 0;                      // levels of NestingLevel now open
  // String table slots [literal_first, literal_end) hold the string
  // constants, which no "!" parameter may take.
  int literal_first = 0;
  int literal_end = 0;

  // Storage reused from call to call, so that nothing allocates once the
  // run has warmed up: the left string operands waiting for their right
  // side, and the argument values of user function calls.
  std::vector<std::string> scratch;
  size_t scratch_top = 0;
  std::vector<double> arg_numbers;
  std::vector<std::string> arg_strings;
  std::vector<VarRef> arg_refs;
  size_t arg_top = 0;
};

struct Interp {
  Interp(Diagnostics& d, const LoadedProgram& p, ValueTables& v, const FunctionTables& f,
         InterpState& s, InterpHost* h = nullptr)
      : diag(d),
        program(p),
        values(v),
        functions(f),
        st(s),
        host(h),
        bytes(p.bytes.c_str()),
        length(p.bytes.size()) {}

  Diagnostics& diag;
  const LoadedProgram& program;
  ValueTables& values;
  const FunctionTables& functions;
  InterpState& st;
  InterpHost* host;    // the layers above; null in a bare interpreter
  const char* bytes;   // program bytes; bytes[length] is the 0 that ends them
  size_t length;
};

// One level of nesting for as long as it lives; the level beyond
// kMaxNesting ends the run with kMsgNestingTooDeep at the current location
// instead of overflowing the stack.
class NestingLevel {
 public:
  explicit NestingLevel(Interp& in) : st_(in.st) {
    if (++st_.nesting > kMaxNesting) {
      --st_.nesting;
      FatalAt(in.diag, FormatMessage(kMsgNestingTooDeep, {std::to_string(kMaxNesting)}));
    }
  }
  ~NestingLevel() { --st_.nesting; }
  NestingLevel(const NestingLevel&) = delete;
  NestingLevel& operator=(const NestingLevel&) = delete;

 private:
  InterpState& st_;
};

// Keeps the reading state and the current location of an interpreter for
// as long as it lives, and puts them back when it ends, however it ends.
class SavedReading {
 public:
  explicit SavedReading(Interp& in) : in_(in), reading_(in.st), loc_(in.diag.loc) {}
  ~SavedReading() {
    static_cast<ReadingState&>(in_.st) = reading_;
    in_.diag.loc = loc_;
  }
  SavedReading(const SavedReading&) = delete;
  SavedReading& operator=(const SavedReading&) = delete;

 private:
  Interp& in_;
  ReadingState reading_;
  Location loc_;
};

}  // namespace tornel
