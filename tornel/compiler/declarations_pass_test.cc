#include "tornel/compiler/declarations_pass.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/in_memory.h"
#include "tests/records.h"
#include "tornel/compiler/constants_pass.h"
#include "tornel/compiler/labels_pass.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/sysvars/keyword_pass.h"
#include "tornel/sysvars/registry.h"
#include "tornel/sysvars/system_variables.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {
namespace {

using tornel_test::MessageAt;
using tornel_test::Record;
using tornel_test::ReportOf;
using tornel_test::ShowBytes;
using Lines = std::vector<std::string>;

class Declarations : public tornel_test::PassTest {
 protected:
  void SetUp() override {
    PassTest::SetUp();
    ClearPostFunctions(post_functions);
  }

  Lines Pass(const Lines& in) {
    return ShowBytes(DeclarationsPass(diag, compiler, variables, post_functions, in));
  }
  std::string ErrorOf(const Lines& in) {
    ReportOf(diag, [&] { DeclarationsPass(diag, compiler, variables, post_functions, in); });
    return MessageAt(diag);
  }
  // `body` as the records of one function of the post file, from line 1.
  std::string FunctionErrorOf(const std::string& header, const Lines& body = {}) {
    Lines in = {Record(0, 1, "func " + header)};
    for (const std::string& s : body) in.push_back(Record(0, static_cast<int>(in.size()) + 1, s));
    in.push_back(Record(0, static_cast<int>(in.size()) + 1, "end func"));
    return ErrorOf(in);
  }
  std::vector<int32_t> Descriptor(int offset, int params) {
    const std::vector<int32_t>& d = compiler.functions.descriptors;
    return std::vector<int32_t>(d.begin() + offset, d.begin() + offset + DescriptorSize(params));
  }

