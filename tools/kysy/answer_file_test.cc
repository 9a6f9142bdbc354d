#include "tools/kysy/answer_file.h"

#include <gtest/gtest.h>

#include "tools/kysy/commands.h"
#include "tools/kysy/fake_host.h"

namespace kysy {
namespace {

TEST(KysyAnswerFile, OneTwoAndFiveValues) {
  EXPECT_EQ(AnswerText({"x"}), "set Dlg_Ret1=x\n");
  EXPECT_EQ(AnswerText({"a", "2"}), "set Dlg_Ret1=a\n\nset Dlg_Ret2=2\n");
  EXPECT_EQ(AnswerText({"C", "\\d", "n", "e", "C:\\d\\n.e"}),
            "set Dlg_Ret1=C\nset Dlg_Ret2=\\d\nset Dlg_Ret3=n\nset Dlg_Ret4=e\n"
            "set Dlg_Ret5=C:\\d\\n.e\n");
}

TEST(KysyAnswerFile, WrittenWholeInTempWithCrLfInTheOemCodePage) {
  FakeHost h;
  h.files.files[AnswerPath(h.env).value()] = "set Dlg_Ret1=old\r\n";
  ASSERT_TRUE(WriteAnswer(h.host, {"P\xe4iv\xe4\xe4", "1"}));  // "Päivää" in Windows-1252
  // ä is 0x84 in the OEM code pages of Western Windows.
  EXPECT_EQ(h.AnswerFile(), "set Dlg_Ret1=P\x84iv\x84\x84\r\n\r\nset Dlg_Ret2=1\r\n");
  EXPECT_EQ(h.files.files.size(), 1u) << "the scratch file was left behind";
}

TEST(KysyAnswerFile, FailedWriteKeepsTheOldFile) {
  FakeHost h;
  std::string path = AnswerPath(h.env).value();
  h.files.files[path] = "set Dlg_Ret1=old\r\n";
  h.files.write_budget = 10;
  EXPECT_FALSE(WriteAnswer(h.host, {"a much longer answer"}));
  EXPECT_EQ(h.files.files[path], "set Dlg_Ret1=old\r\n");
  EXPECT_EQ(h.files.files.size(), 1u);
  h.files.write_budget = -1;
  h.files.replace_fails = true;
  EXPECT_FALSE(WriteAnswer(h.host, {"x"}));
  EXPECT_EQ(h.files.files[path], "set Dlg_Ret1=old\r\n");
  EXPECT_EQ(h.files.files.size(), 1u);
}

TEST(KysyAnswerFile, NoTempNoAnswerFile) {
  FakeHost h;
  h.env.vars.clear();
  EXPECT_FALSE(AnswerPath(h.env));
  h.env.Set("TEMP", "");
  EXPECT_FALSE(AnswerPath(h.env));
  h.files.files["C:\\work\\name.txt"] = "x";
  RunKysy({"PARTS", "C:\\x\\y.z"}, h.host);
  RunKysy({"CWD"}, h.host);
  EXPECT_EQ(h.files.files.size(), 1u) << "an answer file was written without temp";
}

TEST(KysyAnswerFile, TempNameIgnoresCaseAndTakesTrailingSeparator) {
  FakeEnvironment env;
  env.Set("TEMP", "X:\\tmp\\");
  EXPECT_EQ(AnswerPath(env).value(), "X:\\tmp\\Dlg_Ret.bat");
}

}  // namespace
}  // namespace kysy
