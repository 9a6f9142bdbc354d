// Post dialogs from post files: the procedures and their refusals, a
// dialog shown from Settings with its answers in the variables, child
// dialogs, Cancel, the message box, and the value memory over runs.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/post_run.h"
#include "tests/script_screen.h"
#include "tornel/driver/run.h"

namespace tornel {
namespace {

using tornel_test::ScriptScreen;
using tornel_test::Step;

constexpr const char* kVars =
    "main\nvariable\nuiProg\nuiOffs\nuiList\nurScale\nusName\nuiAns\nuiChild\nend\n"
    "uiProg = 1000\nurScale = 1\nend main\n";

class DialogPost : public tornel_test::PostRun {
 protected:
  // Compiles `post`, puts `screen` in front of its dialogs and runs both
  // passes over a small CL file; `val` is the values file's text before.
  ScriptScreen* RunWith(const std::string& post, std::deque<Step> steps) {
    Compile(post);
    auto screen = std::make_unique<ScriptScreen>(std::move(steps));
    ScriptScreen* s = screen.get();
    ctx.dialogs.screen = std::move(screen);
    WriteFile("part.cl", "GOTO/1,2,3\n");
    ctx.files.apt_path = "part.cl";
    ctx.files.post_name = "p";
    ctx.files.values_file = "part.val";
    ctx.files.settings_file = "p.ini";
    RunFirstPass(ctx);
    RunSecondPass(ctx);
    return s;
  }
  std::string ReportWith(const std::string& post, std::deque<Step> steps) {
    return tornel_test::ReportOf(ctx.diag, [&] { RunWith(post, std::move(steps)); });
  }
};

std::string Settings(const std::string& body) {
  return std::string(kVars) + "func Settings\n" + body + "\nend func\n";
}

const char* kTwoPages =
    "Dialog('Program')\n"
    "InputInt(uiProg, 'Program number', 1, 9999)\n"
    "SelectInd(uiOffs, 'Work offset', 'G54;G55;G56')\n"
    "DialogNext\n"
    "CheckBox(uiList, 'Tool list')\n"
    "InputReal(urScale!, 'Scale', 0.5, 2)\n"
    "InputStr(usName?, 'Name')\n"
    "DialogEnd";

TEST_F(DialogPost, AnswersReachTheVariablesAndAreRememberedForThePart) {
  ScriptScreen* s = RunWith(Settings(kTwoPages),
                            {{DialogAction::kNext, {{0, "4711"}}, -1, {{1, 2}}},
                             {DialogAction::kNext, {{4, "1.5"}, {5, "Bracket"}}, -1, {{3, 1}}}});
  EXPECT_EQ(s->pages, (std::vector<int>{0, 1}));
  EXPECT_EQ(Int("uiProg"), 4711);
  EXPECT_EQ(Int("uiOffs"), 2);
  EXPECT_EQ(Int("uiList"), 1);
  EXPECT_EQ(Real("urScale"), 1.5);
  EXPECT_EQ(Str("usName"), "Bracket");
  EXPECT_EQ(Int("siDlgBack"), 0);
  std::string val = ReadFile("part.val");
  EXPECT_NE(val.find("#p_\r\n"), std::string::npos) << val;
  EXPECT_NE(val.find("#p\r\n"), std::string::npos) << val;
  EXPECT_EQ(val.find("Bracket"), std::string::npos);  // usName? is never remembered

  // The next run of the part shows what was entered.
  ScriptScreen* again = RunWith(Settings(kTwoPages), {{DialogAction::kNext, {}}, {DialogAction::kNext, {}}});
  EXPECT_EQ(again->pages.size(), 2u);
  EXPECT_EQ(Int("uiProg"), 4711);
  EXPECT_EQ(Real("urScale"), 1.5);
  EXPECT_EQ(Int("siPrevSettings"), 1);

  // A post whose default changed shows its new default.
  std::string changed = Settings(kTwoPages);
  changed.replace(changed.find("uiProg = 1000"), 13, "uiProg = 2000");
  RunWith(changed, {{DialogAction::kNext, {}}, {DialogAction::kNext, {}}});
  EXPECT_EQ(Int("uiProg"), 2000);
}

TEST_F(DialogPost, ChecksKeepThePageAndCancelEndsTheRun) {
  ScriptScreen* s = RunWith(Settings(kTwoPages), {{DialogAction::kNext, {{0, "12000"}}},
                                                 {DialogAction::kNext, {{0, "2.5"}}},
                                                 {DialogAction::kNext, {{0, "12"}}},
                                                 {DialogAction::kNext, {{4, "3"}}},
                                                 {DialogAction::kNext, {{4, "2"}}}});
  EXPECT_EQ(s->messages, (std::vector<std::string>{"Please enter an integer between 1 and 9999.",
                                                   "Please enter an integer.",
                                                   "Please enter a number between 0.5 and 2."}));
  EXPECT_EQ(Int("uiProg"), 12);
  // Cancel of the outermost dialog ends the run as Cancel does.
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] {
              try {
                RunWith(Settings(kTwoPages), {{DialogAction::kCancel, {}}});
              } catch (const RunEnded& e) {
                EXPECT_EQ(ctx.diag.cancelled, 1);
                ctx.diag.error_flag = 1;
                ctx.diag.last_error = "cancelled";
                throw;
              }
            }),
            "cancelled");
}

