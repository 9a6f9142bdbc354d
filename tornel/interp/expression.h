// The expression evaluator.  Two types: numbers (all arithmetic in doubles)
// and strings.  From the loosest binding:
//
//   and or                 one level, left to right, 1 or 0
//   < > = <> >= <=         one level, left to right, exact, 1 or 0
//   + -                    '+' also joins two strings
//   * /
//   primary                number, ( ), unary + -, variable [= expr],
//                          function call, address or modal group reference
//
// A number result is returned as a double; a string result is left in the
// string register (InterpState::str) with the result type kTypeString.
#pragma once

#include <cstdint>

#include "tornel/interp/interp.h"

namespace tornel {

inline constexpr const char* kMsgInvalidExpression = "Invalid expression in";
inline constexpr const char* kMsgCompareTypes = "Compare of different data types in";
inline constexpr const char* kMsgDifferentTypes = "Expression with different data types in";
inline constexpr const char* kMsgStringNotAllowed = "Expression not allowed with string in";
inline constexpr const char* kMsgDivisionByZero = "Division by zero in";
inline constexpr const char* kMsgAssignTypes = "Assign of different data types in";
inline constexpr const char* kMsgIndexMissing = "Index is missing from index variable in";
inline constexpr const char* kMsgLeftBracketMissing =
    "Left bracket [ is missing from index variable in";
inline constexpr const char* kMsgRightBracketMissing =
    "Right bracket ] is missing from index variable in";
inline constexpr const char* kMsgArrayIndex =
    "Invalid array variable index:\nIndex value must be from 1 to %d. There is index value %d in";
inline constexpr const char* kMsgIllegalToken = "Tornel internal error. Illegal Token in Post.";
// A procedure (class 138 or 139) anywhere but at the start of a statement.
inline constexpr const char* kMsgVoidInExpression = "Void type funtion can't be in expression in";

// A number as an integer variable holds it: truncated toward zero, and
// outside the 32-bit range its low 32 bits (what is left of the 64-bit
// integer part; 0 for values beyond that and for NaN).
int32_t TruncateToInt32(double value);

// Evaluates the expression whose first token is the current one; leaves
// the token after it current.
double EvaluateExpression(Interp& in);

// Reads the first token, then evaluates.
double Evaluate(Interp& in);

// After a variable token: applies the array index of an array (reading "["
// index "]"), and gives the element's table index.  The variable's last
// token (its "]" for an array) is left current.
int AccessVariable(Interp& in);

// The refusal of a token that nothing here can run (internal error).
[[noreturn]] void IllegalToken(Interp& in);

}  // namespace tornel
