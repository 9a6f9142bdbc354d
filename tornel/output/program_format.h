// A number format read from the program text itself, where a "%" number
// word or StrWri's first argument stands: either "{" address "}", which
// borrows that address's format, or a format written in place (as in an
// ADDRESS definition: "+4.3", "->4.3<").
//
//   o: %{_x}(urA)   o: %+4.3(urA)   StrWri({_x}, urA)   StrWri(+4.3, urA)
//   StrWri({_Addr[uiN]}, urA)
#pragma once

#include "tornel/interp/interp.h"
#include "tornel/output/address_table.h"

namespace tornel {

// The messages of a malformed "{" address "}" (each ends in "in"; "%%"
// stands for "%"), and whether the address may be selected by number.
struct ProgramFormatMessages {
  const char* address_missing;  // no address token, or no such address
  const char* brace_missing;    // no "}" after the address
  bool indexed = false;         // "{" _Addr[expr] "}" is allowed (StrWri)
};

// Reads the format at the interpreter's position (right behind "%" or
// "(") and moves past it.  An indexed address ("{_Addr[uiN]}", where
// `messages.indexed` allows it) is checked as in an output statement.  A format written in place is parsed into
// `in_place`, whose other fields the caller has prepared.  Gives the
// format to use: the address's record or `in_place`.
const AddressRecord& ReadProgramFormat(Interp& in, AddressTable& addresses,
                                       AddressRecord& in_place,
                                       const ProgramFormatMessages& messages);

}  // namespace tornel
