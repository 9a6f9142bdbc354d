#include "tornel/sysvars/settings_statements.h"

#include <span>
#include <string_view>

#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/variable_declarations.h"
#include "tornel/compiler/words.h"
#include "tornel/sysvars/keyword_table.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

using Parameters = std::vector<std::string_view>;

struct Target {
  VarType type;
  int slot;
};

constexpr Target IntVar(IntegerSlot slot) { return {VarType::kInteger, slot}; }
constexpr Target RealVar(RealSlot slot) { return {VarType::kReal, slot}; }
constexpr Target StrVar(StringSlot slot) { return {VarType::kString, slot}; }

// How a statement turns its parameters into assignments.
enum class Form {
  kInOrder,  // parameter i to target i, for every parameter given
  kAxis,     // as kInOrder, after the axis words became numbers
  kInterp,   // as kInOrder, then the helix codes fall back to the arc codes
  kSeqNums,
  kComment,
};

struct Statement {
  std::string_view keyword;
  // The display name, then a description per parameter, ';' between.
  std::string_view description;
  int min;
  int max;
  Form form;
  std::span<const Target> targets;
};

constexpr Target kRotaryTargets[] = {
    IntVar(kSiRotType),     IntVar(kSiRotAround),    RealVar(kSrRotScale),    RealVar(kSrRotTrans),
    RealVar(kSrRotMinAng),  RealVar(kSrRotMaxAng),   RealVar(kSrRotAccuracy), RealVar(kSrRot_X_Pivot),
    RealVar(kSrRot_Y_Pivot), RealVar(kSrRot_Z_Pivot)};
constexpr Target kTiltTargets[] = {
    IntVar(kSiTiltType),     IntVar(kSiTiltAround),    RealVar(kSrTiltScale),    RealVar(kSrTiltTrans),
    RealVar(kSrTiltMinAng),  RealVar(kSrTiltMaxAng),   RealVar(kSrTiltAccuracy), RealVar(kSrTilt_X_Pivot),
    RealVar(kSrTilt_Y_Pivot), RealVar(kSrTilt_Z_Pivot)};
constexpr Target kNutatorTargets[] = {IntVar(kSiNutator)};
constexpr Target kPostUnitsTargets[] = {IntVar(kSiMetricPost)};
constexpr Target kInterpTargets[] = {RealVar(kSrcRapid), RealVar(kSrcLine), RealVar(kSrcArcCw),
                                     RealVar(kSrcArcCcw)};
constexpr Target kArcPlaneTargets[] = {RealVar(kSrcXYplane), RealVar(kSrcXZplane), RealVar(kSrcYZplane)};
constexpr Target kCompTargets[] = {RealVar(kSrcCompOff), RealVar(kSrcCompLeft), RealVar(kSrcCompRight)};
constexpr Target kAbsIncTargets[] = {RealVar(kSrcAbs), RealVar(kSrcInc)};
constexpr Target kUnitsTargets[] = {RealVar(kSrcMetric), RealVar(kSrcInch)};
constexpr Target kFeedTargets[] = {RealVar(kSrcFPR), RealVar(kSrcFPM), RealVar(kSrcInvTime)};
constexpr Target kSpeedTargets[] = {RealVar(kSrcRPM), RealVar(kSrcCSS)};
constexpr Target kSpindleTargets[] = {RealVar(kSrcSpStop), RealVar(kSrcSpCw), RealVar(kSrcSpCcw),
                                      RealVar(kSrcSpCwCool), RealVar(kSrcSpCcwCool)};
constexpr Target kCoolantTargets[] = {RealVar(kSrcCoolOff),     RealVar(kSrcCoolOn),
                                      RealVar(kSrcCoolMist),    RealVar(kSrcCoolFloodLo),
                                      RealVar(kSrcCoolFloodHi), RealVar(kSrcCoolThruLo),
                                      RealVar(kSrcCoolThruHi)};

constexpr std::string_view kAxisDescription =
    "Rotary/Tilt;Type;Axis to rotate around;Angle scale;Angle translation;Min angle;Max "
    "angle;Angle accuracy;Pivot distance in X;Pivot distance in Y;Pivot distance in Z";

