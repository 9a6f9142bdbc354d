// tornel-dev trace end to end: the NC file it leaves is tornel's, byte for
// byte, and each listing row names the record and the statement that made
// its line, also where lines were made out of order or framed by an error.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/test_dir.h"
#include "tornel/dev/commands.h"
#include "tornel/driver/end_of_run.h"
#include "tornel/driver/run.h"

namespace tornel::dev {
namespace {

struct Captured {
  int status;
  std::string out, err;
};

std::string ReadBack(std::FILE* f) {
  std::rewind(f);
  std::string text;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return text;
}

// Listing rows: the fields of every line but the "#" header.
using Row = std::vector<std::string>;

std::vector<Row> Rows(const std::string& listing) {
  std::vector<Row> rows;
  std::istringstream in(listing);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    Row row;
    size_t pos = 0;
    for (;;) {
      size_t tab = line.find('\t', pos);
      row.push_back(line.substr(pos, tab == std::string::npos ? tab : tab - pos));
      if (tab == std::string::npos) break;
      pos = tab + 1;
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> NcLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class Trace : public tornel_test::InTempDir {
 protected:
  static Captured RunTrace(const std::vector<std::string>& args) {
    std::vector<std::string> words = {"trace"};
    words.insert(words.end(), args.begin(), args.end());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    int status = RunDevCommand(words, out, err);
    return {status, ReadBack(out), ReadBack(err)};
  }

  // Tornel itself, as its main runs it.
  static int RunTornelItself(const std::vector<std::string>& args) {
    auto run = std::make_unique<RunState>();
    int status = 0;
    try {
      RunTornel(*run, args);
    } catch (const RunEnded& ended) {
      status = ended.status;
    }
    return EndOfRun(*run, status);
  }

  static void CopyExample(const std::string& from, const std::string& to) {
    std::filesystem::copy_file(std::filesystem::path(TORNEL_SOURCE_DIR) / from, to);
  }

  // The row of the first NC line that holds `text`.
  static Row RowWith(const std::vector<Row>& rows, const std::string& text) {
    for (const Row& r : rows)
      if (r.size() > 1 && r[1].find(text) != std::string::npos) return r;
    ADD_FAILURE() << "no NC line holds " << text;
    return Row(4);
  }

  // Every row stands for the NC line of its number, text for text.
  static void ExpectRowsMatch(const std::vector<Row>& rows, const std::vector<std::string>& nc) {
    ASSERT_EQ(rows.size(), nc.size());
    for (size_t i = 0; i < nc.size(); ++i) {
      ASSERT_GE(rows[i].size(), 4u) << "row " << i + 1;
      EXPECT_EQ(rows[i][0], std::to_string(i + 1));
      EXPECT_EQ(rows[i][1], nc[i]) << "row " << i + 1;
    }
  }
};

TEST_F(Trace, BracketExampleWritesTornelsNcFileAndNamesItsRecordsAndFunctions) {
  CopyExample("examples/posts/iso_mill.tr", "iso_mill.tr");
  CopyExample("examples/cl/bracket.cl", "bracket.cl");
  ASSERT_EQ(RunTornelItself({"-p", "iso_mill", "-i", "bracket.cl", "-o", "plain.nc"}), 0);
  Captured c = RunTrace({"iso_mill", "bracket.cl", "-o", "traced.nc"});
  ASSERT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(c.out, "tornel-dev trace: traced.nc.trace: 16 NC lines\n");
  const std::string nc = ReadFile("traced.nc");
  EXPECT_EQ(nc, ReadFile("plain.nc"));

  const std::vector<Row> rows = Rows(ReadFile("traced.nc.trace"));
  ExpectRowsMatch(rows, NcLines(nc));
  EXPECT_EQ(rows[0][2], "bracket.cl:1 PARTNO/BRACKET");
  EXPECT_EQ(rows[0][3], "ProgStart iso_mill.tr:117");
  // The tool change waits for the first motion; its lines are its own.
  Row m6 = RowWith(rows, "T01 M06");
  EXPECT_EQ(m6[2], "bracket.cl:8 GOTO/0.0,0.0,5.0");
  EXPECT_EQ(m6[3], "ToolChange iso_mill.tr:128");
  EXPECT_EQ(RowWith(rows, "M08")[3], "ToolChange iso_mill.tr:132");
  Row plunge = RowWith(rows, "G01 Z-2.");
  EXPECT_EQ(plunge[2], "bracket.cl:10 GOTO/0.0,0.0,-2.0");
  EXPECT_EQ(plunge[3], "LineMove iso_mill.tr:178");
  EXPECT_EQ(RowWith(rows, "X40.")[2], "bracket.cl:11 GOTO/40.0,0.0,-2.0");
  // The last motion of the tool goes to ToolCancel, which calls RapidMove.
  EXPECT_EQ(RowWith(rows, "G00 Z5.")[3], "RapidMove iso_mill.tr:174");
  Row m9 = RowWith(rows, "M09");
  EXPECT_EQ(m9[2], "bracket.cl:16 GOTO/0.0,0.0,5.0");
  EXPECT_EQ(m9[3], "ToolCancel iso_mill.tr:149");
  EXPECT_EQ(RowWith(rows, "M30")[2], "bracket.cl:19 END");
  EXPECT_EQ(rows.back()[3], "ProgEnd iso_mill.tr:187");
}

TEST_F(Trace, VariablesOnTheFirstLineOfEachRecord) {
  CopyExample("examples/posts/iso_mill.tr", "iso_mill.tr");
  CopyExample("examples/cl/bracket.cl", "bracket.cl");
  Captured c = RunTrace({"iso_mill", "bracket.cl", "--vars", "srX,siRecType", "--vars=uiInch,nosuch"});
  ASSERT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(c.err, "tornel-dev trace: no variable nosuch\n");
  const std::vector<Row> rows = Rows(ReadFile("bracket.nc.trace"));
  Row x40 = RowWith(rows, "X40.");
  ASSERT_EQ(x40.size(), 5u);
  EXPECT_EQ(x40[4], "srX=40 siRecType=3 uiInch=0 nosuch=?");
  // The second line of a record has no values of its own.
  EXPECT_EQ(RowWith(rows, "G43").size(), 4u);
}

// Lines prepared ahead, inserted behind, written by an OnAddr function and
// by a CL record of its own: numbered in file order when they are written.
constexpr const char* kShufflePost = R"(main
  addres
    _n 'N' >4
    _g 'G' 2
    _x 'X' +4.3 modal
    _t 'T' 2 nomodal
    _m 'M' 2 nomodal
  end addres
  seqnums: yes _n 10 10 0
end main

func OnAddr[_t]
  o: 'ONADDR'
end func

func ProgStart
  -o: '%'
  o: _m(6) >
  o: _g(90)
end func

func ToolChange
  o: with(_x) _m(8)
  o: _t(srTool)
end func

func LineMove
  o: _g(1) _x(srX)
  o:[-2]- 'INSERTED'
end func

func ProgEnd
  o: _m(30)
end func
)";

constexpr const char* kShuffleCl = R"(PARTNO/SHUFFLE
LOADTL/3
GOTO/1.0,0.0,0.0
:(FROM THE CL FILE)
GOTO/2.0,0.0,0.0
GOTO/3.0,0.0,0.0
END
FINI
)";

TEST_F(Trace, LinesMadeOutOfOrderKeepTheirOrigin) {
  WriteFile("shuffle.tr", kShufflePost);
  WriteFile("part.cl", kShuffleCl);
  ASSERT_EQ(RunTornelItself({"-p", "shuffle", "-i", "part.cl", "-o", "plain.nc"}), 0);
  Captured c = RunTrace({"shuffle", "part.cl"});
  ASSERT_EQ(c.status, 0) << c.err;
  const std::string nc = ReadFile("part.nc");
  EXPECT_EQ(nc, ReadFile("plain.nc"));
  const std::vector<Row> rows = Rows(ReadFile("part.nc.trace"));
  ExpectRowsMatch(rows, NcLines(nc));

  // M06 was made first, ahead of its line, by the statement with ">".
  EXPECT_EQ(RowWith(rows, "G90 M06")[3], "ProgStart shuffle.tr:18");
  Row onaddr = RowWith(rows, "ONADDR T03");
  EXPECT_EQ(onaddr[2], "part.cl:3 GOTO/1.0,0.0,0.0");
  EXPECT_EQ(onaddr[3], "OnAddr[_t] shuffle.tr:13 via OnAddr[_t]");
  Row own = RowWith(rows, "(FROM THE CL FILE)");
  EXPECT_EQ(own[2], "part.cl:4 :(FROM THE CL FILE)");
  EXPECT_EQ(own[3], "(CL processing)");
  // Each GOTO inserts a line two lines behind its own: the rows follow the
  // lines to where they ended up.
  int inserted = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i][1].find("INSERTED") == std::string::npos) continue;
    ++inserted;
    EXPECT_EQ(rows[i][3], "LineMove shuffle.tr:29");
  }
  EXPECT_EQ(inserted, 2);
  EXPECT_EQ(RowWith(rows, "X+0002.000")[2], "part.cl:5 GOTO/2.0,0.0,0.0");
  EXPECT_EQ(RowWith(rows, "X+0003.000")[2], "part.cl:6 GOTO/3.0,0.0,0.0");
  EXPECT_EQ(RowWith(rows, "M30")[2], "part.cl:7 END");
}

