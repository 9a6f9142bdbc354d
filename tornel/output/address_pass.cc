#include "tornel/output/address_pass.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "tornel/base/table_growth.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"
#include "tornel/output/declaration_block.h"
#include "tornel/output/number_format.h"

namespace tornel {

namespace {

constexpr std::string_view kAddressKeyword = "addres";  // the keyword pass made "address" this
constexpr std::string_view kAddressName = "ADDRESS";

struct Attribute {
  std::string_view name;
  char token;
};

constexpr Attribute kAttributes[] = {
    {"enable", kTokAttrEnable},   {"order", kTokAttrOrder},
    {"prefix", kTokAttrPrefix},   {"suffix", kTokAttrSuffix},
    {"sign", kTokAttrSign},       {"decpoint", kTokAttrDecPoint},
    {"leadzero", kTokAttrLeadZero}, {"trailzero", kTokAttrTrailZero},
    {"numsbef", kTokAttrNumsBef}, {"numsaft", kTokAttrNumsAft},
    {"numsbefinch", kTokAttrNumsBefInch}, {"numsaftinch", kTokAttrNumsAftInch},
    {"space", kTokAttrSpace},     {"inczero", kTokAttrIncZero},
    {"modal", kTokAttrModal},     {"inc", kTokAttrInc},
    {"from", kTokAttrFrom},       {"direct", kTokAttrDirect},
    {"scale", kTokAttrScale},     {"trans", kTokAttrTrans},
    {"val", kTokAttrVal},         {"valrnd", kTokAttrValRnd},
    {"valstr", kTokAttrValStr},   {"selnum", kTokAttrSelNum},
    {"selstr", kTokAttrSelStr},
};

// The options of a definition and the fields they set.
enum class Option { kSpace, kNoSpace, kZero, kNoZero, kModal, kNoModal, kForce, kAbs, kInc,
                    kAbsInc, kFrom, kScale, kTrans, kOrder, kStrings };

struct OptionWord {
  std::string_view word;
  Option option;
};

constexpr OptionWord kOptions[] = {
    {"space", Option::kSpace}, {"nospace", Option::kNoSpace}, {"zero", Option::kZero},
    {"nozero", Option::kNoZero}, {"modal", Option::kModal}, {"nomodal", Option::kNoModal},
    {"force", Option::kForce}, {"abs", Option::kAbs}, {"inc", Option::kInc},
    {"absinc", Option::kAbsInc}, {"from", Option::kFrom}, {"scale", Option::kScale},
    {"trans", Option::kTrans}, {"order", Option::kOrder}, {"strings", Option::kStrings},
};
constexpr std::string_view kSelectWord = "select";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view NameAt(std::string_view s, size_t pos) {
  size_t end = pos;
  while (end < s.size() && IsNameChar(s[end])) ++end;
  return s.substr(pos, end - pos);
}

// Reads kTokAddress / kTokStringRef and the decimal index after it.
bool ReadReference(std::string_view s, size_t& pos, char token, int& index) {
  if (pos >= s.size() || s[pos] != token) return false;
  const char* first = s.data() + pos + 1;
  auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), index);
  if (ec != std::errc() || ptr == first) return false;
  pos = static_cast<size_t>(ptr - s.data());
  return true;
}

void SkipBlank(std::string_view s, size_t& pos) {
  if (pos < s.size() && s[pos] == ' ') ++pos;
}

void SkipBlanks(std::string_view s, size_t& pos) {
  while (pos < s.size() && s[pos] == ' ') ++pos;
}

bool ReadEquals(std::string_view s, size_t& pos) {
  if (pos >= s.size() || s[pos] != '=') return false;
  ++pos;
  return true;
}

