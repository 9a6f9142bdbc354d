// What the compiler records about the post file's functions for the run:
// one descriptor per function (user, post and event functions), the OnAPT
// table that the CL reader searches by command, and the OnAddr and OnAddrOut
// functions with the address each one hooks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

// Layout of a descriptor in the descriptor table.  A function reference in
// the program carries the descriptor's offset.
inline constexpr int kDescLabel = 0;        // the function's entry label
inline constexpr int kDescParamCount = 1;   // n; for OnAddr/OnAddrOut the FUNC line number
inline constexpr int kDescIntFirst = 2;     // integer locals: first index
inline constexpr int kDescIntEnd = 3;       //   and one past the last
inline constexpr int kDescRealFirst = 4;    // real locals
inline constexpr int kDescRealEnd = 5;
inline constexpr int kDescStringFirst = 6;  // string locals
inline constexpr int kDescStringEnd = 7;
inline constexpr int kDescParams = 8;       // then per parameter: kind byte, table index
inline constexpr int kDescParamSize = 2;

inline constexpr int DescriptorSize(int params) { return kDescParams + kDescParamSize * params; }

// The longest APT command an OnAPT function may name.
inline constexpr size_t kAptCommandLimit = 6;

struct OnAptEntry {
  int label = 0;
  std::string command;  // upper case
};

// An OnAddr or OnAddrOut function, for the address pass to bind.
struct AddressHook {
  bool out = false;     // OnAddrOut: runs only when the word is really written
  std::string address;  // the name between the brackets, as written ("_x")
  int descriptor = 0;   // offset of the function's descriptor
  Location loc;         // the FUNC statement
};

struct FunctionTables {
  // Descriptors one after the other; `descriptors.size()` is the capacity,
  // grown 2048 entries at a time, `descriptor_end` the next free offset.
  std::vector<int32_t> descriptors;
  int descriptor_end = 0;
  // The offset of every descriptor, ascending: the only offsets a function
  // reference may carry.
  std::vector<int32_t> offsets;
  // In definition order; the first entry of a command is the one that runs.
  std::vector<OnAptEntry> onapt;
  std::vector<AddressHook> address_hooks;
};

// Reserves room for a descriptor of `params` parameters and gives its offset.
int ReserveDescriptor(Diagnostics& diag, FunctionTables& tables, int params);

// Adds an OnAPT entry; `command` is upper case.
void AddOnApt(Diagnostics& diag, FunctionTables& tables, int label, std::string command);

}  // namespace tornel
