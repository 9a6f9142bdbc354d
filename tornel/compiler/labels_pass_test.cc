#include "tornel/compiler/labels_pass.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/records.h"
#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

using tornel_test::MessageAt;
using tornel_test::Record;
using tornel_test::ReportOf;
using tornel_test::ShowBytes;
using Lines = std::vector<std::string>;

const std::string kMain(1, kTokMainStart);
const std::string kFunc(1, kTokFuncStart);

class Labels : public tornel_test::PassTest {
 protected:
  Lines Pass(const Lines& in) { return ShowBytes(LabelsPass(diag, compiler, in)); }
  std::string ErrorOf(const Lines& in) {
    ReportOf(diag, [&] { LabelsPass(diag, compiler, in); });
    return MessageAt(diag);
  }

  CompilerState compiler;
};

TEST_F(Labels, LabelsBecomeLabelLinesAndJumpsReachThem) {
  compiler.label_counter = 5;  // the function entries took 0..4
  Lines out = Pass({
      Record(0, 1, kMain),
      Record(0, 2, "jump done"),  // forward
      Record(0, 3, "label top"),
      Record(0, 4, "if(x>1)jump top"),
      Record(0, 5, "jump topx"),  // no such label: stays
      Record(0, 6, "label done"),
      "{170}2",
  });
  EXPECT_EQ(out, (Lines{"0,1{1}{143}", "0,2{1}{167}6", "{170}5", "0,4{1}if(x>1){167}5",
                        "0,5{1}jump topx", "{170}6", "{170}2"}));
  EXPECT_EQ(compiler.label_counter, 7);
}

TEST_F(Labels, EachFunctionHasItsOwnScopeAndAllMainSectionsShareOne) {
  Lines out = Pass({
      Record(0, 1, kMain), Record(0, 2, "label again"),
      Record(0, 4, kFunc), "{170}0", Record(0, 5, "label again"), Record(0, 6, "jump again"),
      Record(0, 8, kFunc), "{170}1", Record(0, 9, "jump again"),  // none in this function
      Record(0, 11, kMain), Record(0, 12, "jump again"),
  });
  // Label 0 is MAIN's (the entry labels above are only lines here).
  EXPECT_EQ(out[1], "{170}0");
  EXPECT_EQ(out[4], "{170}1");
  EXPECT_EQ(out[5], "0,6{1}{167}1");
  EXPECT_EQ(out[8], "0,9{1}jump again");
  EXPECT_EQ(out[10], "0,12{1}{167}0");

  EXPECT_EQ(ErrorOf({Record(0, 1, kMain), Record(0, 2, "label l1"), Record(1, 1, kMain),
                     Record(1, 2, "label l1")}),
            "Label name l1 already in use. Use another name for label in @1,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, kFunc), Record(0, 2, "label l1"), Record(0, 3, "label l1")}),
            "Label name l1 already in use. Use another name for label in @0,3");
}

TEST_F(Labels, Errors) {
  for (const char* bad : {"label", "label a b", "label a+1", "x=1 label a", "label:a"})
    EXPECT_EQ(ErrorOf({Record(0, 1, kMain), Record(0, 3, bad)}), "Invalid LABEL statement in @0,3")
        << bad;
  EXPECT_EQ(ErrorOf({Record(0, 1, kMain), Record(0, 2, "label a"), Record(0, 3, "jump a;x=1")}),
            "Invalid JUMP statement in @0,3");
}

}  // namespace
}  // namespace tornel
