// Forming an address word: the value is scaled, made incremental or
// relative where the address says so, turned into its number text, checked
// against the remembered text (modal addresses) and the modal groups, and
// laid out with prefix, format and suffix.
#pragma once

#include <string>

namespace tornel {

struct AddressTable;
struct OutputContext;
struct ValueTables;

// A value that no NC word can show (an infinity or not a number).
inline constexpr const char* kMsgAddressOutOfRange =
    "Can't output a number out of range via address output in";

// The modifier written right after the "(" of an address word.
enum class WordModifier : char {
  kNone = 0,
  kModal = '?',   // modal (unless force), zero increments suppressed
  kForce = '!',   // not modal, forced through the modal groups, zero increments written
  kForget = '\\', // forget the remembered text; no modal or incremental treatment
  kPlain = '/',   // no modal or incremental treatment
};

// Forms the word of `address` (replaced by its redirection target, if any)
// for `value`.  `forget` is the "!" before ")": the word forgets its value
// afterwards.  True when the word is to be written; its text is then in
// `text` (else `text` is left alone).  A value that is not finite once
// scaled stops the run.
bool FormAddressWord(OutputContext& ctx, int& address, double value, WordModifier modifier,
                     bool forget, std::string& text);

// Whether a word of `address` asks for a blank before it (space field, or
// siSpaces for 2).
bool AddressBlank(const AddressTable& addresses, const ValueTables& values, int address);

}  // namespace tornel