// A button's function defines and shows a child dialog; its Cancel
// returns to the parent, which goes on.
TEST_F(DialogPost, ButtonsOpenChildDialogsWhoseCancelReturnsToTheParent) {
  std::string post = std::string(kVars) +
                     "func fvMore\nuiChild = uiChild + 1\nDialog('More')\n"
                     "InputInt(uiOffs, 'Offset')\nDialogEnd\nend func\n"
                     "func Settings\nDialog('Main')\nInputInt(uiProg, 'Prog')\n"
                     "Button(fvMore, 'More...', 10, 2)\nDialogEnd\nend func\n";
  ScriptScreen* s = RunWith(post, {{DialogAction::kButton, {{0, "77"}}, 1},
                                   {DialogAction::kCancel, {{0, "5"}}},
                                   {DialogAction::kButton, {}, 1},
                                   {DialogAction::kNext, {{0, "6"}}},
                                   {DialogAction::kNext, {}}});
  EXPECT_EQ(s->pages.size(), 5u);
  EXPECT_EQ(Int("uiChild"), 2);
  EXPECT_EQ(Int("uiProg"), 77);  // stored before the button's function ran
  EXPECT_EQ(Int("uiOffs"), 6);
}

TEST_F(DialogPost, DefinitionsThatCannotBeShownAreRefused) {
  auto report = [&](const std::string& body) {
    return tornel_test::ReportOf(ctx.diag, [&] { RunWith(Settings(body), {}); });
  };
  auto located = [](const std::string& message, int line, const std::string& text) {
    return "Error in postprocessor file - p.tr\n\n" + message + " line " + std::to_string(line) +
           ":\n" + text + "\n";
  };
  EXPECT_EQ(report("Dialog\nDialog"), located("Dialog definition started twice in", 16, "Dialog"));
  EXPECT_EQ(report("DialogText('x')"),
            located("Dialog definition haven't started in", 15, "DialogText('x')"));
  EXPECT_EQ(report("Dialog\nDialogField(150, 60)"),
            located("Invalid Dialog Field settings in", 16, "DialogField(150, 60)"));
  EXPECT_EQ(report("Dialog\nDialogField(0, 60, 7)"),
            located("Parameter 3 in Dialog Field settings must be $Left, $Right or $Table in", 16,
                    "DialogField(0, 60, 7)"));
  EXPECT_EQ(report("Dialog\nSelectBtn(uiOffs, 1, 2, 3, 'a;b')"),
            located("Parameter 4 in SelectBtn function must be $Horiz or $Vert in", 16,
                    "SelectBtn(uiOffs, 1, 2, 3, 'a;b')"));
  EXPECT_EQ(report("Dialog\nButton(uiProg, 'x', 1, 2)"),
            located("Parameter 1 must be USER VOID FUNC in Button function in", 16,
                    "Button(uiProg, 'x', 1, 2)"));
  EXPECT_EQ(report("StoreVal(1)"), located("No variable given for StoreVal", 15, "StoreVal(1)"));
  EXPECT_EQ(report("MessageBox('x', 'q')"),
            located("Invalid Parameter 2 in MessageBox function in", 15, "MessageBox('x', 'q')"));
  EXPECT_EQ(report("MessageBox(uiAns, 'x', '?', 'YESNO', -1)"),
            located("Parameter 5 must be 0 or 1 in MessageBox function in", 15,
                    "MessageBox(uiAns, 'x', '?', 'YESNO', -1)"));
  EXPECT_EQ(report("DlgFileOpen(usName, 'Programs *.nc')"),
            located("Left parenthesis ( is missing from parameter 2 in DlgFileOpen function in", 15,
                    "DlgFileOpen(usName, 'Programs *.nc')"));
}

TEST_F(DialogPost, MessageBoxAnswersAndTheirDefaults) {
  ScriptScreen* s = RunWith(Settings("MessageBox(uiAns, 'Continue?;Really', '?', 'YESNOCANCEL', -1)"), {});
  EXPECT_EQ(s->defaults, (std::vector<int>{2}));
  EXPECT_EQ(s->questions, (std::vector<std::string>{"Continue?\nReally"}));
  EXPECT_EQ(Int("uiAns"), -1);
  Compile(Settings("MessageBox(uiAns, 'Go?', '!', 'okcancel', 1)"));
  auto screen = std::make_unique<ScriptScreen>(std::deque<Step>{});
  screen->answer = 1;  // Cancel
  ctx.dialogs.screen = std::move(screen);
  WriteFile("part.cl", "GOTO/1,2,3\n");
  ctx.files.apt_path = "part.cl";
  RunFirstPass(ctx);
  RunSecondPass(ctx);
  EXPECT_EQ(Int("uiAns"), 0);
}

}  // namespace
}  // namespace tornel