// One definition line, renamed, into `r`.
void ParseDefinition(Diagnostics& diag, std::string_view s, AddressRecord& r) {
  size_t pos = 0;
  int index = 0;
  ReadReference(s, pos, kTokAddress, index);
  if (!ReadReference(s, pos, kTokStringRef, r.prefix)) FatalAt(diag, kMsgPrefixMissing);
  SkipBlank(s, pos);
  if (NameAt(s, pos) == kSelectWord) {
    r.sign = kSignSelect;
    pos += kSelectWord.size();
  } else if (const char* error = ParseNumberFormat(s, pos, r)) {
    FatalAt(diag, error);
  }
  SkipBlank(s, pos);
  int suffix = 0;
  if (ReadReference(s, pos, kTokStringRef, suffix)) r.suffix = suffix;

  for (;;) {
    SkipBlanks(s, pos);
    if (pos >= s.size()) return;
    std::string_view word = NameAt(s, pos);
    const OptionWord* found = nullptr;
    for (const OptionWord& o : kOptions)
      if (o.word == word) found = &o;
    if (!found) {
      if (word.empty()) word = s.substr(pos, 1);
      FatalAt(diag, FormatMessage(kMsgUnrecognizedSymbol, {word}));
    }
    pos += word.size();
    switch (found->option) {
      case Option::kSpace: r.space = 1; break;
      case Option::kNoSpace: r.space = 0; break;
      case Option::kZero: r.inczero = 1; break;
      case Option::kNoZero: r.inczero = 0; break;
      case Option::kModal: r.modal = 1; break;
      case Option::kNoModal: r.modal = 0; break;
      case Option::kForce: r.modal = kModalForce; break;
      case Option::kAbs: r.inc = kIncAbs; break;
      case Option::kInc: r.inc = kIncInc; break;
      case Option::kAbsInc: r.inc = kIncFollow; break;
      case Option::kFrom:
        if (!ReadEquals(s, pos)) FatalAt(diag, kMsgInvalidFromSetting);
        if (pos < s.size() && s[pos] == '_') FatalAt(diag, kMsgFromUndefined);
        if (!ReadReference(s, pos, kTokAddress, r.from)) FatalAt(diag, kMsgInvalidFromSetting);
        break;
      case Option::kScale:
        if (!ReadEquals(s, pos) || !ReadDefinitionNumber(s, pos, r.scale)) FatalAt(diag, kMsgInvalidScale);
        break;
      case Option::kTrans:
        if (!ReadEquals(s, pos) || !ReadDefinitionNumber(s, pos, r.trans)) FatalAt(diag, kMsgInvalidTrans);
        break;
      case Option::kOrder: {
        double order = 0;
        if (!ReadEquals(s, pos) || pos >= s.size() || !IsDigit(s[pos]) ||
            !ReadDefinitionNumber(s, pos, order) || order * 100.0 > 2147483647.0)
          FatalAt(diag, kMsgInvalidOrder);
        r.order = static_cast<int>(order * 100.0);
        break;
      }
      case Option::kStrings: {
        // Only a select address has strings to choose from.
        int first = 0, last = 0;
        if (!ReadEquals(s, pos) || !IsSelect(r) || !ReadReference(s, pos, kTokStringRef, first))
          FatalAt(diag, kMsgInvalidStrings);
        last = first;
        while (ReadReference(s, pos, kTokStringRef, last)) {
        }
        r.numsbef = first;
        r.numsaft = last;
        break;
      }
    }
  }
}

// Replaces every address name that stands as a whole word.
void RenameAddresses(std::string& s, const std::unordered_map<std::string, int>& index) {
  std::string out;
  size_t i = 0;
  bool changed = false;
  while (i < s.size()) {
    if (s[i] == '_' && (i == 0 || !IsNameChar(s[i - 1]))) {
      std::string_view name = NameAt(s, i);
      auto it = index.find(std::string(name));
      if (it != index.end()) {
        if (!changed) out.assign(s, 0, i), changed = true;
        out += kTokAddress;
        out += std::to_string(it->second);
        i += name.size();
        continue;
      }
      if (changed) out.append(name);
      i += name.size();
      continue;
    }
    if (changed) out += s[i];
    ++i;
  }
  if (changed) s = std::move(out);
}

// ".enable" ... ".selstr" become "." and the attribute's token.
void TokenizeAttributes(std::string& s) {
  for (size_t pos = s.find('.'); pos != std::string::npos; pos = s.find('.', pos + 1)) {
    std::string_view name = NameAt(s, pos + 1);
    if (name.empty()) continue;
    for (const Attribute& a : kAttributes) {
      if (a.name == name) {
        s.replace(pos + 1, name.size(), 1, a.token);
        break;
      }
    }
  }
}

}  // namespace

