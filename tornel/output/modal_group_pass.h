// The modal group pass, after the address pass.  MODALGROUP blocks (inside
// MAIN or a function) declare groups of code values of one address:
//
//   modalgroup
//     mgmotion _g 0 1 2 3
//     mgplane _g 17 18 19
//   end modalgroup
//
// Each group becomes a trigger table entry with its values in the modal
// value array; every group name in the whole text becomes its reference
// (kTokModalGroup and the entry number), and ".modnum" and ".modval" their
// attribute tokens.  The blocks leave the text.
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/output/modal_groups.h"
#include "tornel/output/trigger_table.h"

namespace tornel {

inline constexpr const char* kMsgGroupNameMg = "ModalGroup name must start with mg in";
inline constexpr const char* kMsgGroupInUse =
    "ModalGroup name %s already in use. Use another name for Modal Group in";
inline constexpr const char* kMsgGroupUndefinedAddress = "Undefined Address in ModalGroup in";
inline constexpr const char* kMsgGroupAddressMissing = "Address missing from ModalGroup in";
inline constexpr const char* kMsgGroupInvalidValue = "Invalid modal value in ModalGroup in";
inline constexpr const char* kMsgGroupInvalidDefinition = "Invalid ModalGroup definition in";
inline constexpr const char* kMsgGroupTwoValues =
    "ModalGroup must have at least two different values in";

// Lines in and out are location-prefixed records and label lines.  A group
// name that an earlier source file defined keeps that definition: the later
// line is checked up to its address and otherwise ignored.
std::vector<std::string> ModalGroupPass(Diagnostics& diag, TriggerTable& triggers,
                                        ModalValues& modal, const std::vector<std::string>& lines);

}  // namespace tornel
