// The dispatcher side of the string built-ins: fetching the arguments of
// each call in order and storing what the functions change.
#pragma once

#include <string>

#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/builtins/builtin_table.h"

namespace tornel {

struct BuiltinContext;
struct AddressRecord;
struct NumberSwitches;

// StrWri: x written by an address's number format with its metric digit
// counts, without the address's letter, prefix or suffix.
void WriteNumber(const AddressRecord& format, double x, const NumberSwitches& sw, std::string& out);

// A class 136 function owned by the string library (AscVal ... SeqGet).
double CallStringNumeric(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args);

// A class 137 function (StrCopy ... StrDate).
std::string CallStringFunction(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args);

}  // namespace tornel