constexpr Statement kStatements[] = {
    {"seqnums:", "SeqNums;Yes/No;Address;Initial value;Increment;Max value", 5, 5, Form::kSeqNums,
     {}},
    {"comment:",
     "Comment;Comment start string;Comment end string / NoSeq / NoEach / NoSpace / NoUpper / "
     "NoConv /NoAscii / OEM NoAlnum",
     1, 8, Form::kComment, {}},
    {"rotary:", kAxisDescription, 10, 10, Form::kAxis, kRotaryTargets},
    {"tilt:", kAxisDescription, 10, 10, Form::kAxis, kTiltTargets},
    {"nutator:", "Nutator;Pointing direction +1 or -1", 1, 1, Form::kInOrder, kNutatorTargets},
    {"postunits:", "PostUnits;MM or Inch", 1, 1, Form::kInOrder, kPostUnitsTargets},
    {"interp:", "Interp;Rapid;Line;ArcCw;ArcCcw;HelicCw;HelicCcw", 2, 6, Form::kInterp,
     kInterpTargets},
    {"arcplane:", "ArcPlane;XY-plane;XZ-plane;YZ-plane", 3, 3, Form::kInOrder, kArcPlaneTargets},
    {"comp:", "Comp;Off;Left;Right", 3, 3, Form::kInOrder, kCompTargets},
    {"absinc:", "AbsInc;Abs;Inc", 2, 2, Form::kInOrder, kAbsIncTargets},
    {"units:", "Units;Metric;Inch", 2, 2, Form::kInOrder, kUnitsTargets},
    {"feed:", "Feed;FPR;FPM;Inv Time", 3, 3, Form::kInOrder, kFeedTargets},
    {"speed:", "Speed;RPM;CSS", 2, 2, Form::kInOrder, kSpeedTargets},
    {"spindle:", "Spindle;Stop;Cw;Ccw;CwCool;CcwCool", 2, 5, Form::kInOrder, kSpindleTargets},
    {"coolant:", "Coolant;Off;On;Mist;Flood Low;Flood High;Thru Low;Thru High", 2, 7,
     Form::kInOrder, kCoolantTargets},
};

// Field `n` of a description (0 the display name), or nothing.
std::string_view Field(std::string_view description, int n) {
  for (; n > 0; --n) {
    size_t semicolon = description.find(';');
    if (semicolon == std::string_view::npos) return {};
    description.remove_prefix(semicolon + 1);
  }
  return description.substr(0, description.find(';'));
}

// The option words of comment:, in the order their assignments are made.
struct CommentOption {
  std::string_view word;
  IntegerSlot slot;
  std::string_view value;
};
constexpr CommentOption kCommentOptions[] = {
    {"noseq", kSiCommentNoSeq, "1"},   {"noeach", kSiCommentNoEach, "1"},
    {"nospace", kSiCommentNoSpace, "1"}, {"noupper", kSiCommentUpCase, "0"},
    {"noconv", kSiCommentAscii, "0"},  {"oem", kSiCommentOEM, "1"},
    {"noalnum", kSiCommentAlphaNum, "0"},
};

// The axis words of rotary: and tilt: stand for the values of the keyword
// constants of the same name with a '$'.
constexpr std::string_view DollarConstant(std::string_view word) {
  for (const KeywordReplacement& k : kDollarConstants)
    if (k.word.size() == word.size() + 1 && k.word[0] == '$' && k.word.substr(1) == word)
      return k.substitute;
  return {};
}

struct AxisWord {
  std::string_view word;
  std::string_view value;
};
constexpr AxisWord kAxisWords[] = {
    {"table", DollarConstant("table")}, {"head", DollarConstant("head")},
    {"x", DollarConstant("x")},         {"y", DollarConstant("y")},
    {"z", DollarConstant("z")}};
static_assert(!kAxisWords[0].value.empty() && !kAxisWords[1].value.empty() &&
              !kAxisWords[2].value.empty() && !kAxisWords[3].value.empty() &&
              !kAxisWords[4].value.empty());

std::string Reference(Target t) { return VariableReference(t.type, t.slot, 1, false); }

void Assign(std::vector<std::string>& out, Target t, std::string_view value) {
  out.push_back(Reference(t) + "=" + std::string(value));
}

// Parameter i to target i, for the parameters given.
void AssignInOrder(std::vector<std::string>& out, std::span<const Target> targets,
                   const Parameters& params) {
  for (size_t i = 0; i < targets.size() && i < params.size(); ++i) Assign(out, targets[i], params[i]);
}

bool IsString(std::string_view param) { return !param.empty() && param[0] == kTokStringRef; }

// An address reference alone: its byte and its number.
bool IsAddress(std::string_view param) {
  if (param.size() < 2 || param[0] != kTokAddress) return false;
  return param.substr(1).find_first_not_of("0123456789") == std::string_view::npos;
}

