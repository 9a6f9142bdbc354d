// The pure parts of the trace listing: the function each post line is in,
// the lines of a finished NC file, the error frame and the rows.
#include "tornel/dev/trace_listing.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tornel::dev {
namespace {

TEST(EnclosingFunctions, FunctionsMainAndTheLinesOutside) {
  std::vector<std::string> in = EnclosingFunctions({
      "// a comment",         // 1
      "MAIN",                 // 2
      "  siArcOn = 1",        // 3
      "END MAIN",             // 4
      "",                     // 5
      "func OnAddr[_x]",      // 6
      "  if (srX > 0)",       // 7
      "  end",                // 8: an if's end does not end the function
      "End Func",             // 9
      "\tFUNC fiCode(a, b)",  // 10
      "  return a",           // 11
      "end func",             // 12
      "functions = 1",        // 13: no header
  });
  ASSERT_EQ(in.size(), 13u);
  EXPECT_EQ(in[0], "");
  EXPECT_EQ(in[1], "main");
  EXPECT_EQ(in[2], "main");
  EXPECT_EQ(in[3], "main");
  EXPECT_EQ(in[4], "");
  EXPECT_EQ(in[5], "OnAddr[_x]");
  EXPECT_EQ(in[7], "OnAddr[_x]");
  EXPECT_EQ(in[8], "OnAddr[_x]");
  EXPECT_EQ(in[9], "fiCode");
  EXPECT_EQ(in[11], "fiCode");
  EXPECT_EQ(in[12], "");
}

TEST(SplitNcLines, ByTheFinishedFilesLineEnd) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitNcLines("N10 G0\r\nN20 X1\r\n", "\r\n"), (V{"N10 G0", "N20 X1"}));
  EXPECT_EQ(SplitNcLines("A\nB\n", "\n"), (V{"A", "B"}));
  // An odd line end: only it ends lines; a CR stays part of the text.
  EXPECT_EQ(SplitNcLines("A\r*B*", "*"), (V{"A\r", "B"}));
  EXPECT_EQ(SplitNcLines("A\r\nlast", "\r\n"), (V{"A", "last"}));
  EXPECT_EQ(SplitNcLines("\r\n\r\n", "\r\n"), (V{"", ""}));
  EXPECT_TRUE(SplitNcLines("", "\r\n").empty());
}

TraceLog LogOf(std::vector<int> file_lines) {
  TraceLog log;
  log.records.push_back({7, "GOTO/1,2,3", "srX=1"});
  LineOrigin o;
  o.record = 0;
  o.in_function = true;
  o.loc = {0, 12};
  log.origins.push_back(o);
  for (int n : file_lines) log.written.push_back({0, n});
  return log;
}

TEST(FrameLines, NoneSameOnBothEndsOrAMismatch) {
  const std::string d(50, '-');
  EXPECT_EQ(FrameLines(LogOf({1, 1}), {"A", "B"}), 0);
  EXPECT_EQ(FrameLines(LogOf({2}), {"A", "B"}), 0);
  EXPECT_EQ(FrameLines(LogOf({1}), {d, "Error", d, "A", d, "Error", d}), 3);
  EXPECT_EQ(FrameLines(LogOf({1}), {d, "Error", d, "A", d, "Error"}), -1);  // odd
  EXPECT_EQ(FrameLines(LogOf({1}), {"x", "Error", "x", "A", "x", "Error", "x"}), -1);
  EXPECT_EQ(FrameLines(LogOf({1, 1, 1}), {"A", "B"}), -1);  // lines lost
}

std::string Listing(const TraceLog& log, const std::vector<std::string>& nc, bool vars,
                    bool& ok, std::string& why) {
  ListingNames names;
  names.nc_file = "p.nc";
  names.cl_file = "p.cl";
  names.post_file = "p.tr";
  names.with_vars = vars;
  names.function_at = [](Location loc) { return loc.line == 12 ? "LineMove" : ""; };
  names.file_name = [](int file) { return file == 0 ? std::string("p.tr") : "inc.tr"; };
  std::FILE* f = std::tmpfile();
  ok = WriteListing(f, log, nc, names, why);
  std::rewind(f);
  std::string text;
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  std::erase(text, '\r');
  return text;
}

TEST(WriteListing, RowsPerFileLineWithTheirOrigin) {
  TraceLog log = LogOf({1, 2});
  LineOrigin cl;  // from the CL processing, in the first pass, by a trigger
  cl.pass = 1;
  cl.record = 0;
  cl.via = "BIND _x";
  log.origins.push_back(cl);
  log.written.push_back({1, 1});
  log.written.push_back({-1, 1});  // a line no one marked
  bool ok = false;
  std::string why;
  std::string text = Listing(log, {"N10 X1", "N20", "(TWO)", "N30", "N40"}, true, ok, why);
  ASSERT_TRUE(ok) << why;
  EXPECT_EQ(text,
            "# tornel-dev trace: NC p.nc, post p.tr, CL p.cl\n"
            "# NC line\tNC text\tCL line: record\tpost function: line\tvariables\n"
            "1\tN10 X1\tp.cl:7 GOTO/1,2,3\tLineMove p.tr:12\tsrX=1\n"
            "2\tN20\tp.cl:7 GOTO/1,2,3\tLineMove p.tr:12\n"
            "3\t(TWO)\tp.cl:7 GOTO/1,2,3\tLineMove p.tr:12\n"
            "4\tN30\tpass 1: p.cl:7 GOTO/1,2,3\t(CL processing) via BIND _x\n"
            "5\tN40\t?\t?\n");
}

TEST(WriteListing, AMismatchWritesNothingAndSaysWhy) {
  bool ok = true;
  std::string why;
  std::string text = Listing(LogOf({1, 1}), {"A"}, false, ok, why);
  EXPECT_FALSE(ok);
  EXPECT_EQ(text, "");
  EXPECT_EQ(why, "the NC file has 1 lines, the run wrote 2");
}

}  // namespace
}  // namespace tornel::dev
