#include "tornel/sysvars/sysvar_reference.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "tornel/sysvars/defaults.h"
#include "tornel/sysvars/system_variables.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

namespace {

constexpr std::string_view kIntro =
    "# System variables\n"
    "\n"
    "<!-- Generated from tornel/sysvars/system_variables.def by sysvar_reference;\n"
    "     do not edit. Regenerate: cmake --build build --target system_variables_doc -->\n"
    "\n"
    "Every predefined variable a post file can read and assign, in registration\n"
    "order, grouped as the registry groups them. `docs/language.md` names the ones\n"
    "a post writer needs first.\n"
    "\n"
    "- **Type**: `si` integer (32 bits; a value stored is cut toward zero), `sr`\n"
    "  real, `src` code (a real that stands for one state of a modal group), `ss`\n"
    "  string. `[n]` is an array of n elements, indexed from 1 in the post file.\n"
    "- **Default**: the value set before a pass over the CL file. *first pass*:\n"
    "  set once, so what the post or the first pass changes stays in force for the\n"
    "  second; *each pass*: set again before the second pass. *unset, then x*: a\n"
    "  code the post left out takes code x's value once MAIN has run. `-`: no\n"
    "  default; 0, 0.0 or empty until something sets it.\n"
    "- **Set by**: *post* the post file (a switch or setting Tornel reads; *post: x*\n"
    "  names the directives that set it); *settings: x* the settings statement x (or\n"
    "  the post); *start* the command line and the clock; *CL* the CL processing,\n"
    "  at every record or at the record named; *look-ahead* the records still to\n"
    "  come; *first pass* the lists the first pass collects (indexed by tool, or by\n"
    "  `SELECT`, from 1); *output* the NC output; *to come: x* x is not built yet,\n"
    "  so the variable keeps its default; `-` nothing.\n";

constexpr std::string_view kTableHeader =
    "| Variable | Type | Default | Set by | Meaning |\n"
    "|---|---|---|---|---|\n";

// The marks the generator reads in system_variables.def.
constexpr std::string_view kTableMark = "// ---- ";
constexpr std::string_view kTableMarkEnd = " ----";
constexpr std::string_view kCommentMark = "//";

struct ParsedRow {
  VarType type;
  std::string id;      // kSiEachOn
  std::string text;    // siEachOn, or siWordType[100]
  std::string args;    // what follows the text: pass, default, parent
  std::string setter;  // what sets it
  std::string meaning;
  int line = 0;
};

struct Item {
  enum Kind { kTable, kGroup, kRow } kind;
  std::string heading;  // kTable, kGroup
  size_t row = 0;       // kRow: index into the rows
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

std::string LineError(int line, const std::string& what) {
  return "system_variables.def line " + std::to_string(line) + ": " + what;
}

// TORNEL_SI(kSiEachOn, "siEachOn", kFirstPass, 1)  // [post: eachon] meaning
std::optional<ParsedRow> ParseRow(std::string_view line, int number, std::string& error) {
  static constexpr std::pair<std::string_view, VarType> kMacros[] = {
      {"TORNEL_SI(", VarType::kInteger}, {"TORNEL_SR(", VarType::kReal}, {"TORNEL_SS(", VarType::kString}};
  ParsedRow row;
  row.line = number;
  std::string_view rest;
  bool found = false;
  for (const auto& [macro, type] : kMacros) {
    if (StartsWith(line, macro)) {
      row.type = type;
      rest = line.substr(macro.size());
      found = true;
    }
  }
  if (!found) return std::nullopt;
  size_t comma = rest.find(',');
  size_t open = rest.find('"');
  size_t close = open == std::string_view::npos ? open : rest.find('"', open + 1);
  size_t comment = rest.find(kCommentMark, close == std::string_view::npos ? 0 : close);
  size_t end = rest.rfind(')', comment);
  if (comma == std::string_view::npos || close == std::string_view::npos || end == std::string_view::npos ||
      end < close) {
    error = LineError(number, "a row that does not read TORNEL_Sx(id, \"text\" ...)");
    return std::nullopt;
  }
  row.id = std::string(Trim(rest.substr(0, comma)));
  row.text = std::string(rest.substr(open + 1, close - open - 1));
  row.args = std::string(Trim(rest.substr(close + 1, end - close - 1)));
  std::string_view note =
      comment == std::string_view::npos ? std::string_view() : Trim(rest.substr(comment + 2));
  size_t bracket = note.find(']');
  if (note.empty() || note[0] != '[' || bracket == std::string_view::npos ||
      Trim(note.substr(bracket + 1)).empty()) {
    error = LineError(number, row.text + " has no \"// [what sets it] meaning\" comment");
    return std::nullopt;
  }
  row.setter = std::string(Trim(note.substr(1, bracket - 1)));
  row.meaning = std::string(Trim(note.substr(bracket + 1)));
  return row;
}

// The rows, table and group headings of the .def text, in order.
bool ParseDef(std::string_view text, std::vector<ParsedRow>& rows, std::vector<Item>& items,
              std::string& error) {
  bool in_tables = false;
  bool after_blank = false;
  int number = 0;
  while (!text.empty()) {
    size_t nl = text.find('\n');
    std::string_view line = Trim(text.substr(0, nl));
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    ++number;
    if (line.empty()) {
      after_blank = true;
      continue;
    }
    if (StartsWith(line, kTableMark) && line.size() > kTableMark.size() + kTableMarkEnd.size() &&
        line.substr(line.size() - kTableMarkEnd.size()) == kTableMarkEnd) {
      std::string_view heading = line.substr(kTableMark.size());
      heading.remove_suffix(kTableMarkEnd.size());
      items.push_back({Item::kTable, std::string(heading), 0});
      in_tables = true;
    } else if (StartsWith(line, kCommentMark)) {
      // The first comment after a blank line heads a group; the rest are notes.
      if (in_tables && after_blank)
        items.push_back({Item::kGroup, std::string(Trim(line.substr(kCommentMark.size()))), 0});
    } else {
      std::optional<ParsedRow> row = ParseRow(line, number, error);
      if (!error.empty()) return false;
      if (row) {
        if (!in_tables) {
          error = LineError(number, "a row before the first table heading");
          return false;
        }
        items.push_back({Item::kRow, "", rows.size()});
        rows.push_back(std::move(*row));
      }
    }
    after_blank = false;
  }
  return true;
}

// The text and the compiled registry must be the same list.
bool MatchesRegistry(const std::vector<ParsedRow>& rows, std::string& error) {
  if (rows.size() != static_cast<size_t>(kSystemVariableCount)) {
    error = "system_variables.def has " + std::to_string(rows.size()) + " rows, the registry " +
            std::to_string(kSystemVariableCount) + ": rebuild";
    return false;
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    const SystemVariableRow& reg = kSystemVariableRows[i];
    if (rows[i].text != reg.text || rows[i].type != reg.type) {
      error = LineError(rows[i].line, rows[i].text + " is row " + std::to_string(i) +
                                          " of the text but " + std::string(reg.text) +
                                          " of the registry: rebuild");
      return false;
    }
  }
  return true;
}

std::string Number(double value) {
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", value);
    return buf;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.10f", value);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  return s;
}

// A string default as the reader should see it: quoted text, or the names
// of its control characters.
std::string StringValue(const std::string& s) {
  bool plain = true;
  for (unsigned char c : s) plain = plain && c >= 32 && c != '`' && c != '|';
  if (plain) return "`\"" + s + "\"`";
  std::string out;
  for (unsigned char c : s) {
    if (!out.empty()) out += ' ';
    if (c == '\r') out += "CR";
    else if (c == '\n') out += "LF";
    else if (c == '\t') out += "TAB";
    else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "0x%02X", c);
      out += buf;
    }
  }
  return out;
}