  CompilerState compiler;
  VariableTable variables;
  PostFunctionTable post_functions;
};

TEST_F(Declarations, WorkedExampleOfAUserFunction) {
  variables.slots_used = {57, 0, 0};
  compiler.label_counter = 3;
  Lines out = Pass({
      Record(0, 1, "main"),
      Record(0, 2, "variable"), Record(0, 2, "uix"), Record(0, 2, "uipad[2]"), Record(0, 2, "end"),
      Record(0, 5, "uix=fiadd(1,2)"),
      Record(0, 6, "end main"),
      Record(0, 20, "func fiadd(lia,lib)"),
      Record(0, 21, "return lia+lib"),
      Record(0, 22, "end func"),
  });
  EXPECT_EQ(out, (Lines{"0,1{1}{143}", "0,5{1}{130}57={136}{190}0(1,2)", "0,6{1}{144}",
                        "0,20{1}{140}", "{170}3", "0,21{1}return {130}60+{130}61",
                        "0,22{1}{141}"}));
  EXPECT_EQ(Descriptor(0, 2), (std::vector<int32_t>{3, 2, 60, 62, 0, 0, 0, 0, 130, 60, 130, 61}));
  EXPECT_EQ(compiler.label_counter, 4);
  EXPECT_EQ(SlotsUsed(variables, VarType::kInteger), 62);
}

TEST_F(Declarations, ReferencesAndDescriptorsOfEveryKind) {
  Lines out = Pass({
      Record(0, 1, "main"),
      Record(0, 2, "x=fr1+fs1+fv1+fvx+toolchange"),
      Record(0, 3, "end main"),
      Record(0, 4, "func fr1(!lia,!lrb,!lsc,lrd)"),  // descriptor 0: 8 + 2 * 4
      Record(0, 5, "variable"), Record(0, 5, "lrlocal[3]"), Record(0, 5, "end"),
      Record(0, 6, "end func"),
      Record(0, 7, "func fs1"), Record(0, 8, "end func"),     // offset 16
      Record(0, 9, "func fv1()"), Record(0, 10, "end func"),  // offset 24
      Record(0, 11, "func fvx"), Record(0, 12, "end func"),   // offset 32
      Record(0, 13, "func toolchange"), Record(0, 14, "end func"),        // offset 40
      Record(0, 15, "func onaddrout[_x](lia)"), Record(0, 16, "end func"),  // offset 48
  });
  EXPECT_EQ(out[1], "0,2{1}x={136}{191}0+{137}{190}16+{138}{190}24+{138}{190}32+{138}{194}40");
  // Parameters and locals take slots in order; the real range holds both.
  EXPECT_EQ(Descriptor(0, 4),
            (std::vector<int32_t>{0, 4, 0, 1, 0, 5, 0, 1, 133, 0, 134, 0, 135, 0, 131, 1}));
  EXPECT_EQ(Descriptor(16, 0), (std::vector<int32_t>{1, 0, 1, 1, 5, 5, 1, 1}));
  // An OnAddrOut function records the line of its FUNC statement in place of
  // the parameter count.
  EXPECT_EQ(Descriptor(48, 1), (std::vector<int32_t>{5, 15, 1, 2, 5, 5, 1, 1, 130, 1}));
  EXPECT_EQ(compiler.functions.descriptor_end, 58);
  EXPECT_EQ(post_functions[PostFunctionNumber("ToolChange")], 4);
  ASSERT_EQ(compiler.functions.address_hooks.size(), 1u);
  const AddressHook& hook = compiler.functions.address_hooks[0];
  EXPECT_TRUE(hook.out);
  EXPECT_EQ(hook.address, "_x");
  EXPECT_EQ(hook.descriptor, 48);
  EXPECT_EQ(hook.loc.line, 15);
}

TEST_F(Declarations, LocalsAreKnownFromTheirDefinitionOnInTheirFunctionOnly) {
  Lines out = Pass({
      Record(0, 1, "func fva"),
      Record(0, 2, "lia=1"),  // used before its VARIABLE block: stays a name
      Record(0, 3, "variable"), Record(0, 3, "lia"), Record(0, 3, "end"),
      Record(0, 4, "lia=2"),
      Record(0, 5, "end func"),
      Record(0, 6, "func fvb"),
      Record(0, 7, "lia=3"),  // another function's local
      Record(0, 8, "end func"),
  });
  EXPECT_EQ(out[2], "0,2{1}lia=1");
  EXPECT_EQ(out[3], "0,4{1}{130}0=2");
  EXPECT_EQ(out[7], "0,7{1}lia=3");
}

TEST_F(Declarations, GlobalsAreKnownEverywhereAndSharedBetweenFiles) {
  RegisterSystemVariables(variables);
  const int first_int = kIntegerSystemSlots;
  Lines out = Pass({
      Record(0, 1, "main"),
      Record(0, 2, "uicount=uicount+sieachon+urtab[2]"),  // before the declarations
      Record(0, 3, "variable"), Record(0, 3, "uicount"), Record(0, 3, "urtab[4]"), Record(0, 3, "end"),
      Record(0, 4, "end main"),
      Record(1, 1, "main"),
      Record(1, 2, "variable"), Record(1, 2, "uicount[9]"), Record(1, 2, "uinew"), Record(1, 2, "end"),
      Record(1, 3, "uinew=uicount"),
      Record(1, 4, "end main"),
  });
  std::string count = "{130}" + std::to_string(first_int);
  EXPECT_EQ(out[1], "0,2{1}" + count + "=" + count + "+{130}" + std::to_string(kSiEachOn) +
                        "+{131}" + std::to_string(kRealSystemSlots) + "|4[2]");
  // The include file's uicount is the post file's: one slot, first size.
  EXPECT_EQ(out[4], "1,3{1}{130}" + std::to_string(first_int + 1) + "=" + count);
  EXPECT_EQ(SlotsUsed(variables, VarType::kInteger), first_int + 2);
}

TEST_F(Declarations, VariableErrors) {
  auto in_main = [&](const std::string& def) {
    return ErrorOf({Record(0, 1, "main"), Record(0, 2, "variable"), Record(0, 3, def)});
  };
  auto in_function = [&](const std::string& def) {
    return ErrorOf({Record(0, 1, "func fvx"), Record(0, 2, "variable"), Record(0, 3, def)});
  };
  EXPECT_EQ(in_main("lia"),
            "Variables defined outside functions must be user type, wrong type in @0,3");
  EXPECT_EQ(in_function("uia"),
            "Variables defined inside function must be local type, wrong type in @0,3");
  for (const char* bad : {"xia", "uxa", "ui-a", "uia[0]", "uia[3", "uia[x]", "u", "end x"})
    EXPECT_EQ(in_main(bad), "Invalid variable definition in @0,3") << bad;
  EXPECT_EQ(in_function("lq"), "Invalid variable definition in @0,3");

  EXPECT_EQ(ErrorOf({Record(0, 1, "main"), Record(0, 2, "variable"), Record(0, 2, "uicount"),
                     Record(0, 2, "end"), Record(0, 3, "end main"), Record(0, 4, "main"),
                     Record(0, 5, "variable"), Record(0, 6, "uicount[2]")}),
            "Variable name uicount already in use. Use another name for variable in @0,6");
  EXPECT_EQ(ErrorOf({Record(0, 1, "func fvx(lia)"), Record(0, 2, "variable"), Record(0, 3, "lia")}),
            "Variable name lia already in use. Use another name for variable in @0,3");
  EXPECT_EQ(ErrorOf({Record(0, 1, "variable")}),
            "VARIABLE statement outside of main section or function in @0,1");
  EXPECT_EQ(ErrorOf({Record(0, 1, "main"), Record(0, 2, "variable uia")}),
            "Invalid VARIABLE statement in @0,2");
}

TEST_F(Declarations, SectionErrors) {
  EXPECT_EQ(ErrorOf({Record(0, 1, "main x")}), "Invalid MAIN statement in @0,1");
  EXPECT_EQ(ErrorOf({Record(0, 1, "main"), Record(0, 2, "main")}),
            "Main section defined inside main section in @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "func fvx"), Record(0, 2, "main")}),
            "Main section defined inside function in @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "end main")}),
            "END MAIN statement without preceding MAIN statement in @0,1");
  EXPECT_EQ(ErrorOf({Record(0, 1, "main"), Record(0, 2, "end main x")}),
            "Invalid END MAIN statement in @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "main"), Record(0, 2, "func fvx")}),
            "Function defined inside main section in @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "func fvx"), Record(0, 2, "func fvy")}),
            "Function defined inside function in @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "main"), Record(0, 2, "end func")}),
            "END FUNC statement without preceding FUNC statement in @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "func fvx"), Record(0, 2, "end func now")}),
            "Invalid END FUNC statement in @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "uia=1")}), "Code outside of main section or function in @0,1");
  EXPECT_EQ(ErrorOf({Record(0, 1, "main"), Record(0, 2, "end main"), Record(0, 3, "end")}),
            "Code outside of main section or function in @0,3");
  EXPECT_EQ(ErrorOf({Record(0, 1, "main"), Record(0, 2, "x=1")}),
            "Main section not ended properly with END MAIN statement in @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "func fvx"), Record(1, 9, "x=1")}),
            "Function not ended properly with END FUNC statement in @1,9");
}

TEST_F(Declarations, FunctionHeaderErrors) {
  EXPECT_EQ(ErrorOf({Record(0, 1, "x=1 func fvx")}), "Invalid FUNC statement in @0,1");
  EXPECT_EQ(ErrorOf({Record(0, 1, "func fvx func")}), "Invalid FUNC statement in @0,1");
  for (const char* bad : {"", "nosuch", "fi-x", "fvx y", "fvx[2]", "toolchangex", "onaptx"})
    EXPECT_EQ(FunctionErrorOf(bad), "Invalid function definition in @0,1") << bad;
  EXPECT_EQ(FunctionErrorOf("fvx(lia"),
            "Right parenthesis ) is missing from user function definition in @0,1");
  EXPECT_EQ(FunctionErrorOf("fvx lia)"),
            "Left parenthesis ( is missing from user function definition in @0,1");
  for (const char* bad : {"fvx(uia)", "fvx(lia,)", "fvx(!)", "fvx(lia,ria)"})
    EXPECT_EQ(FunctionErrorOf(bad), "Function parameter variables must be local, wrong type in @0,1")
        << bad;
  EXPECT_EQ(FunctionErrorOf("fvx(lxa)"), "Invalid variable definition in @0,1");
  EXPECT_EQ(FunctionErrorOf("fvx(li-a)"), "Invalid variable definition in @0,1");
  EXPECT_EQ(FunctionErrorOf("fvx(lia[2])"), "Array as a function parameter in @0,1");
  EXPECT_EQ(FunctionErrorOf("fvx(lia,!lia)"),
            "Variable name lia already in use. Use another name for variable in @0,1");
}

TEST_F(Declarations, OnAptCommands) {
  Lines out = Pass({
      Record(0, 1, "func onapt[goto]"), Record(0, 2, "end func"),
      Record(0, 3, "func onapt[coolnt](lia)"), Record(0, 4, "end func"),
      Record(1, 1, "func onapt[goto]"), Record(1, 2, "end func"),  // the first one stays
  });
  EXPECT_EQ(out[0], "0,1{1}{140}");
  ASSERT_EQ(compiler.functions.onapt.size(), 2u);
  EXPECT_EQ(compiler.functions.onapt[0].label, 0);
  EXPECT_EQ(compiler.functions.onapt[0].command, "GOTO");
  EXPECT_EQ(compiler.functions.onapt[1].label, 1);
  EXPECT_EQ(compiler.functions.onapt[1].command, "COOLNT");
  EXPECT_EQ(compiler.functions.descriptor_end, 8 + 10);  // none for the second file's

  EXPECT_EQ(ErrorOf({Record(0, 1, "func onapt[goto]"), Record(0, 2, "end func"),
                     Record(0, 3, "func onapt[goto]")}),
            "OnAPT function for GOTO already defined. Redefinition not allowed in @0,3");
  EXPECT_EQ(FunctionErrorOf("onapt[abcdefg]"),
            "Too many characters in APT command of OnAPT function in @0,1");
  EXPECT_EQ(FunctionErrorOf("onapt[]"), "No APT command specified in OnAPT function in @0,1");
  EXPECT_EQ(FunctionErrorOf("onapt[go to]"),
            "Right bracket ] is missing from OnAPT function definition in @0,1");
  EXPECT_EQ(FunctionErrorOf("onapt goto"),
            "Left bracket [ is missing from OnAPT-function definition in @0,1");
  EXPECT_EQ(FunctionErrorOf("onapt[goto]x"), "Invalid function definition in @0,1");
}

TEST_F(Declarations, OnAddrFunctions) {
  Pass({Record(0, 1, "func onaddr[_x]"), Record(0, 2, "end func"),
        Record(0, 3, "func onaddrout[_x]"), Record(0, 4, "end func")});
  ASSERT_EQ(compiler.functions.address_hooks.size(), 2u);
  EXPECT_FALSE(compiler.functions.address_hooks[0].out);
  EXPECT_TRUE(compiler.functions.address_hooks[1].out);

  EXPECT_EQ(FunctionErrorOf("onaddr(_x)"),
            "Left bracket [ is missing from OnAddr-function definition in @0,1");
  EXPECT_EQ(FunctionErrorOf("onaddrout[x]"),
            "Parameter must be address in OnAddrOut-function definition.\n"
            "Wrong type OnAddrOut-function parameter in @0,1");
  EXPECT_EQ(FunctionErrorOf("onaddr[_]"), "No Address specified in OnAddr function in @0,1");
  EXPECT_EQ(FunctionErrorOf("onaddrout[_x"),
            "Right bracket ] is missing from OnAddrOut function definition in @0,1");
  EXPECT_EQ(ErrorOf({Record(0, 1, "func onaddr[_x]"), Record(0, 2, "end func"),
                     Record(0, 3, "func onaddr[_x]")}),
            "OnAddr function for _x already defined. Redefinition not allowed in @0,3");
}

TEST_F(Declarations, FunctionsDefinedAgain) {
  // In a later file: the first definition stays, calls go there, the body
  // is compiled but gets no descriptor.
  Lines out = Pass({
      Record(0, 1, "func fvx"), Record(0, 2, "end func"),
      Record(0, 3, "func toolchange"), Record(0, 4, "end func"),
      Record(1, 1, "func toolchange"), Record(1, 2, "end func"),
      Record(1, 3, "func fvx"), Record(1, 4, "fvx"), Record(1, 5, "end func"),
  });
  EXPECT_EQ(post_functions[PostFunctionNumber("ToolChange")], 1);
  EXPECT_EQ(out[9], "1,3{1}{140}");
  EXPECT_EQ(out[10], "{170}3");
  EXPECT_EQ(out[11], "1,4{1}{138}{190}0");
  EXPECT_EQ(compiler.functions.descriptor_end, 16);

  EXPECT_EQ(ErrorOf({Record(0, 1, "func toolchange"), Record(0, 2, "end func"),
                     Record(0, 3, "func toolchange")}),
            "Post function ToolChange already defined. Redefinition not allowed in @0,3");
  EXPECT_EQ(ErrorOf({Record(1, 1, "func fix(lia)"), Record(1, 2, "end func"),
                     Record(1, 3, "func fix")}),
            "User function name fix already defined. Use another name for function in @1,3");
}

TEST_F(Declarations, StringLiteralsGoBeforeTheStringVariables) {
  RegisterSystemVariables(variables);
  PushText(diag, compiler.stacks, kStringLiteralRow, "First");
  PushText(diag, compiler.stacks, kStringLiteralRow, "second");
  Lines out = Pass({
      Record(0, 1, "main"),
      Record(0, 2, "variable"), Record(0, 2, "usname"), Record(0, 2, "end"),
      Record(0, 3, "usname=\x84" + std::to_string(kFirstStringLiteral + 1)),
      Record(0, 4, "end main"),
  });
  int name_slot = kFirstStringLiteral + 2;
  EXPECT_EQ(out[1], "0,3{1}{132}" + std::to_string(name_slot) + "={132}" +
                        std::to_string(kFirstStringLiteral + 1));

  ValueTables values;
  CreateValueTables(diag, compiler, variables, values);
  ASSERT_EQ(values.strings.size(), static_cast<size_t>(name_slot + 1));
  EXPECT_EQ(values.strings[kFirstStringLiteral], "First");
  EXPECT_EQ(values.strings[kFirstStringLiteral + 1], "second");
  EXPECT_EQ(values.strings[name_slot], "");
  EXPECT_EQ(values.ints.size(), static_cast<size_t>(kIntegerSystemSlots));
  EXPECT_EQ(TextCount(compiler.stacks, kStringLiteralRow), 0u);
}

// The passes from post text on, as the compile runs them.
class DeclaredPost : public tornel_test::InMemory {
 protected:
  void SetUp() override {
    ClearPostFunctions(post_functions);
    RegisterSystemVariables(variables);
    diag.post_file = "p.tr";
    Quote(diag);
  }
  Lines Compile(const std::string& post) {
    WriteFile("p.tr", post);
    Lines text = Preprocess(diag, sources, compiler.stacks, variables.system_string_slots,
                            ReadSourceLines(diag, sources, "p.tr"));
    text = KeywordPass(diag, text);
    text = ConstantsPass(diag, text);
    text = DeclarationsPass(diag, compiler, variables, post_functions, text);
    return ShowBytes(LabelsPass(diag, compiler, text));
  }

  Diagnostics diag;
  CompilerState compiler;
  VariableTable variables;
  PostFunctionTable post_functions;
};

TEST_F(DeclaredPost, TheFirstToolChangeInFileOrderRuns) {
  WriteFile("a.inc", "Func ToolChange\nEnd Func\n");
  WriteFile("b.inc", "FUNC TOOLCHANGE\nEND FUNC\n");
  Compile("include: 'b.inc'\n"
          "include: 'a.inc'\n"
          "MAIN\nEND MAIN\n");
  // b.inc is file 1; its function took label 0.
  EXPECT_EQ(post_functions[PostFunctionNumber("ToolChange")], 0);
}

TEST_F(DeclaredPost, AVariableDeclaredInTwoFilesIsOne) {
  WriteFile("common.inc", "main\n  variable\n    uiCount\n  end\nend main\n");
  Lines out = Compile("include: 'common.inc'\n"
                      "MAIN\n"
                      "  VARIABLE\n    UICOUNT\n  END\n"
                      "  uiCount = 1\n"
                      "END MAIN\n");
  EXPECT_EQ(out[1], "0,6{1}{130}" + std::to_string(kIntegerSystemSlots) + "=1");
  EXPECT_EQ(SlotsUsed(variables, VarType::kInteger), kIntegerSystemSlots + 1);
}

TEST_F(DeclaredPost, OnAptCommandsIgnoreCase) {
  std::string report = ReportOf(diag, [&] {
    Compile("Func OnAPT[goto]\nEnd Func\nFunc OnAPT[GOTO]\nEnd Func\n");
  });
  EXPECT_EQ(report,
            "Error in postprocessor file - p.tr\n\n"
            "OnAPT function for GOTO already defined. Redefinition not allowed in line 3:\n"
            "Func OnAPT[GOTO]\n");
}

TEST_F(DeclaredPost, ADeclarationErrorNamesTheIncludeFileAndLine) {
  WriteFile("vars.inc", "main\n  variable\n    urFeed\n    urFeed\n  end\nend main\n");
  std::string report = ReportOf(diag, [&] { Compile("include: 'vars.inc'\nmain\nend main\n"); });
  EXPECT_EQ(report,
            "Error in include file - vars.inc\n\n"
            "Variable name urfeed already in use. Use another name for variable in line 4:\n"
            "    urFeed\n");
}

}  // namespace
}  // namespace tornel
