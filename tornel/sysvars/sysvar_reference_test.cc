#include "tornel/sysvars/sysvar_reference.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace tornel {
namespace {

// The registry's own text, as the build compiled it.
std::string DefText() {
  std::ifstream in(TORNEL_SOURCE_DIR "/tornel/sysvars/system_variables.def", std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The reference's line for one variable.
std::string RowOf(const std::string& reference, const std::string& name) {
  size_t at = reference.find("\n| `" + name + "` |");
  if (at == std::string::npos) return "<none>";
  size_t end = reference.find('\n', at + 1);
  return reference.substr(at + 1, end - at - 1);
}

class Reference : public ::testing::Test {
 protected:
  void SetUp() override {
    def_ = DefText();
    if (def_.empty()) GTEST_SKIP() << "system_variables.def is not readable here";
  }
  std::string def_;
};

TEST_F(Reference, EveryVariableWithItsDefaultAsTheDefaultsSetIt) {
  ReferenceResult ref = SystemVariableReference(def_);
  ASSERT_TRUE(ref.ok) << ref.error;
  size_t rows = 0;
  for (size_t at = ref.text.find("\n| `"); at != std::string::npos; at = ref.text.find("\n| `", at + 1))
    ++rows;
  EXPECT_EQ(rows, 787u);
  EXPECT_NE(ref.text.find("\n## Integer variables\n\n### Output switches\n"), std::string::npos);

  EXPECT_EQ(RowOf(ref.text, "siEachOn"),
            "| `siEachOn` | integer | 1, first pass | post: eachon/eachoff | 0 keeps the O: EACH "
            "words out of every line |");
  // Values the rows compute, copy or leave to defaults.cc.
  EXPECT_NE(RowOf(ref.text, "siToolsLim").find("| 199, each pass |"), std::string::npos);
  EXPECT_NE(RowOf(ref.text, "srcMove").find("| code | 0 (= `srcRapid`), first pass |"),
            std::string::npos);
  EXPECT_NE(RowOf(ref.text, "srcHelicCw").find("| unset, then `srcArcCw`, first pass |"),
            std::string::npos);
  EXPECT_NE(RowOf(ref.text, "ssEolFormat").find("| CR LF, first pass |"), std::string::npos);
  EXPECT_NE(RowOf(ref.text, "ssSkip").find("| `\"/\"`, first pass |"), std::string::npos);
  EXPECT_NE(RowOf(ref.text, "srAptAccuracy").find("| 0.00001, first pass |"), std::string::npos);
  EXPECT_NE(RowOf(ref.text, "srXI").find("| 1, each pass |"), std::string::npos);
  EXPECT_NE(RowOf(ref.text, "srXJT_In").find("| 0, first pass |"), std::string::npos);
  EXPECT_NE(RowOf(ref.text, "siEdmFileX").find("| 0 (1 with -x), each pass |"), std::string::npos);
  EXPECT_NE(RowOf(ref.text, "srX").find("| real | - |"), std::string::npos);
  EXPECT_NE(RowOf(ref.text, "ssComment[100]").find("| string[100] | - |"), std::string::npos);
}

TEST_F(Reference, ARowWithoutItsCommentOrOutOfStepIsRefused) {
  std::string bare = def_;
  size_t row = bare.find("TORNEL_SI(kSiWithOn");
  size_t comment = bare.find("  //", row);
  bare.erase(comment, bare.find('\n', row) - comment);
  ReferenceResult ref = SystemVariableReference(bare);
  EXPECT_FALSE(ref.ok);
  EXPECT_NE(ref.error.find("siWithOn has no \"// [what sets it] meaning\" comment"),
            std::string::npos)
      << ref.error;

  // Two rows swapped: the text no longer is the registry's order.
  std::string swapped = def_;
  size_t a = swapped.find("TORNEL_SI(kSiEachOn");
  size_t b = swapped.find("TORNEL_SI(kSiWithOn");
  std::string line_a = swapped.substr(a, swapped.find('\n', a) - a);
  std::string line_b = swapped.substr(b, swapped.find('\n', b) - b);
  swapped.replace(b, line_b.size(), line_a);
  swapped.replace(a, line_a.size(), line_b);
  ref = SystemVariableReference(swapped);
  EXPECT_FALSE(ref.ok);
  EXPECT_NE(ref.error.find("siWithOn is row 0 of the text but siEachOn of the registry"),
            std::string::npos)
      << ref.error;
}

}  // namespace
}  // namespace tornel