// The id named after `marker(` or as the last argument, if any.
std::string ArgumentAfter(const std::string& args, std::string_view marker) {
  size_t at = args.find(marker);
  if (at == std::string::npos) return "";
  size_t start = at + marker.size();
  size_t end = args.find_first_of(",)", start);
  return std::string(Trim(std::string_view(args).substr(start, end - start)));
}

// The defaults as ApplyDefaults sets them: each slot is given a value no
// default has, then the passes are applied and the slots they changed read.
struct Observed {
  ValueTables first;      // after the first pass's defaults, without -x
  ValueTables each;       // after the second pass's defaults
  ValueTables companion;  // after the first pass's defaults with -x
};

constexpr int32_t kIntMark = INT32_MIN + 12345;
constexpr double kRealMark = -1234567.890625;
constexpr const char* kStringMark = "\x01not set\x01";

ValueTables Marked() {
  ValueTables v;
  v.ints.assign(kIntegerSystemSlots, kIntMark);
  v.reals.assign(kRealSystemSlots, kRealMark);
  v.strings.assign(kStringSystemSlots, kStringMark);
  return v;
}

Observed ObserveDefaults() {
  Observed o{Marked(), Marked(), Marked()};
  ApplyDefaults(o.first, true, false);
  ApplyDefaults(o.each, false, false);
  ApplyDefaults(o.companion, true, true);
  return o;
}

