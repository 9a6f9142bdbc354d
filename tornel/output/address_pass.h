// The address pass.  ADDRESS blocks (inside MAIN or a function, like all
// code) declare the NC words:
//
//   addres
//     _n 'N' 4 nospace
//     _x 'X' +4.3 modal from=_xorg scale=2 trans=-1 order=2
//     _f 'F' >4.1< 'mm' force
//     _cool 'M' select strings='9''8''7'
//   end addres
//
// A definition is the name, the prefix literal, a number format (or
// `select`), an optional suffix literal and options.  The pass fills the
// address table, replaces every address name in the whole text by its
// reference (kTokAddress and the index), binds the OnAddr and OnAddrOut
// functions to their addresses, turns the attribute names (.val, .order
// ...) into their tokens and takes the blocks out of the text.
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/function_table.h"
#include "tornel/output/address_table.h"
#include "tornel/output/trigger_table.h"

namespace tornel {

inline constexpr const char* kMsgInvalidEndStatement = "Invalid END statement in";
inline constexpr const char* kMsgAddressUnderscore =
    "Address name must start with underscore _ in address definition";
inline constexpr const char* kMsgAddressInUse =
    "Address name %s already in use. Use another name for address in";
inline constexpr const char* kMsgUndefinedOnAddr =
    "Undefined address in OnAddr/OnAddrOut-function definition in";
inline constexpr const char* kMsgPrefixMissing = "Prefix string missing from address definition";
inline constexpr const char* kMsgFromUndefined =
    "Undefined address in FROM setting of address definition";
inline constexpr const char* kMsgInvalidFromSetting = "Invalid FROM setting in address definition";
inline constexpr const char* kMsgInvalidScale = "Invalid SCALE setting in address definition";
inline constexpr const char* kMsgInvalidTrans = "Invalid TRANS setting in address definition";
inline constexpr const char* kMsgInvalidOrder = "Invalid ORDER setting in address definition";
inline constexpr const char* kMsgInvalidStrings = "Invalid STRINGS setting in address definition";
inline constexpr const char* kMsgUnrecognizedSymbol = "Unrecognized symbol %s in address definition";

// Lines in and out are location-prefixed records and label lines.  An
// address name declared again in a later source file keeps its first
// definition; the later line is checked and otherwise ignored.
std::vector<std::string> AddressPass(Diagnostics& diag, const FunctionTables& functions,
                                     AddressTable& addresses, TriggerTable& triggers,
                                     const std::vector<std::string>& lines);

// Reads a decimal number (digits and at most one point, an optional sign
// first) at `pos`; false when there is none.
bool ReadDefinitionNumber(std::string_view text, size_t& pos, double& value);

}  // namespace tornel
