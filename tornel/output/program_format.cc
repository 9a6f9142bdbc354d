#include "tornel/output/program_format.h"

#include <string_view>

#include "tornel/compiler/tokens.h"
#include "tornel/interp/token_reader.h"
#include "tornel/output/number_format.h"
#include "tornel/output/output_references.h"

namespace tornel {

const AddressRecord& ReadProgramFormat(Interp& in, AddressTable& addresses,
                                       AddressRecord& in_place,
                                       const ProgramFormatMessages& messages) {
  InterpState& s = in.st;
  if (in.bytes[s.pos] != '{') {
    std::string_view rest(in.bytes + s.pos, in.length - s.pos);
    size_t used = 0;
    if (const char* error = ParseNumberFormat(rest, used, in_place)) FatalAt(in.diag, error);
    s.pos += used;
    return in_place;
  }
  ++s.pos;
  if (in.bytes[s.pos] != kTokAddress) FatalAt(in.diag, FormatMessage(messages.address_missing, {}));
  ++s.pos;
  int address;
  if (messages.indexed && in.bytes[s.pos] == '[') {
    address = IndexedAddress(in, addresses);
  } else {
    address = ReadDecimal(in);
    if (address < 1 || address > AddressCount(addresses))
      FatalAt(in.diag, FormatMessage(messages.address_missing, {}));
  }
  if (in.bytes[s.pos] != '}') FatalAt(in.diag, messages.brace_missing);
  ++s.pos;
  return addresses.records[static_cast<size_t>(address)];
}

}  // namespace tornel
