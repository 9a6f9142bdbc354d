// Addresses and modal groups in expressions: an attribute is read, or
// assigned with "=".
//
//   _x.val   _x.order = 3   _g.modal   _addr[uii].enable = 0   _sel.selstr[2]
//   mgmotion.val   mgmotion.modnum   mgmotion.modval[2] = 1   mgmodgrp[uii].val
#pragma once

#include "tornel/interp/interp.h"
#include "tornel/output/output_tables.h"

namespace tornel {

inline constexpr const char* kMsgInvalidAddressExpression = "Invalid addres expression in";
inline constexpr const char* kMsgInvalidAddressMember = "Invalid addres member in";
inline constexpr const char* kMsgNoSuffix =
    "Tried to assign suffix member of addres which has no suffix defined in";
inline constexpr const char* kMsgInvalidFromValue = "Invalid Addres from value in";
inline constexpr const char* kMsgInvalidDirect = "Invalid Addres direct value in";
inline constexpr const char* kMsgAssignSelNum =
    "Can't assign a value to number of Addres select strings in";
inline constexpr const char* kMsgSelectString = "Invalid acces of Addres select string in";
inline constexpr const char* kMsgGroupMember = "Invalid modal group member in";
inline constexpr const char* kMsgGroupExpression = "Invalid modal group expression in";
inline constexpr const char* kMsgGroupIndex = "Invalid mgModGrp index in";
inline constexpr const char* kMsgAssignModNum =
    "Can't assign a value to number of values in modal group in";

// The texts `.valstr` may set: a longer text is ignored.
inline constexpr size_t kValStrLimit = 128;

// The address that `_Addr[expr]` selects, the position standing at its
// "[": the index must be a number naming an address ("Invalid addres
// expression in").  Leaves the position after the "]".
int IndexedAddress(Interp& in, const AddressTable& addresses);

// The current token is an address (154) or modal group (155) reference;
// evaluates the attribute or its assignment and leaves the token after it
// current, like any primary.
double EvaluateOutputReference(Interp& in, OutputTables& output);

}  // namespace tornel
