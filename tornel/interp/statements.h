// The statement loop (Proc in the program's own messages), the MAIN
// sections, and the entry operation by which the run driver, the CL
// processing and the output formatting run an event function.
#pragma once

#include <cstddef>

#include "tornel/compiler/tokens.h"
#include "tornel/interp/interp.h"
#include "tornel/interp/token_reader.h"

namespace tornel {

inline constexpr const char* kMsgIllegalTokenType = "Tornel internal error. Illegal TokenType in Proc.";
inline constexpr const char* kMsgIndexOutOfRange = "Tornel internal error. i Index out of range";
inline constexpr const char* kMsgMainNotFound = "Tornel internal error. MAIN not found in InitInstance.";

// What stopped the statement loop besides END FUNC, RETURN and END MAIN.
inline constexpr unsigned char kStopProgramEnd = 0;

// Runs records from the position, which stands at a record's start, until
// END FUNC, RETURN or END MAIN (left as the current token; its byte is
// returned) or the end of the program (kStopProgramEnd).
unsigned char RunStatements(Interp& in);

// Reads the location prefix "file,line" kTokLocation at a record's start
// into the current location (inline: every record starts with one).
inline void ReadLocation(Interp& in) {
  Location loc;
  loc.file = ReadDecimal(in);
  if (in.bytes[in.st.pos] != ',') FatalPlain(in.diag, kMsgIllegalTokenType, true);
  ++in.st.pos;
  loc.line = ReadDecimal(in);
  if (in.bytes[in.st.pos] != kTokLocation) FatalPlain(in.diag, kMsgIllegalTokenType, true);
  ++in.st.pos;
  in.diag.loc = loc;
}

// Runs every MAIN section, the last in the program first: the include
// files' sections before the post file's.
void RunMain(Interp& in);

// Runs the function at `label` from its first record to its END FUNC or
// first RETURN, without parameters, clearing no locals and evaluating no
// return value; the interpreter's position and current statement are the
// same afterwards.
void RunAtLabel(Interp& in, int label);

// The position of a label ("Tornel internal error. i Index out of range"
// for a label that no record follows).
size_t LabelPosition(Interp& in, int label);

}  // namespace tornel
