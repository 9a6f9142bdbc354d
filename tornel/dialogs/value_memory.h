// The texts that keep dialog answers between runs: the values file (the
// APT-CL name with ".val"), a file of sections, one "#post" section of
// stored values and one "#post_" section of the post's defaults per post,
// and the settings file (post name + ".ini"), one section's body alone.
// A body is a count line ("ints reals strings": the slot counts of the
// compiled post, so that stored slots only fit the post they came from)
// and one "type slot value" line per variable.  Free of files: the run
// reads and writes the texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/compiler/dialog_variable_scan.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

// The type codes of an entry line.
inline constexpr int kStoredInt = 130;
inline constexpr int kStoredReal = 131;
inline constexpr int kStoredString = 132;

struct SlotCounts {
  int ints = 0, reals = 0, strings = 0;
  bool operator==(const SlotCounts&) const = default;
};

// The counts of the tables as the compiled post made them.
SlotCounts CountsOf(const ValueTables& v);

// "#" + post + ("_" for the defaults section).
std::string SectionHeader(std::string_view post, bool defaults);

// The body lines of the section whose header line is `header` (compared
// without regard to case), up to the next line that begins with "#";
// nullopt without such a section.
std::optional<std::vector<std::string>> FindSection(std::string_view file, std::string_view header);

// The file without that section, the new section (header and `body`)
// appended at its end.
std::string ReplaceSection(std::string_view file, std::string_view header, std::string_view body);

// A section body: the count line and one line per variable of `vars`
// ("%d %d " and the value: "%d", "%.9f", or the text unchanged).
std::string FormatBody(const ValueTables& v, const std::vector<DialogVariable>& vars);

// One stored value as a body line holds it.
struct StoredValue {
  int type = 0;
  int slot = 0;
  int32_t int_value = 0;
  double real_value = 0;
  std::string text;
};

// Reads a body: its count line must give `counts`; then the lines whose
// type and slot are in `vars` (others are passed over, and so is a number
// that does not read).  nullopt when the count line differs or is missing;
// `bad_line` is set when a line holds no "type slot" start.
std::optional<std::vector<StoredValue>> ReadBody(const std::vector<std::string>& lines,
                                                 SlotCounts counts,
                                                 const std::vector<DialogVariable>& vars,
                                                 bool* bad_line = nullptr);

// Puts a stored value into its variable.
void PutStored(ValueTables& v, const StoredValue& s);
// The variable's value as a stored value.
StoredValue ValueOf(const ValueTables& v, const DialogVariable& var);
// The type code of a scanned variable.
int StoredType(const DialogVariable& var);

}  // namespace tornel
