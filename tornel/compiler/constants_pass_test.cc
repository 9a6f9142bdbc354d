#include "tornel/compiler/constants_pass.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/records.h"

namespace tornel {
namespace {

using tornel_test::MessageAt;
using tornel_test::Record;
using tornel_test::ReportOf;
using tornel_test::ShowBytes;
using Lines = std::vector<std::string>;

class ConstantsPassTest : public tornel_test::PassTest {
 protected:
  Lines Pass(const Lines& in) { return ShowBytes(ConstantsPass(diag, in)); }
  std::string ErrorOf(const Lines& in) {
    ReportOf(diag, [&] { ConstantsPass(diag, in); });
    return MessageAt(diag);
  }
};

TEST_F(ConstantsPassTest, ReplacesWholeWordsEverywhere) {
  Lines out = Pass({
      Record(0, 1, "main"),
      Record(0, 2, "x=#feed+#feeder+a#feed"),  // before the definition
      Record(0, 3, "constant"),
      Record(0, 4, "#feed=f1000"),
      Record(0, 5, "end"),
      Record(0, 6, "end main"),
      Record(1, 1, "o:#feed,#feed"),  // an include file
  });
  EXPECT_EQ(out, (Lines{"0,1{1}main", "0,2{1}x=f1000+#feeder+a#feed", "0,6{1}end main",
                        "1,1{1}o:f1000,f1000"}));
}

TEST_F(ConstantsPassTest, ValuesMayUseLaterConstantsOnly) {
  // Definitions apply in their order: #a's value still holds #b when #b is
  // applied, but #d's value is put in after #c has been applied.
  Lines out = Pass({
      Record(0, 1, "constant"),
      Record(0, 2, "#a=#b+1"),
      Record(0, 3, "#b=(2)"),
      Record(0, 4, "#c=3"),
      Record(0, 5, "#d=#c*2"),
      Record(0, 6, "end"),
      Record(0, 7, "x=#a;y=#d"),
  });
  EXPECT_EQ(out, (Lines{"0,7{1}x=(2)+1;y=#c*2"}));
}

TEST_F(ConstantsPassTest, FirstFileWinsAndEachFileMayDefineOnce) {
  Lines out = Pass({
      Record(0, 1, "constant"), Record(0, 2, "#x=1"), Record(0, 3, "end"),
      Record(1, 1, "constant"), Record(1, 2, "#x=2"), Record(1, 3, "end"),
      Record(1, 4, "y=#x"),
  });
  EXPECT_EQ(out, (Lines{"1,4{1}y=1"}));

  EXPECT_EQ(ErrorOf({Record(0, 1, "constant"), Record(0, 2, "#x=1"), Record(0, 3, "end"),
                     Record(1, 1, "constant"), Record(1, 2, "#y=2"), Record(1, 3, "end"),
                     Record(1, 4, "constant"), Record(1, 5, "#y=3")}),
            "Constant name #y already in use. Use another name for constant in @1,5");
}

TEST_F(ConstantsPassTest, Errors) {
  EXPECT_EQ(ErrorOf({Record(0, 3, "constant #a=1")}), "Invalid CONSTANT statement in @0,3");
  EXPECT_EQ(ErrorOf({Record(0, 1, "constant"), Record(0, 2, "end constant")}),
            "Invalid END statement in @0,2");
  for (const char* bad : {"feed=1", "#feed", "#feed=", "#=1", "#fe-ed=1", "#a b=1"})
    EXPECT_EQ(ErrorOf({Record(0, 1, "constant"), Record(0, 4, bad)}),
              "Invalid constant definition in @0,4")
        << bad;
}

}  // namespace
}  // namespace tornel