void CompileSeqNums(Diagnostics& diag, const Parameters& p, std::vector<std::string>& out) {
  if (!IsAddress(p[1])) FatalAt(diag, kMsgSeqNumsAddress);
  Assign(out, IntVar(kSiSeqOn), p[0]);
  Assign(out, IntVar(kSiSeqAddr), p[1].substr(1));
  Assign(out, RealVar(kSrSeqIni), p[2]);
  Assign(out, RealVar(kSrSeqInc), p[3]);
  Assign(out, RealVar(kSrSeqMax), p[4]);
  // The sequence numbers restart from the new initial value.
  Assign(out, RealVar(kSrSeq), Reference(RealVar(kSrSeqIni)));
}

void CompileComment(Diagnostics& diag, const Parameters& p, std::vector<std::string>& out) {
  if (!IsString(p[0])) FatalAt(diag, kMsgCommentString);
  Assign(out, StrVar(kSsComStart), p[0]);
  if (p.size() >= 2 && IsString(p[1])) Assign(out, StrVar(kSsComEnd), p[1]);
  Assign(out, IntVar(kSiCommentOn), "1");
  for (const CommentOption& option : kCommentOptions) {
    for (std::string_view param : p) {
      if (FindWholeWord(param, option.word) == std::string_view::npos) continue;
      Assign(out, IntVar(option.slot), option.value);
      break;
    }
  }
}

void CompileInterp(const Parameters& p, std::vector<std::string>& out) {
  AssignInOrder(out, kInterpTargets, p);
  // Without helix codes of their own, helical arcs use the arc codes.
  if (p.size() >= 5)
    Assign(out, RealVar(kSrcHelicCw), p[4]);
  else if (p.size() >= 3)
    Assign(out, RealVar(kSrcHelicCw), p[2]);
  if (p.size() >= 6)
    Assign(out, RealVar(kSrcHelicCcw), p[5]);
  else if (p.size() >= 4)
    Assign(out, RealVar(kSrcHelicCcw), p[3]);
}

// A sign or a string begins a new parameter; blanks separate them.
Parameters SplitParameters(std::string_view text, std::string& spaced) {
  spaced.clear();
  for (char c : text) {
    if (c == '+' || c == '-' || c == kTokStringRef) spaced += ' ';
    spaced += c;
  }
  Parameters params;
  std::string_view rest = spaced;
  while (static_cast<int>(params.size()) < kSettingsMaxParameters) {
    size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    size_t end = rest.find(' ');
    params.push_back(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
  }
  return params;
}

const Statement* FindStatement(std::string_view statement, size_t& at) {
  for (const Statement& s : kStatements) {
    at = FindWholeWord(statement, s.keyword);
    if (at != std::string_view::npos) return &s;
  }
  return nullptr;
}

}  // namespace

bool CompileSettingsStatement(Diagnostics& diag, const std::string& statement,
                              std::vector<std::string>& out) {
  size_t at = 0;
  const Statement* s = FindStatement(statement, at);
  if (!s) return false;
  std::string display(Field(s->description, 0));
  if (at != 0) FatalAt(diag, FormatMessage(kMsgInvalidStatement, {display}));

  std::string text = statement.substr(s->keyword.size());
  if (s->form == Form::kAxis)
    for (const AxisWord& a : kAxisWords) ReplaceWholeWords(text, a.word, a.value);
  std::string spaced;
  Parameters params = SplitParameters(text, spaced);
  int count = static_cast<int>(params.size());
  if (count < s->min) {
    std::string_view field = Field(s->description, count + 1);
    FatalAt(diag, FormatMessage(kMsgSettingsMissing,
                                {std::to_string(count + 1),
                                 field.empty() ? kMsgSettingsUnknown : field, display}));
  }
  if (count > s->max) FatalAt(diag, FormatMessage(kMsgSettingsTooMany, {display}));

  std::vector<std::string> assignments;
  switch (s->form) {
    case Form::kInOrder:
    case Form::kAxis: AssignInOrder(assignments, s->targets, params); break;
    case Form::kInterp: CompileInterp(params, assignments); break;
    case Form::kSeqNums: CompileSeqNums(diag, params, assignments); break;
    case Form::kComment: CompileComment(diag, params, assignments); break;
  }
  out = std::move(assignments);
  return true;
}

void SettingsPass(Diagnostics& diag, std::vector<std::string>& statements) {
  std::vector<std::string> result;
  std::vector<std::string> assignments;
  for (std::string& statement : statements) {
    if (CompileSettingsStatement(diag, statement, assignments))
      result.insert(result.end(), assignments.begin(), assignments.end());
    else
      result.push_back(std::move(statement));
  }
  statements = std::move(result);
}

}  // namespace tornel
