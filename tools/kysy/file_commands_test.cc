#include "tools/kysy/file_commands.h"

#include <gtest/gtest.h>

#include "tools/kysy/commands.h"
#include "tools/kysy/fake_host.h"

namespace kysy {
namespace {

std::optional<Answer> Kysy(FakeHost& h, std::vector<std::string> args) {
  return RunCommand(Arguments(std::move(args)), h.host);
}

TEST(KysyAppend, JoinsTheFilesInOrderWithCrLf) {
  FakeHost h;
  h.files.files = {{"a", "one\ntwo"}, {"b", "three\r\n"}, {"c", "four\n"}};
  EXPECT_FALSE(Kysy(h, {"APPEND", "a", "b", "c", "t"}));
  // A line feed goes between a file that did not end in one and the next.
  EXPECT_EQ(h.files.files["t"], "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(h.files.files.size(), 4u) << "the scratch file was left behind";
}

TEST(KysyAppend, TwoArgumentsCopyAndAMissingMiddleFileStops) {
  FakeHost h;
  h.files.files = {{"a", "A\n"}, {"c", "C\n"}};
  Kysy(h, {"append", "a", "b"});
  EXPECT_EQ(h.files.files["b"], "A\r\n");
  Kysy(h, {"APPEND", "a", "missing", "c", "target"});
  EXPECT_EQ(h.files.files["target"], "A\r\n");
  // A missing first file adds nothing; the others follow.
  Kysy(h, {"APPEND", "missing", "c", "a", "t2"});
  EXPECT_EQ(h.files.files["t2"], "C\r\nA\r\n");
}

TEST(KysyAppend, LongLinesAndNulBytesComeThroughWhole) {
  FakeHost h;
  std::string line(10000, 'x');
  line[4094] = '\r';  // a CR across a piece boundary that is no line end
  h.files.files = {{"a", line + "\n" + std::string("n\0l", 3)}, {"b", "end"}};
  Kysy(h, {"APPEND", "a", "b", "t"});
  EXPECT_EQ(h.files.files["t"], line + "\r\n" + std::string("n\0l", 3) + "\r\nend");
}

TEST(KysyAppend, FailureLeavesTheTargetAsItWas) {
  FakeHost h;
  h.files.files = {{"a", std::string(9000, 'a')}, {"t", "keep"}};
  h.files.write_budget = 5000;
  Kysy(h, {"APPEND", "a", "t"});
  EXPECT_EQ(h.files.files["t"], "keep");
  EXPECT_EQ(h.files.files.size(), 2u);
  h.files.write_budget = -1;
  h.files.read_fails = true;
  Kysy(h, {"APPEND", "a", "t"});
  EXPECT_EQ(h.files.files["t"], "keep");
  EXPECT_EQ(h.files.files.size(), 2u);
  // The target may be one of the sources.
  h.files.read_fails = false;
  h.files.files["t"] = "keep\n";
  Kysy(h, {"APPEND", "t", "t", "t"});
  EXPECT_EQ(h.files.files["t"], "keep\r\nkeep\r\n");
}

TEST(KysyFileCommands, RunOnlyWithTheirArgumentCounts) {
  FakeHost h;
  h.files.files = {{"a", "bytes\n\x1a"}, {"x", "old"}};
  Kysy(h, {"COPY", "a", "b", "c"});
  EXPECT_FALSE(h.files.files.count("b"));
  Kysy(h, {"copy", "a", "x"});
  EXPECT_EQ(h.files.files["x"], "bytes\n\x1a") << "COPY copies the bytes as they are";
  Kysy(h, {"COPY", "missing", "x"});
  EXPECT_EQ(h.files.files["x"], "bytes\n\x1a");
  Kysy(h, {"DEL"});
  Kysy(h, {"DEL", "x", "a"});
  EXPECT_TRUE(h.files.files.count("x"));
  Kysy(h, {"Del", "x"});
  EXPECT_FALSE(h.files.files.count("x"));
  Kysy(h, {"MD", "d"});
  EXPECT_TRUE(h.files.folders.count("d"));
  Kysy(h, {"RD", "d", "e"});
  EXPECT_TRUE(h.files.folders.count("d"));
  Kysy(h, {"rd", "d"});
  EXPECT_FALSE(h.files.folders.count("d"));
  EXPECT_FALSE(Kysy(h, {"?"}));
  EXPECT_FALSE(Kysy(h, {"NOSUCH", "a"}));
  EXPECT_FALSE(Kysy(h, {"PARTS"}));
  EXPECT_FALSE(Kysy(h, {"FINDSTR", "a"}));
  EXPECT_FALSE(Kysy(h, {"CHANGE", "a", "b"}));
  EXPECT_FALSE(Kysy(h, {"READREG", "a"}));
  EXPECT_TRUE(h.AnswerFile().empty());
}

TEST(KysyFileCommands, CopyFailureKeepsTheTarget) {
  FakeHost h;
  h.files.files = {{"a", std::string(100000, 'a')}, {"x", "old"}};
  h.files.write_budget = 70000;
  Kysy(h, {"COPY", "a", "x"});
  EXPECT_EQ(h.files.files["x"], "old");
  EXPECT_EQ(h.files.files.size(), 2u);
}

TEST(KysyFileCommands, RenameRefusesAnExistingName) {
  FakeHost h;
  h.files.files = {{"a", "A"}, {"b", "B"}};
  Kysy(h, {"REN", "a", "b"});
  EXPECT_EQ(h.files.files["a"], "A");
  EXPECT_EQ(h.files.files["b"], "B");
  Kysy(h, {"ren", "a", "c"});
  EXPECT_FALSE(h.files.files.count("a"));
  EXPECT_EQ(h.files.files["c"], "A");
}

TEST(KysyFileCommands, CurrentDirectoryAndItsDrive) {
  FakeHost h;
  EXPECT_EQ(*Kysy(h, {"CWD"}), (Answer{"C:\\work", "C"}));
  h.files.cwd = "/home/user";
  EXPECT_EQ(*Kysy(h, {"cwd", "extra"}), (Answer{"/home/user", ""}));
  h.files.cwd_fails = true;
  EXPECT_EQ(*Kysy(h, {"CWD"}), (Answer{"@WR_ERR", ""}));
}

TEST(KysyFindStr, FindsTextInAnyLine) {
  FakeHost h;
  h.files.files = {{"f", "first line\r\nSecond \"Quoted\" Line\nlast"}, {"empty", ""}};
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "f", "second"}), Answer{"1"});
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "f", "second", "/c"}), Answer{"0"});
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "f", "Second", "/C"}), Answer{"1"});
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "f", "`quoted`"}), Answer{"1"});
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "f", "LAST"}), Answer{"1"});
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "f", "line\nSecond"}), Answer{"0"}) << "matches never span lines";
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "f", "absent"}), Answer{"0"});
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "empty", ""}), Answer{"0"});
  EXPECT_EQ(*Kysy(h, {"FINDSTR", "missing", "x"}), Answer{"@WR_ERR"});
}

TEST(KysyChangeCommand, ReplacesInTheVariablesValue) {
  FakeHost h;
  h.env.Set("Where", "C:\\Old\\old.ini");
  EXPECT_EQ(*Kysy(h, {"CHANGE", "where", "OLD", "New"}), Answer{"C:\\New\\New.ini"});
  EXPECT_EQ(*Kysy(h, {"CHANGE", "where", "old", "new", "/C"}), Answer{"C:\\Old\\new.ini"});
  EXPECT_EQ(*Kysy(h, {"CHANGE", "where", "", "", "/U"}), Answer{"C:\\OLD\\OLD.INI"});
  EXPECT_EQ(*Kysy(h, {"CHANGE", "unset", "a", "b"}), Answer{""});
}

TEST(KysyReadReg, ValueOrFailure) {
  FakeHost h;
  h.registry.values["Software\\Tornel|Path"] = "C:\\Tornel";
  EXPECT_EQ(*Kysy(h, {"READREG", "Software\\Tornel", "Path"}), Answer{"C:\\Tornel"});
  EXPECT_EQ(*Kysy(h, {"READREG", "Software\\Tornel", "None"}), Answer{"@WR_ERR"});
}

}  // namespace
}  // namespace kysy
