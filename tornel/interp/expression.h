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
#include <string>

#include "tornel/compiler/final_pass.h"  // kMsgInvalidExpression
#include "tornel/interp/interp.h"

namespace tornel {

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

// A value used as an index, a count or an offset: its integer part,
// saturated to the 32-bit range (NaN gives 0), so that a range check
// refuses a large value instead of meeting its low 32 bits.
int32_t SaturateToInt32(double value);

// A condition's truth: its integer part is not zero (0.5, -0.9 and NaN
// are false; 4294967296 is true).
inline bool IsTrue(double value) { return value >= 1.0 || value <= -1.0; }

// The integer part of a value as decimal text, for messages that quote
// an index ("4294967297", "-1"; "nan").
std::string IntegerPartText(double value);

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
