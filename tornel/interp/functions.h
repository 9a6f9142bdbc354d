// Calls of functions: the post file's own functions (with their parameters,
// return values and "!" parameters copied back) and the hand-over of
// built-in tokens to their dispatcher.
//
// A function's locals and parameters are static: fixed slots of the value
// tables, one set per function that every activation shares.  A call
// evaluates all its arguments first, then clears the locals and stores the
// parameters, so that a call inside another call's argument list (the same
// function's included) doesn't disturb arguments already evaluated.
#pragma once

#include "tornel/interp/interp.h"

namespace tornel {

inline constexpr const char* kMsgInvalidAssignation = "Invalid assignation in";
inline constexpr const char* kMsgReturnFromVoid = "Tried to return a value from USER VOID function in";
inline constexpr const char* kMsgReturnFromPost = "Tried to return a value from POST function in";
inline constexpr const char* kMsgNoValueReturned = "No value returned from %s function in";
inline constexpr const char* kMsgReturnedWrongType = "Returned wrong data type in";

// Display names of the post file's functions in the argument messages.
inline constexpr const char* kNameUserInt = "USER INT";
inline constexpr const char* kNameUserReal = "USER REAL";
inline constexpr const char* kNameUserString = "USER STR";
inline constexpr const char* kNameUserVoid = "USER VOID";
inline constexpr const char* kNamePostFunction = "Output";

// The current token is a function class (136 to 139) and its kind or code
// byte follows.  Calls the user function or the built-in it names; then
// sets the location, the statement's class and the display name back to the
// caller's, reads the token after the call and refuses "=" there.  Gives
// the numeric result; a string result is in the register and the result
// type is set by the class.
double CallFunctionToken(Interp& in);

// Argument k of n, a function of the post file that takes no parameters
// and gives no result, named without parentheses (a button's function):
// its label.  Anything else is "Parameter k must be USER VOID FUNC in %s
// function in".
inline constexpr const char* kMsgArgVoidFunction =
    "Parameter %d must be USER VOID FUNC in %s function in";
int FetchVoidFunction(Interp& in, int k, int n);

}  // namespace tornel
