// The post's files by handle: handles and their reuse, the modes of a
// scratch file, pieces of long lines, the messages of wrong modes, and
// bad handles.
#include "tornel/builtins/file_calls.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "tests/post_run.h"

namespace tornel {
namespace {

class FileCalls : public tornel_test::PostRun {
 protected:
  void RunBody(const std::string& body) {
    Run("main\nvariable\nuiH\nurH\nuiN\nuiOk\nuiOk2\nusLine\nusLine2\nend\n" + body +
        "end main\n");
  }
};

TEST_F(FileCalls, HandlesAreOddFromOneAndFreedHandlesComeBack) {
  RunBody("uiOk = FileTemp(uiH)\nurH = uiH\nFileClose(uiH)\nuiOk2 = FileTemp(uiH)\n"
          "uiN = uiH\nFileClose(uiH)\nuiH = uiN\n");
  EXPECT_EQ(Int("uiOk"), 1);
  EXPECT_EQ(Real("urH"), 1);  // the first handle is 1, its file 0.tmp
  EXPECT_EQ(Int("uiOk2"), 1);
  EXPECT_EQ(Int("uiH"), 1);  // 1 again after the close
  EXPECT_TRUE(tornel_test::InTempDir::ReadFile("0.tmp") == "");
  std::remove("0.tmp");  // as the end of that run would (closed first: Windows)
  RunBody("uiOk = FileTemp(uiH)\nuiOk2 = FileTemp(urH)\n");
  EXPECT_EQ(Int("uiH"), 1);
  EXPECT_EQ(Real("urH"), 3);  // the next free odd handle; its file 1.tmp
}

TEST_F(FileCalls, AUsersFileOfAScratchNameIsLeftAlone) {
  WriteFile("0.tmp", "the user's");
  RunBody("uiOk = FileTemp(uiH)\n");
  EXPECT_EQ(Int("uiOk"), 0);
  EXPECT_EQ(ReadFile("0.tmp"), "the user's");
}

TEST_F(FileCalls, AScratchFileIsReadFromItsStartAndWrittenAnew) {
  RunBody("uiOk = FileTemp(uiH)\n"
          "uiOk = FileWrite('first', uiH)\nuiOk = FileWrite('second', uiH)\n"
          "uiOk = FileRead(usLine, uiH)\n"     // mode 4 -> rewound, mode 3
          "uiOk = FileWrite('again', uiH)\n"   // mode 3 -> emptied, mode 4
          "uiOk = FileRead(usLine2, uiH)\n"
          "uiOk2 = FileRead(usLine2, uiH)\n");  // the end: 0, the variable kept
  EXPECT_EQ(Str("usLine"), "first");
  EXPECT_EQ(Str("usLine2"), "again");
  EXPECT_EQ(Int("uiOk"), 1);
  EXPECT_EQ(Int("uiOk2"), 0);
  EXPECT_EQ(ReadFile("0.tmp"), "again\r\n");  // CR LF on every target, as the NC file
}

TEST_F(FileCalls, FilesByPathAndLongLinesInPieces) {
  WriteFile("in.txt", std::string(5000, 'a') + "\r\nshort\nlast");
  RunBody("uiOk = FileOpen('in.txt', uiH, 0)\n"
          "uiOk = FileRead(usLine, uiH)\nuiOk = FileRead(usLine2, uiH)\n");
  EXPECT_EQ(Str("usLine"), std::string(kFileReadPiece, 'a'));
  EXPECT_EQ(Str("usLine2"), std::string(5000 - kFileReadPiece, 'a'));
  RunBody("uiOk = FileOpen('in.txt', uiH, 0)\nuiOk = FileRead(usLine, uiH)\n"
          "uiOk = FileRead(usLine, uiH)\nuiOk = FileRead(usLine, uiH)\n"
          "uiOk = FileRead(usLine2, uiH)\nuiOk2 = FileRead(usLine2, uiH)\n");
  EXPECT_EQ(Str("usLine"), "short");
  EXPECT_EQ(Str("usLine2"), "last");  // a last line without its line feed
  EXPECT_EQ(Int("uiOk2"), 0);

  RunBody("uiOk = FileOpen('out.txt', uiH, 1)\nuiOk = FileWrite('one', uiH)\nFileEmpty(uiH)\n"
          "uiOk = FileWrite('two', uiH)\nFileClose(uiH)\n");
  EXPECT_EQ(ReadFile("out.txt"), "two\r\n");
  EXPECT_EQ(Int("uiH"), 0);  // FileClose clears the handle variable
  // What cannot be opened gives 0 and leaves the handle as it was.
  WriteFile("dir/x", "");
  RunBody("uiH = 7\nuiOk = FileOpen('missing.txt', uiH, 0)\nuiOk2 = FileOpen('dir', uiH, 0)\n");
  EXPECT_EQ(Int("uiOk"), 0);
  EXPECT_EQ(Int("uiOk2"), 0);
  EXPECT_EQ(Int("uiH"), 7);
}

TEST_F(FileCalls, BadHandlesAndModes) {
  // Never opened, even, negative, huge, the NC file's 0: nothing to read
  // or write, no crash.
  for (const char* h : {"5", "2", "-1", "99999999999", "0", "1.5"}) {
    RunBody(std::string("uiOk = FileRead(usLine, ") + h + ")\nuiOk2 = FileWrite('x', " + h +
            ")\nFileEmpty(" + h + ")\n");
    EXPECT_EQ(Int("uiOk"), 0) << h;
    EXPECT_EQ(Int("uiOk2"), 0) << h;
  }
  RunBody("uiH = 5\nFileClose(uiH)\nFileClose(uiH)\n");  // closing what is not open
  EXPECT_EQ(Int("uiH"), 0);
  const std::string head = "main\nvariable\nuiH\nuiOk\nusLine\nend\n";
  WriteFile("in.txt", "x\n");
  EXPECT_EQ(ReportOf(head + "uiOk = FileOpen('in.txt', uiH, 2)\nend main\n"),
            Report(kMsgFileOpenMode, 7, "uiOk = FileOpen('in.txt', uiH, 2)"));
  EXPECT_EQ(ReportOf(head + "uiOk = FileOpen('o.txt', uiH, 1)\nuiOk = FileRead(usLine, uiH)\n"
                            "end main\n"),
            Report(kMsgFileReadWriteMode, 8, "uiOk = FileRead(usLine, uiH)"));
  EXPECT_EQ(ReportOf(head + "uiOk = FileOpen('in.txt', uiH, 0)\nuiOk = FileWrite('y', uiH)\n"
                            "end main\n"),
            Report(kMsgFileWriteReadMode, 8, "uiOk = FileWrite('y', uiH)"));
  EXPECT_EQ(ReportOf(head + "uiOk = FileOpen('in.txt', uiH, 0)\nFileEmpty(uiH)\nend main\n"),
            Report(kMsgFileEmptyReadMode, 8, "FileEmpty(uiH)"));
  EXPECT_EQ(ReportOf(head + "uiOk = FileOpen('in.txt', uiH, 0)\nFileSel(uiH)\nend main\n"),
            Report(kMsgFileSelMode, 8, "FileSel(uiH)"));
  EXPECT_EQ(ReportOf(head + "uiOk = FileOpen('o.txt', uiH, 1)\nFileIns(uiH)\nend main\n"),
            Report(kMsgFileInsMode, 8, "FileIns(uiH)"));
}

}  // namespace
}  // namespace tornel
