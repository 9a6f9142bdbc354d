// Calling a built-in function.  The interpreter meets a class byte and a
// code byte in the program and hands them to its host, which calls the
// dispatcher of the class (program_args.h); the dispatcher sets the display
// name, fetches the arguments in order through BuiltinArgs (evaluated from
// the program text by the interpreter), computes, and returns the result.
//
//   interpreter: sees {136}{207}    ->  CallNumericBuiltin(ctx, 207, args)
//   dispatcher:  args.SetDisplayName("ROT360"); a = args.Number(1, 2);
//                acc = args.More() ? args.Number(2, 2) : srRotAccuracy;
//   interpreter: the ")" is the current token; it reads on from there.
//
// Every failure is a fatal report at the calling statement (diag.loc).
#pragma once

#include <string>
#include <string_view>

namespace tornel {

struct BuiltinContext;
struct AddressRecord;

// A code byte that its class doesn't have: the program text is corrupt.
inline constexpr const char* kMsgInvalidFunction = "Invalid function in";
// A function whose module isn't part of this build yet.
inline constexpr const char* kMsgNotAvailable =
    "Tornel internal error. %s function is not available yet in";

// How a built-in reaches its arguments.  The interpreter implements it over
// its token reader and evaluator, with the messages of argument fetching
// (they show the display name last set).
class BuiltinArgs {
 public:
  virtual ~BuiltinArgs() = default;

  // The function name that argument messages show from now on ("ROT360").
  virtual void SetDisplayName(std::string_view display) = 0;

  // Argument k (from 1) of a call that takes at most n arguments: k = 1
  // needs the "(" first, k > 1 the "," first; after argument n the ")" must
  // follow (a "," there: too many parameters) and stays the current token.
  // Number refuses a string, Text a number.
  virtual double Number(int k, int n) = 0;
  virtual std::string Text(int k, int n) = 0;

  // After the arguments read so far, when the ones that follow are
  // optional: true when a "," stands there (read the next argument), false
  // when the ")" does (the call ends; it stays the current token).
  // Anything else is refused as a missing right parenthesis.
  virtual bool More() = 0;

  // Argument k of n, a STRING variable that the function changes: its
  // string table index.  A quoted text is refused.
  virtual int StringVariable(int k, int n) = 0;

  // Argument k of n of either type: true for a number (in `number`),
  // false for a string (in `text`).
  virtual bool Any(int k, int n, double& number, std::string& text) = 0;

  // Argument k of n, a REAL variable that the function changes (or reads
  // as the first of consecutive slots): its real table index.
  virtual int RealVariable(int k, int n) = 0;

  // Argument k of n, an INTEGER or REAL variable that the function sets.
  struct NumericVar {
    bool integer = false;
    int index = 0;
  };
  virtual NumericVar NumericVariable(int k, int n) = 0;

  // Argument k of n, the variable a dialog procedure binds (an INTEGER or
  // REAL one, or with `string` a STRING one), with the mark after it:
  // '!' (kept as a saved setting too), '?' (never remembered) or 0.
  struct BoundVar {
    char type = 0;  // kTokIntVar, kTokRealVar or kTokStringRef
    int index = 0;
    char mark = 0;
  };
  enum class Bind { kNumeric, kString, kAny };
  virtual BoundVar BoundVariable(int k, int n, Bind kind) = 0;

  // Whether argument 1, after the "(", is an INTEGER or REAL variable
  // (the call is not read).
  virtual bool NextIsNumericVariable() = 0;

  // Argument k of n, a function of the post file without parameters and
  // result, named without parentheses: its label.
  virtual int VoidFunction(int k, int n) = 0;

  // A call that takes no arguments: "()" is read when it follows.
  virtual void NoArguments() = 0;

  // For a call whose only argument is optional: true when one follows
  // (read it as argument 1 of 1); false for the bare name or "()", which
  // is then read.
  virtual bool HasArgument() = 0;

  // StrWri's first argument, which is no expression: read from the program
  // text right behind "(", either "{" address "}" (that address's record)
  // or a number format written in place, parsed into `scratch`.  The ","
  // after it is then current.
  virtual const AddressRecord& NumberFormat(AddressRecord& scratch) = 0;
};

// The four dispatchers, by class byte.  `code` is the byte after the class
// byte; the post file's own functions never reach here.
double CallNumericBuiltin(BuiltinContext& ctx, int code, BuiltinArgs& args);       // 136
std::string CallStringBuiltin(BuiltinContext& ctx, int code, BuiltinArgs& args);   // 137
void CallProcedureBuiltin(BuiltinContext& ctx, int code, BuiltinArgs& args);       // 138
void CallDialogBuiltin(BuiltinContext& ctx, int code, BuiltinArgs& args);          // 139

}  // namespace tornel
