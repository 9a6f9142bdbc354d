// NURBS records over a whole APT-CL file: the spline's values and the
// calls the post gets for it.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/compiler/post_functions.h"

namespace tornel {
namespace {

std::string Post(const std::vector<std::string>& names) {
  std::string post = "main\nvariable\nuiN\nuiLog[100]\nurVal[100]\nend\nend main\n";
  for (const std::string& name : names)
    post += "func " + name + "\nuiN = uiN + 1\nuiLog[uiN] = " +
            std::to_string(PostFunctionNumber(name)) + "\nurVal[uiN] = srNX\nend func\n";
  return post;
}

const char* kSpline =
    "NCRV/3,4,0,1\nCTRLPT/0,1,2,3,1\nCTRLPT/0,4,5,6,0.5\nKNOT/0.5\nCTRLPT/1,7,8,9,1\n"
    "CTRLPT/1,10,11,12,1\nGOTO/10,11,12\n";

class NurbsTest : public tornel_test::PostRun {
 protected:
  std::vector<int32_t> Log() { return Ints("uiLog", Int("uiN")); }
};

TEST_F(NurbsTest, TheFirstControlPointHasItsOwnFunctionAndTheRestNurbsPoint) {
  RunPasses(Post({"NurbsInit", "NurbsFstPoint", "NurbsPoint", "NurbsKnot", "LineMove"}), kSpline);
  EXPECT_EQ(Log(), (std::vector<int32_t>{84, 85, 86, 87, 86, 86, 3}));
  EXPECT_EQ(Real("urVal", 2), 1);
  EXPECT_EQ(Real("urVal", 6), 10);
  EXPECT_EQ(Int("siNRank"), 3);
  EXPECT_EQ(Int("siNPoints"), 4);
  EXPECT_EQ(Int("siNPoint"), 4);
  EXPECT_EQ(Real("srNKnotLast"), 1);
  EXPECT_EQ(Real("srNKnot"), 1);
  EXPECT_EQ(Real("srNZ"), 12);
  EXPECT_EQ(Real("srNWeight"), 1);
  // Without NurbsFstPoint every point goes to NurbsPoint; a post without
  // either gets the GOTO that follows only.
  RunPasses(Post({"NurbsPoint"}), kSpline);
  EXPECT_EQ(Log(), (std::vector<int32_t>{86, 86, 86, 86}));
  RunPasses(Post({"LineMove"}), kSpline);
  EXPECT_EQ(Log(), (std::vector<int32_t>{3}));
}

}  // namespace
}  // namespace tornel