TEST_F(Trace, LineEndInsideALineAndAnotherFileLineEnd) {
  WriteFile("eol.tr",
            "main\n  addres\n    _x 'X' +4.3 modal\n  end addres\n  ssEolFormat = $unixeol\n"
            "end main\n\nfunc ProgStart\n  ssEol = ';' + chr(10) + '(SPLIT)'\n"
            "  o: _x(1)\n  o: _x(2)\nend func\n");
  WriteFile("part.cl", "PARTNO/EOL\nEND\nFINI\n");
  Captured c = RunTrace({"eol", "part.cl"});
  ASSERT_EQ(c.status, 0) << c.err;
  const std::string nc = ReadFile("part.nc");
  EXPECT_EQ(nc, "X+0001.000;\n(SPLIT)\nX+0002.000;\n(SPLIT)\n");
  const std::vector<Row> rows = Rows(ReadFile("part.nc.trace"));
  ExpectRowsMatch(rows, NcLines(nc));
  EXPECT_EQ(rows[1][3], "ProgStart eol.tr:10");
  EXPECT_EQ(rows[3][3], "ProgStart eol.tr:11");
}

TEST_F(Trace, ErrorFrameRowsAroundTheLinesWritten) {
  WriteFile("mill.tr",
            "main\n  addres\n    _x 'X' +4.3 modal\n  end addres\n  variable\n    urZero\n"
            "  end\nend main\n\nfunc Settings\n  o: _x(1)\n  o: _x(2 / urZero)\nend func\n");
  WriteFile("part.cl", "PARTNO/FAIL\nEND\nFINI\n");
  Captured c = RunTrace({"mill", "part.cl"});
  EXPECT_EQ(c.status, 1);
  const std::string nc = ReadFile("part.nc");
  const std::vector<std::string> lines = NcLines(nc);
  const std::vector<Row> rows = Rows(ReadFile("part.nc.trace"));
  ExpectRowsMatch(rows, lines);
  ASSERT_GE(rows.size(), 5u);
  EXPECT_EQ(rows.front()[2], "(error frame)");
  EXPECT_EQ(rows.back()[2], "(error frame)");
  Row x1 = RowWith(rows, "X+0001.000");
  EXPECT_EQ(x1[2], "-");  // Settings runs before the first record
  EXPECT_EQ(x1[3], "Settings mill.tr:11");
}