bool ReadDefinitionNumber(std::string_view s, size_t& pos, double& value) {
  size_t p = pos;
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
  size_t start = p;
  bool point = false;
  while (p < s.size() && (IsDigit(s[p]) || (s[p] == '.' && !point))) {
    if (s[p] == '.') point = true;
    ++p;
  }
  std::string_view digits = s.substr(start, p - start);
  if (digits.empty() || digits == ".") return false;
  double v = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) return false;
  value = negative ? -v : v;
  pos = p;
  return true;
}

std::vector<std::string> AddressPass(Diagnostics& diag, const FunctionTables& functions,
                                     AddressTable& addresses, TriggerTable& triggers,
                                     const std::vector<std::string>& lines) {
  // 1. Collect the names; the first declaration of a name is the one.
  enum class Role { kCode, kBlock, kDefinition, kRepeat };
  std::vector<Role> roles(lines.size(), Role::kCode);
  std::unordered_map<std::string, int> index;
  std::unordered_set<std::string> in_file;
  std::vector<std::string> names(1);
  int file = -1;
  BlockState block{kAddressKeyword, kAddressName};
  for (size_t i = 0; i < lines.size(); ++i) {
    Location loc;
    std::string_view s;
    if (!SplitLocation(lines[i], loc, s)) continue;
    diag.loc = loc;
    if (loc.file != file) in_file.clear(), file = loc.file;
    switch (ClassifyBlockLine(diag, block, s)) {
      case BlockLine::kOutside: continue;
      case BlockLine::kOpen:
      case BlockLine::kClose: roles[i] = Role::kBlock; continue;
      case BlockLine::kDefinition: break;
    }
    std::string name(NameAt(s, 0));
    if (name.empty() || name[0] != '_') FatalAt(diag, kMsgAddressUnderscore);
    if (!in_file.insert(name).second) FatalAt(diag, FormatMessage(kMsgAddressInUse, {name}));
    if (index.count(name)) {
      roles[i] = Role::kRepeat;
      continue;
    }
    roles[i] = Role::kDefinition;
    index.emplace(name, static_cast<int>(names.size()));
    names.push_back(name);
  }

  // 2. The table: record 0 and one record per address.
  WithMemory(diag, [&] {
    addresses.records.assign(names.size(), AddressRecord{});
    for (size_t k = 1; k < names.size(); ++k) addresses.records[k] = NewAddressRecord(static_cast<int>(k));
    addresses.names = names;
  });

  // 4. OnAddr and OnAddrOut functions hook their addresses.
  for (const AddressHook& hook : functions.address_hooks) {
    auto it = index.find(hook.address);
    diag.loc = hook.loc;
    if (it == index.end()) FatalAt(diag, kMsgUndefinedOnAddr);
    AddTrigger(diag, triggers,
               TriggerEntry{it->second, kTriggerFunction, hook.out ? kTriggerFlagWritten : 0,
                            hook.descriptor, 0});
  }

  // 3. and 5. Rename, tokenize the attributes, parse the definitions; the
  // blocks leave the text.
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    RenameAddresses(line, index);
    Location loc;
    std::string_view s;
    if (!SplitLocation(line, loc, s)) {
      out.push_back(std::move(line));
      continue;
    }
    diag.loc = loc;
    switch (roles[i]) {
      case Role::kCode: {
        std::string statement(s);
        TokenizeAttributes(statement);
        out.push_back(WithLocation(loc, statement));
        break;
      }
      case Role::kBlock:
        break;
      case Role::kDefinition: {
        int k = 0;
        size_t pos = 0;
        ReadReference(s, pos, kTokAddress, k);
        ParseDefinition(diag, s, addresses.records[k]);
        break;
      }
      case Role::kRepeat: {
        AddressRecord ignored;
        ParseDefinition(diag, s, ignored);
        break;
      }
    }
  }
  return out;
}

}  // namespace tornel
