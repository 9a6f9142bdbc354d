// What the interpreter hands up to the layers above it: output statements,
// address and modal group references in expressions, and the built-in
// functions.  Their code lives above the interpreter (the NC output, the
// built-in library), so the interpreter only knows this interface; the run
// driver implements it over the run's tables.  An interpreter without a
// host refuses these tokens as illegal.
#pragma once

namespace tornel {

struct Interp;

class InterpHost {
 public:
  virtual ~InterpHost() = default;

  // The current token is an output statement token (145 to 153): runs the
  // statement and leaves its end current.
  virtual void RunOutputStatement(Interp& in) = 0;

  // The current token is an address (154) or modal group (155) reference:
  // evaluates it (or its assignment) and leaves the token after it current.
  virtual double EvaluateOutputReference(Interp& in) = 0;

  // The built-in of class `cls` (136 to 139) whose code byte has just been
  // passed.  Returns with the call's ")" current (or, for a call without
  // arguments, the token before its first one); a class 137 function's text
  // is in the string register.  Gives the numeric result, 0 for the others.
  virtual double CallBuiltin(Interp& in, unsigned char cls, unsigned char code) = 0;
};

}  // namespace tornel
