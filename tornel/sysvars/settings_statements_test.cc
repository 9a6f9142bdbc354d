#include "tornel/sysvars/settings_statements.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tornel/builtins/builtin_table.h"
#include "tornel/compiler/final_pass.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/variable_declarations.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {
namespace {

using Lines = std::vector<std::string>;

std::string I(IntegerSlot slot) { return VariableReference(VarType::kInteger, slot, 1, false); }
std::string R(RealSlot slot) { return VariableReference(VarType::kReal, slot, 1, false); }
std::string S(StringSlot slot) { return VariableReference(VarType::kString, slot, 1, false); }
std::string Str(int number) { return std::string(1, kTokStringRef) + std::to_string(number); }
std::string Addr(int number) { return std::string(1, kTokAddress) + std::to_string(number); }

// The statements that `statement` compiles into (itself when it is no
// settings statement).
Lines Compiled(const std::string& statement) {
  Diagnostics diag;
  Lines out{statement};
  SettingsPass(diag, out);
  return out;
}

// The message that compiling `statement` reports.
std::string Refusal(const std::string& statement) {
  Diagnostics diag;
  diag.post_file = "p.tr";
  Lines out;
  std::string report = tornel_test::ReportOf(diag, [&] {
    CompileSettingsStatement(diag, statement, out);
  });
  EXPECT_TRUE(out.empty()) << "assignments left behind by " << statement;
  const std::string head = "Error in postprocessor file - p.tr\n\n";
  const std::string tail = " unknown line";
  if (!report.starts_with(head) || !report.ends_with(tail)) return report;
  return report.substr(head.size(), report.size() - head.size() - tail.size());
}

TEST(SettingsStatements, OtherStatementsPassUnchanged) {
  EXPECT_EQ(Compiled("a=1"), Lines{"a=1"});
  EXPECT_EQ(Compiled("uifeed=2"), Lines{"uifeed=2"});
  EXPECT_EQ(Compiled("o: " + Addr(3)), Lines{"o: " + Addr(3)});
  Diagnostics diag;
  Lines out{"kept"};
  EXPECT_FALSE(CompileSettingsStatement(diag, "x=units", out));
  EXPECT_EQ(out, Lines{"kept"});
}

TEST(SettingsStatements, InterpWithHelixFallbacks) {
  // Two parameters leave the arc and helix codes alone.
  EXPECT_EQ(Compiled("interp: 0 1"), (Lines{R(kSrcRapid) + "=0", R(kSrcLine) + "=1"}));
  EXPECT_EQ(Compiled("interp: 0 1 2"), (Lines{R(kSrcRapid) + "=0", R(kSrcLine) + "=1",
                                               R(kSrcArcCw) + "=2", R(kSrcHelicCw) + "=2"}));
  EXPECT_EQ(Compiled("interp: 0 1 2 3"),
            (Lines{R(kSrcRapid) + "=0", R(kSrcLine) + "=1", R(kSrcArcCw) + "=2",
                   R(kSrcArcCcw) + "=3", R(kSrcHelicCw) + "=2", R(kSrcHelicCcw) + "=3"}));
  EXPECT_EQ(Compiled("interp: 0 1 2 3 12"),
            (Lines{R(kSrcRapid) + "=0", R(kSrcLine) + "=1", R(kSrcArcCw) + "=2",
                   R(kSrcArcCcw) + "=3", R(kSrcHelicCw) + "=12", R(kSrcHelicCcw) + "=3"}));
  EXPECT_EQ(Compiled("interp: 0 1 2 3 12 13"),
            (Lines{R(kSrcRapid) + "=0", R(kSrcLine) + "=1", R(kSrcArcCw) + "=2",
                   R(kSrcArcCcw) + "=3", R(kSrcHelicCw) + "=12", R(kSrcHelicCcw) + "=13"}));
}

TEST(SettingsStatements, ASignOrAStringStartsAParameter) {
  Lines three{R(kSrcSpStop) + "=5", R(kSrcSpCw) + "=3", R(kSrcSpCcw) + "=-4"};
  EXPECT_EQ(Compiled("spindle: 5 3 -4"), three);
  EXPECT_EQ(Compiled("spindle: 5 3-4"), three);
  EXPECT_EQ(Compiled("spindle: 5+3"), (Lines{R(kSrcSpStop) + "=5", R(kSrcSpCw) + "=+3"}));
  EXPECT_EQ(Compiled("spindle: 5 3 4 8 9"),
            (Lines{R(kSrcSpStop) + "=5", R(kSrcSpCw) + "=3", R(kSrcSpCcw) + "=4",
                   R(kSrcSpCwCool) + "=8", R(kSrcSpCcwCool) + "=9"}));
  // Parameters are expression text: names and references pass unchanged.
  std::string var = R(kSrcRapid);
  EXPECT_EQ(Compiled("units: " + var + " #inch"),
            (Lines{R(kSrcMetric) + "=" + var, R(kSrcInch) + "=#inch"}));
}

TEST(SettingsStatements, CodeGroupsInOrder) {
  EXPECT_EQ(Compiled("coolant: 9 8 7"),
            (Lines{R(kSrcCoolOff) + "=9", R(kSrcCoolOn) + "=8", R(kSrcCoolMist) + "=7"}));
  EXPECT_EQ(Compiled("coolant: 9 8 7 6 5 4 3"),
            (Lines{R(kSrcCoolOff) + "=9", R(kSrcCoolOn) + "=8", R(kSrcCoolMist) + "=7",
                   R(kSrcCoolFloodLo) + "=6", R(kSrcCoolFloodHi) + "=5",
                   R(kSrcCoolThruLo) + "=4", R(kSrcCoolThruHi) + "=3"}));
  EXPECT_EQ(Compiled("arcplane: 17 18 19"),
            (Lines{R(kSrcXYplane) + "=17", R(kSrcXZplane) + "=18", R(kSrcYZplane) + "=19"}));
  EXPECT_EQ(Compiled("comp: 40 41 42"),
            (Lines{R(kSrcCompOff) + "=40", R(kSrcCompLeft) + "=41", R(kSrcCompRight) + "=42"}));
  EXPECT_EQ(Compiled("absinc: 90 91"), (Lines{R(kSrcAbs) + "=90", R(kSrcInc) + "=91"}));
  EXPECT_EQ(Compiled("units: 71 70"), (Lines{R(kSrcMetric) + "=71", R(kSrcInch) + "=70"}));
  EXPECT_EQ(Compiled("feed: 95 94 93"),
            (Lines{R(kSrcFPR) + "=95", R(kSrcFPM) + "=94", R(kSrcInvTime) + "=93"}));
  EXPECT_EQ(Compiled("speed: 97 96"), (Lines{R(kSrcRPM) + "=97", R(kSrcCSS) + "=96"}));
  EXPECT_EQ(Compiled("nutator: -1"), (Lines{I(kSiNutator) + "=-1"}));
  EXPECT_EQ(Compiled("postunits: 1"), (Lines{I(kSiMetricPost) + "=1"}));
}

TEST(SettingsStatements, RotaryAndTiltReadAxisWords) {
  EXPECT_EQ(Compiled("rotary: table z 1 0 -360 360 0.001 0 0 0"),
            (Lines{I(kSiRotType) + "=12", I(kSiRotAround) + "=16", R(kSrRotScale) + "=1",
                   R(kSrRotTrans) + "=0", R(kSrRotMinAng) + "=-360", R(kSrRotMaxAng) + "=360",
                   R(kSrRotAccuracy) + "=0.001", R(kSrRot_X_Pivot) + "=0",
                   R(kSrRot_Y_Pivot) + "=0", R(kSrRot_Z_Pivot) + "=0"}));
  EXPECT_EQ(Compiled("tilt: head x -1 90 -30 120 0.01 1 2 3"),
            (Lines{I(kSiTiltType) + "=13", I(kSiTiltAround) + "=14", R(kSrTiltScale) + "=-1",
                   R(kSrTiltTrans) + "=90", R(kSrTiltMinAng) + "=-30",
                   R(kSrTiltMaxAng) + "=120", R(kSrTiltAccuracy) + "=0.01",
                   R(kSrTilt_X_Pivot) + "=1", R(kSrTilt_Y_Pivot) + "=2",
                   R(kSrTilt_Z_Pivot) + "=3"}));
  Lines y = Compiled("tilt: 12 y 1 0 0 0 0 0 0 0");
  EXPECT_EQ(y.at(1), I(kSiTiltAround) + "=15");
  // Only rotary: and tilt: know the axis words.
  EXPECT_EQ(Compiled("speed: x y"), (Lines{R(kSrcRPM) + "=x", R(kSrcCSS) + "=y"}));
}

TEST(SettingsStatements, SeqNumsTakesAnAddress) {
  EXPECT_EQ(Compiled("seqnums: yes " + Addr(3) + " 10 5 9999"),
            (Lines{I(kSiSeqOn) + "=yes", I(kSiSeqAddr) + "=3", R(kSrSeqIni) + "=10",
                   R(kSrSeqInc) + "=5", R(kSrSeqMax) + "=9999", R(kSrSeq) + "=" + R(kSrSeqIni)}));
  EXPECT_EQ(Refusal("seqnums: yes 10 10 10 9999"),
            "Invalid parameter 2 (must be Address) in SeqNums statement in");
  EXPECT_EQ(Refusal("seqnums: yes _n 10 10 9999"),
            "Invalid parameter 2 (must be Address) in SeqNums statement in");
  EXPECT_EQ(Refusal("seqnums: yes " + Str(900) + " 10 10 9999"),
            "Invalid parameter 2 (must be Address) in SeqNums statement in");
}

TEST(SettingsStatements, CommentStringsAndOptions) {
  EXPECT_EQ(Compiled("comment: " + Str(900) + Str(901) + " noseq noupper"),
            (Lines{S(kSsComStart) + "=" + Str(900), S(kSsComEnd) + "=" + Str(901),
                   I(kSiCommentOn) + "=1", I(kSiCommentNoSeq) + "=1",
                   I(kSiCommentUpCase) + "=0"}));
  // Options in any order give their assignments in a fixed order; a second
  // parameter that is no string is no end string.
  EXPECT_EQ(Compiled("comment: " + Str(900) + " noalnum oem noconv nospace noeach"),
            (Lines{S(kSsComStart) + "=" + Str(900), I(kSiCommentOn) + "=1",
                   I(kSiCommentNoEach) + "=1", I(kSiCommentNoSpace) + "=1",
                   I(kSiCommentAscii) + "=0", I(kSiCommentOEM) + "=1",
                   I(kSiCommentAlphaNum) + "=0"}));
  // A string variable is a string too; unknown words do nothing.
  EXPECT_EQ(Compiled("comment: " + S(kSsComEnd) + " noascii"),
            (Lines{S(kSsComStart) + "=" + S(kSsComEnd), I(kSiCommentOn) + "=1"}));
  EXPECT_EQ(Refusal("comment: 40"), "Invalid parameter 1 (must be String) in Comment statement in");
  EXPECT_EQ(Refusal("comment: noseq " + Str(900)),
            "Invalid parameter 1 (must be String) in Comment statement in");
}

TEST(SettingsStatements, ParameterCounts) {
  EXPECT_EQ(Refusal("interp: 0"), "Parameter 2 (Line) missing from Interp statement in");
  EXPECT_EQ(Refusal("interp: 0 1 2 3 4 5 6"), "Too many parameters in Interp statement in");
  EXPECT_EQ(Refusal("comment: "),
            "Parameter 1 (Comment start string) missing from Comment statement in");
  EXPECT_EQ(Refusal("rotary: table z 1 0 -360 360 0.001 0 0"),
            "Parameter 10 (Pivot distance in Z) missing from Rotary/Tilt statement in");
  EXPECT_EQ(Refusal("tilt: 1 2 3 4 5 6 7 8 9 10 11"),
            "Too many parameters in Rotary/Tilt statement in");
  EXPECT_EQ(Refusal("seqnums: yes"), "Parameter 2 (Address) missing from SeqNums statement in");
  EXPECT_EQ(Refusal("coolant: 1"), "Parameter 2 (On) missing from Coolant statement in");
  EXPECT_EQ(Refusal("feed: 1 2"), "Parameter 3 (Inv Time) missing from Feed statement in");
  EXPECT_EQ(Refusal("nutator: "),
            "Parameter 1 (Pointing direction +1 or -1) missing from Nutator statement in");
  EXPECT_EQ(Refusal("postunits: 1-1"), "Too many parameters in PostUnits statement in");
  // At most 39 pieces are read: more still counts as too many.
  std::string many = "coolant:";
  for (int i = 0; i < 60; ++i) many += " " + std::to_string(i);
  EXPECT_EQ(Refusal(many), "Too many parameters in Coolant statement in");
}

TEST(SettingsStatements, TheKeywordMustBeginTheStatement) {
  EXPECT_EQ(Refusal("a=1 feed: 1 2 3"), "Invalid Feed statement in");
  EXPECT_EQ(Refusal("x=(tilt: 1)"), "Invalid Rotary/Tilt statement in");
  EXPECT_EQ(Refusal("if(a)units: 1 2"), "Invalid Units statement in");
}

TEST(SettingsStatements, InTheFinalTextPass) {
  FinalPassHooks hooks;
  hooks.builtins = [](Diagnostics&, std::vector<std::string>& s) {
    for (std::string& x : s) ReplaceBuiltinNames(x);
  };
  hooks.settings = SettingsPass;
  Diagnostics diag;
  Lines out = FinalTextPass(diag,
                            {WithLocation({1, 9}, "seqnums:yes " + Addr(2) + " 10 10 9999"),
                             WithLocation({1, 10}, "spindle:5 3-abs(4)")},
                            hooks);
  EXPECT_EQ(out, (Lines{WithLocation({1, 9}, I(kSiSeqOn) + "=1"),
                        WithLocation({1, 9}, I(kSiSeqAddr) + "=2"),
                        WithLocation({1, 9}, R(kSrSeqIni) + "=10"),
                        WithLocation({1, 9}, R(kSrSeqInc) + "=10"),
                        WithLocation({1, 9}, R(kSrSeqMax) + "=9999"),
                        WithLocation({1, 9}, R(kSrSeq) + "=" + R(kSrSeqIni)),
                        WithLocation({1, 10}, R(kSrcSpStop) + "=5"),
                        WithLocation({1, 10}, R(kSrcSpCw) + "=3"),
                        WithLocation({1, 10}, R(kSrcSpCcw) + "=-" + BuiltinToken(kFnAbs) + "(4)")}));
}

}  // namespace
}  // namespace tornel