std::string DefaultText(const ParsedRow& row, int slot, const Observed& o,
                        const std::map<std::string, std::string>& names) {
  auto def = ParseVariableDefinition(row.text);
  if (def && def->is_array) return "-";
  std::string value;
  bool set_first = false, set_each = false;
  std::string with_x;
  switch (row.type) {
    case VarType::kInteger:
      set_first = o.first.ints[slot] != kIntMark;
      set_each = o.each.ints[slot] != kIntMark;
      value = Number(o.first.ints[slot]);
      if (o.companion.ints[slot] != o.first.ints[slot])
        with_x = " (" + Number(o.companion.ints[slot]) + " with -x)";
      break;
    case VarType::kReal: {
      set_first = o.first.reals[slot] != kRealMark;
      set_each = o.each.reals[slot] != kRealMark;
      double v = o.first.reals[slot];
      if (v == kUnsetCode) {
        std::string parent = ArgumentAfter(row.args, "kUnsetCode,");
        auto name = names.find(parent);
        value = "unset, then " + (name == names.end() ? parent : "`" + name->second + "`");
      } else {
        value = Number(v);
        std::string copy = ArgumentAfter(row.args, "CopyOf(");
        auto name = names.find(copy);
        if (name != names.end()) value += " (= `" + name->second + "`)";
      }
      break;
    }
    case VarType::kString:
      set_first = o.first.strings[slot] != kStringMark;
      set_each = o.each.strings[slot] != kStringMark;
      value = StringValue(o.first.strings[slot]);
      break;
  }
  if (!set_first) return "-";
  return value + with_x + (set_each ? ", each pass" : ", first pass");
}

std::string TypeText(const ParsedRow& row) {
  auto def = ParseVariableDefinition(row.text);
  std::string type;
  switch (row.type) {
    case VarType::kInteger: type = "integer"; break;
    case VarType::kReal: type = StartsWith(row.text, "src") ? "code" : "real"; break;
    case VarType::kString: type = "string"; break;
  }
  if (def && def->is_array) type += "[" + std::to_string(def->elements) + "]";
  return type;
}

std::string Cell(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '|') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

ReferenceResult SystemVariableReference(std::string_view def_text) {
  ReferenceResult result;
  std::vector<ParsedRow> rows;
  std::vector<Item> items;
  if (!ParseDef(def_text, rows, items, result.error) || !MatchesRegistry(rows, result.error))
    return result;

  std::map<std::string, std::string> names;  // id to name
  for (const ParsedRow& row : rows) {
    auto def = ParseVariableDefinition(row.text);
    names[row.id] = std::string(def ? def->name : row.text);
  }
  const Observed observed = ObserveDefaults();

  std::string& out = result.text;
  out = kIntro;
  bool in_table = false;
  for (const Item& item : items) {
    if (item.kind == Item::kTable || item.kind == Item::kGroup) {
      out += item.kind == Item::kTable ? "\n## " : "\n### ";
      out += item.heading;
      out += "\n";
      in_table = false;
      continue;
    }
    const ParsedRow& row = rows[item.row];
    if (!in_table) {
      out += "\n";
      out += kTableHeader;
      in_table = true;
    }
    int slot = kSystemVariableSlots[item.row];
    out += "| `" + row.text + "` | " + TypeText(row) + " | " +
           Cell(DefaultText(row, slot, observed, names)) + " | " + Cell(row.setter) + " | " +
           Cell(row.meaning) + " |\n";
  }
  result.ok = true;
  return result;
}

}  // namespace tornel
