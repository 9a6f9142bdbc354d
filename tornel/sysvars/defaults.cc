#include "tornel/sysvars/defaults.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// The default columns of system_variables.def.  Its rows are read here into
// one constant table per value table; from those, the (slot, value) pairs of
// each pass and the late defaults of the codes are selected at compile time.

// When a row's default is set.
enum class Pass : uint8_t { kNone, kEach, kFirst };
constexpr Pass kEachPass = Pass::kEach;
constexpr Pass kFirstPass = Pass::kFirst;

constexpr int kNoSlot = -1;

// A row's default: a number or a string, or CopyOf(slot).
template <typename T>
struct DefaultValue {
  constexpr DefaultValue(T v) : value(v) {}
  constexpr DefaultValue(const char* s)
    requires std::is_same_v<T, std::string_view>
      : value(s) {}
  // A slot constant would pass for a number unnoticed; a row that starts as
  // another variable's default says CopyOf(slot).
  template <typename E>
    requires std::is_enum_v<E>
  DefaultValue(E) = delete;

  T value;
  int copy_of = kNoSlot;
};

// The default that the row of `from` has in the same pass.
constexpr DefaultValue<double> CopyOf(RealSlot from) {
  DefaultValue<double> d(0.0);
  d.copy_of = from;
  return d;
}

template <typename T>
struct Row {
  int slot;
  std::string_view text;
  Pass pass = Pass::kNone;
  DefaultValue<T> value = T{};
  int parent = kNoSlot;  // a code still at kUnsetCode after MAIN takes this one's value
};

constexpr Row<int32_t> kIntegerRows[] = {
#define TORNEL_SI(id, text, ...) {id, text, __VA_ARGS__},
#include "tornel/sysvars/system_variables.def"
};
constexpr Row<double> kRealRows[] = {
#define TORNEL_SR(id, text, ...) {id, text, __VA_ARGS__},
#include "tornel/sysvars/system_variables.def"
};
constexpr Row<std::string_view> kStringRows[] = {
#define TORNEL_SS(id, text, ...) {id, text, __VA_ARGS__},
#include "tornel/sysvars/system_variables.def"
};

template <typename T>
struct Assignment {
  int slot;
  T value;
};

template <typename T, size_t N>
constexpr const Row<T>* FindRow(const Row<T> (&rows)[N], int slot) {
  for (const Row<T>& r : rows)
    if (r.slot == slot) return &r;
  return nullptr;
}

// A copy reads its source's default, so the source must be a number of its
// own, set in the same pass.  Then the copy is that number, whatever order
// the pass sets its slots in.
template <typename T, size_t N>
constexpr bool CopiesHaveSources(const Row<T> (&rows)[N]) {
  for (const Row<T>& r : rows) {
    if (r.value.copy_of == kNoSlot) continue;
    const Row<T>* from = FindRow(rows, r.value.copy_of);
    if (!from || from->pass != r.pass || from->value.copy_of != kNoSlot) return false;
  }
  return true;
}

// A default sets one slot; an array would get only its first element.
template <typename T, size_t N>
constexpr bool DefaultsAreScalar(const Row<T> (&rows)[N]) {
  for (const Row<T>& r : rows) {
    if (r.pass == Pass::kNone) continue;
    auto def = ParseVariableDefinition(r.text);
    if (!def || def->elements != 1) return false;
  }
  return true;
}

template <typename T, size_t N>
constexpr bool NoDefaultIn(const Row<T> (&rows)[N], int first, int count) {
  for (const Row<T>& r : rows)
    if (r.slot >= first && r.slot < first + count && r.pass != Pass::kNone) return false;
  return true;
}

template <typename T, size_t N>
constexpr size_t CountDefaults(const Row<T> (&rows)[N], Pass pass) {
  size_t n = 0;
  for (const Row<T>& r : rows) n += r.pass == pass;
  return n;
}

template <size_t M, typename T, size_t N>
constexpr std::array<Assignment<T>, M> SelectDefaults(const Row<T> (&rows)[N], Pass pass) {
  std::array<Assignment<T>, M> out{};
  size_t n = 0;
  for (const Row<T>& r : rows) {
    if (r.pass != pass) continue;
    const Row<T>& source = r.value.copy_of == kNoSlot ? r : *FindRow(rows, r.value.copy_of);
    out[n++] = {r.slot, source.value.value};
  }
  return out;
}

// The (slot, value) pairs one pass sets in one value table, in row order.
template <const auto& kRows, Pass kPass>
inline constexpr auto kDefaults = SelectDefaults<CountDefaults(kRows, kPass)>(kRows, kPass);

template <typename Table, typename Defaults>
void Assign(Table& table, const Defaults& defaults) {
  for (const auto& d : defaults) table[d.slot] = d.value;
}