TEST_F(Trace, WithoutPostAndClItTellsHowToCallIt) {
  Captured c = RunTrace({"iso_mill"});
  EXPECT_EQ(c.status, 2);
  EXPECT_NE(c.err.find("usage: tornel-dev trace POST CL"), std::string::npos);
  Captured v = RunTrace({"iso_mill", "bracket.cl", "--vars"});
  EXPECT_EQ(v.status, 2);
}

TEST_F(Trace, ARunThatNeverStartsLeavesNoListing) {
  Captured c = RunTrace({"absent", "absent.cl"});
  EXPECT_NE(c.status, 0);
  EXPECT_NE(c.err.find("no listing"), std::string::npos);
  EXPECT_FALSE(Exists("absent.nc.trace"));
}

TEST_F(Trace, APostThatDoesNotCompileLeavesAnOlderNcFileUnlisted) {
  WriteFile("bad.tr", "main\nend main\n\nfunc LoadTool\nend func\n");
  WriteFile("part.cl", "PARTNO/OLD\nEND\nFINI\n");
  WriteFile("part.nc", "N10 OLD\r\n");
  Captured c = RunTrace({"bad", "part.cl"});
  EXPECT_EQ(c.status, 1);
  EXPECT_NE(c.err.find("no listing"), std::string::npos);
  EXPECT_EQ(ReadFile("part.nc"), "N10 OLD\r\n");
  EXPECT_FALSE(Exists("part.nc.trace"));
}

// docs/trace_bracket.txt is the listing of the bundled example;
// scripts/trace_bracket.sh writes it again.
TEST_F(Trace, DocumentedBracketListingIsInStep) {
  CopyExample("examples/posts/iso_mill.tr", "iso_mill.tr");
  CopyExample("examples/cl/bracket.cl", "bracket.cl");
  Captured c = RunTrace({"iso_mill", "bracket.cl"});
  ASSERT_EQ(c.status, 0) << c.err;
  std::string listing = ReadFile("bracket.nc.trace");
  std::erase(listing, '\r');
  std::string documented = ReadFile(std::string(TORNEL_SOURCE_DIR) + "/docs/trace_bracket.txt");
  std::erase(documented, '\r');
  EXPECT_EQ(listing, documented) << "run scripts/trace_bracket.sh";
}

}  // namespace
}  // namespace tornel::dev
