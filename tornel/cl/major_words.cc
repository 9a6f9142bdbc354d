#include "tornel/cl/major_words.h"

namespace tornel {

namespace {

struct Entry {
  std::string_view word;  // upper case
  MajorWord kind;
};

constexpr Entry kEntries[] = {
    {"GOTO", MajorWord::kGoto},         {"CIRCLE", MajorWord::kCircle},
    {"RAPID", MajorWord::kRapid},       {"NCRV", MajorWord::kNurbs},
    {"CTRLPT", MajorWord::kNurbs},      {"KNOT", MajorWord::kNurbs},
    {"COOLNT", MajorWord::kCoolant},    {"CYCLE", MajorWord::kCycle},
    {"SHAPE", MajorWord::kShape},       {"SET", MajorWord::kSet},
    {"THRDSQ", MajorWord::kThread},     {"END", MajorWord::kEnd},
    {"DISPLY", MajorWord::kDisplay},    {"MODE", MajorWord::kMode},
    {"PPRINT", MajorWord::kPprint},     {"REMARK", MajorWord::kRemark},
    {"PARTNO", MajorWord::kPartNo},     {"LOADTL", MajorWord::kLoadTool},
    {"TURRET", MajorWord::kTurret},     {"CUTTER", MajorWord::kCutter},
    {"CUTCOM", MajorWord::kCutcom},     {"SPINDL", MajorWord::kSpindle},
    {"FEDRAT", MajorWord::kFeed},       {"UNITS", MajorWord::kUnits},
    {"OPERTN", MajorWord::kOperation},  {"MCS", MajorWord::kMcs},
    {"SELECT", MajorWord::kSelect},     {"OPSTOP", MajorWord::kOptStop},
    {"STOP", MajorWord::kStop},         {"WIRE", MajorWord::kWire},
};

// Every known word is at most this long.
constexpr size_t kLongestWord = 6;

}  // namespace

MajorWord ClassifyMajorWord(std::string_view word) {
  if (!word.empty() && word[0] == ':') return MajorWord::kNcLine;
  if (word.size() > kLongestWord || word.empty()) return MajorWord::kOther;
  char upper[kLongestWord];
  for (size_t i = 0; i < word.size(); ++i) {
    char c = word[i];
    upper[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  std::string_view key(upper, word.size());
  for (const Entry& e : kEntries)
    if (e.word == key) return e.kind;
  return MajorWord::kOther;
}

}  // namespace tornel