static_assert(CopiesHaveSources(kIntegerRows) && CopiesHaveSources(kRealRows) &&
                  CopiesHaveSources(kStringRows),
              "a CopyOf names a row without a number of its own in the same pass");
static_assert(DefaultsAreScalar(kIntegerRows) && DefaultsAreScalar(kRealRows) &&
                  DefaultsAreScalar(kStringRows),
              "an array variable has a default");

struct LateDefault {
  int code;
  int parent;
};

// A code that names a parent starts unset, and only such a code does: a
// code unset for good would be written out as -99999999.  No parent is
// itself resolved late, so the resolution order can't matter.
constexpr bool LateDefaultsAreSound() {
  for (const Row<int32_t>& r : kIntegerRows)
    if (r.parent != kNoSlot) return false;
  for (const Row<std::string_view>& r : kStringRows)
    if (r.parent != kNoSlot) return false;
  for (const Row<double>& r : kRealRows) {
    bool unset = r.pass != Pass::kNone && r.value.copy_of == kNoSlot && r.value.value == kUnsetCode;
    if (unset != (r.parent != kNoSlot)) return false;
    if (r.parent == kNoSlot) continue;
    if (r.pass != kFirstPass) return false;
    const Row<double>* parent = FindRow(kRealRows, r.parent);
    if (!parent || parent->parent != kNoSlot) return false;
  }
  return true;
}
static_assert(LateDefaultsAreSound(),
              "a parent belongs to a first-pass code starting at kUnsetCode and to no other "
              "row, and is no late default itself");

constexpr size_t CountLateDefaults() {
  size_t n = 0;
  for (const Row<double>& r : kRealRows) n += r.parent != kNoSlot;
  return n;
}

constexpr std::array<LateDefault, CountLateDefaults()> SelectLateDefaults() {
  std::array<LateDefault, CountLateDefaults()> out{};
  size_t n = 0;
  for (const Row<double>& r : kRealRows)
    if (r.parent != kNoSlot) out[n++] = {r.slot, r.parent};
  return out;
}

// In row order.
constexpr auto kLateDefaults = SelectLateDefaults();

// Set here, not by a row: the orientation matrices and the companion file
// switch.  An orientation matrix is nine real slots, row by row: XI XJ XK,
// YI YJ YK, ZI ZJ ZK.
constexpr int kMatrixSlots = 9;
static_assert(kSrZK - kSrXI == kMatrixSlots - 1 && kSrYJ - kSrXI == 4);
static_assert(kSrZKT - kSrXIT == kMatrixSlots - 1 && kSrYJT - kSrXIT == 4);
static_assert(kSrZKT_In - kSrXIT_In == kMatrixSlots - 1 && kSrYJT_In - kSrXIT_In == 4);
static_assert(kSrZKT_Out - kSrXIT_Out == kMatrixSlots - 1 && kSrYJT_Out - kSrXIT_Out == 4);
static_assert(NoDefaultIn(kRealRows, kSrXI, kMatrixSlots) &&
                  NoDefaultIn(kRealRows, kSrXIT, kMatrixSlots) &&
                  NoDefaultIn(kRealRows, kSrXIT_In, kMatrixSlots) &&
                  NoDefaultIn(kRealRows, kSrXIT_Out, kMatrixSlots) &&
                  NoDefaultIn(kIntegerRows, kSiEdmFileX, 1),
              "a row has a default that ApplyDefaults sets itself");

void SetIdentity(ValueTables& v, RealSlot first) {
  for (int i = 0; i < kMatrixSlots; ++i) v.reals[first + i] = (i % 4 == 0) ? 1.0 : 0.0;
}

}  // namespace

void ApplyDefaults(ValueTables& values, bool first_pass, bool companion_file) {
  assert(values.ints.size() >= kIntegerSystemSlots && values.reals.size() >= kRealSystemSlots &&
         values.strings.size() >= kStringSystemSlots);
  Assign(values.ints, kDefaults<kIntegerRows, kEachPass>);
  Assign(values.reals, kDefaults<kRealRows, kEachPass>);
  Assign(values.strings, kDefaults<kStringRows, kEachPass>);
  values.ints[kSiEdmFileX] = companion_file ? 1 : 0;
  SetIdentity(values, kSrXI);
  SetIdentity(values, kSrXIT);
  if (!first_pass) return;
  Assign(values.ints, kDefaults<kIntegerRows, kFirstPass>);
  Assign(values.reals, kDefaults<kRealRows, kFirstPass>);
  Assign(values.strings, kDefaults<kStringRows, kFirstPass>);
  SetIdentity(values, kSrXIT_In);
  SetIdentity(values, kSrXIT_Out);
}

void ResolveUnsetCodes(ValueTables& values) {
  for (const LateDefault& d : kLateDefaults)
    if (values.reals[d.code] == kUnsetCode) values.reals[d.code] = values.reals[d.parent];
}

}  // namespace tornel
