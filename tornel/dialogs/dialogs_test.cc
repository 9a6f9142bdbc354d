// Post dialogs over plain values: pages and their automatic breaks, the
// field checks with their exact texts, the run of a dialog's pages with
// its buttons, the console form, and the value memory texts.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/script_screen.h"
#include "tornel/compiler/tokens.h"
#include "tornel/dialogs/console_screen.h"
#include "tornel/dialogs/dialog_def.h"
#include "tornel/dialogs/dialog_memory.h"
#include "tornel/dialogs/dialog_run.h"
#include "tornel/dialogs/field_checks.h"
#include "tornel/dialogs/value_memory.h"

namespace tornel {
namespace {

using tornel_test::ScriptScreen;
using tornel_test::Step;

DialogItem Text(const std::string& t) {
  DialogItem i;
  i.text = t;
  return i;
}

DialogItem IntField(int slot, const std::string& prompt, double min, double max) {
  DialogItem i;
  i.kind = ItemKind::kInputInt;
  i.text = prompt;
  i.var = {kTokIntVar, slot};
  i.has_limits = true;
  i.min = min;
  i.max = max;
  return i;
}

TEST(DialogDef, The35thItemOfAPageStartsTheNextAndALastBreakIsNoPage) {
  DialogDef d;
  for (int i = 0; i < 35; ++i) AddItem(d, Text("t"));
  std::vector<PageRange> pages = Pages(d);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].end - pages[0].first, 34);
  EXPECT_EQ(pages[1].end - pages[1].first, 1);
  EndPage(d);
  EXPECT_EQ(Pages(d).size(), 2u);
  // DialogNext after exactly 34 items gives no empty page between.
  DialogDef e;
  for (int i = 0; i < 34; ++i) AddItem(e, Text("t"));
  EndPage(e);
  AddItem(e, Text("u"));
  EXPECT_EQ(Pages(e).size(), 2u);
  // A SelectBtn group that would not fit moves to the next page whole.
  DialogDef f;
  for (int i = 0; i < 30; ++i) AddItem(f, Text("t"));
  KeepGroupOnPage(f, 5);
  EXPECT_EQ(f.items.back().kind, ItemKind::kPageBreak);
  // Beyond 400 items nothing is added.
  DialogDef g;
  for (int i = 0; i < 450; ++i) AddItem(g, Text("t"));
  EXPECT_EQ(g.items.size(), 400u);
  EXPECT_FALSE(AddItem(g, Text("t")));
}

TEST(DialogDef, LayoutsAndChoiceLists) {
  EXPECT_TRUE(ValidLayout(0, 200));
  EXPECT_TRUE(ValidLayout(150, 50));
  EXPECT_FALSE(ValidLayout(150, 51));
  EXPECT_FALSE(ValidLayout(-1, 10));
  EXPECT_FALSE(ValidLayout(10, 0));
  EXPECT_EQ(SplitChoices("G54;G55;G56"), (std::vector<std::string>{"G54", "G55", "G56"}));
  EXPECT_EQ(SplitChoices("one"), (std::vector<std::string>{"one"}));
}

TEST(FieldChecks, NumbersRangesAndLengthsWithTheirTexts) {
  LanguageTable lang;
  DialogItem tools = IntField(0, "Tools", 1, 10);
  EXPECT_EQ(CheckField(tools, "11", lang), "Please enter an integer between 1 and 10.");
  EXPECT_EQ(CheckField(tools, "2.5", lang), "Please enter an integer.");
  EXPECT_EQ(CheckField(tools, "3x", lang), "Please enter a number.");
  EXPECT_EQ(CheckField(tools, "", lang), "Please enter a number.");
  EXPECT_EQ(CheckField(tools, "+7", lang), std::nullopt);
  // Equal bounds: no range check.
  EXPECT_EQ(CheckField(IntField(0, "Tools", 1, 1), "11", lang), std::nullopt);
  DialogItem real = IntField(0, "Scale", 0.5, 2);
  real.kind = ItemKind::kInputReal;
  EXPECT_EQ(CheckField(real, "3", lang), "Please enter a number between 0.5 and 2.");
  EXPECT_EQ(CheckField(real, "1.25", lang), std::nullopt);
  DialogItem name;
  name.kind = ItemKind::kInputStr;
  name.has_limits = true;
  name.min = 3;
  name.max = 8;
  EXPECT_EQ(CheckField(name, "ab", lang), "Please enter at least 3 characters.");
  EXPECT_EQ(CheckField(name, "abc", lang), std::nullopt);
  ApplyLanguageLine(lang, "12:Zahl von %d bis %d!\n");
  EXPECT_EQ(CheckField(tools, "0", lang), "Zahl von 1 bis 10!");
  EXPECT_EQ(BoundText(0.5), "0.5");
  EXPECT_EQ(BoundText(2), "2");
  EXPECT_EQ(BoundText(-1.25), "-1.25");
}

struct TwoPages {
  TwoPages() {
    v.ints = {5, 0};
    v.reals = {0};
    v.strings = {""};
    AddItem(d, IntField(0, "Tools", 1, 10));
    EndPage(d);
    AddItem(d, IntField(1, "Count", 0, 0));
  }
  DialogDef d;
  ValueTables v;
  LanguageTable lang;
};

TEST(DialogRun, NextChecksThePageAndStoresItBackKeepsItAndCancelStores) {
  TwoPages t;
  ScriptScreen screen({{DialogAction::kNext, {{0, "11"}}},
                       {DialogAction::kNext, {{0, "7"}}},
                       {DialogAction::kBack, {{2, "4"}}},
                       {DialogAction::kNext, {}},
                       {DialogAction::kNext, {}}});
  DialogHost host{t.v, t.lang, {}, {}};
  DialogResult r = RunDialog(t.d, screen, host);
  EXPECT_FALSE(r.cancelled);
  EXPECT_EQ(screen.pages, (std::vector<int>{0, 0, 1, 0, 1}));
  EXPECT_EQ(screen.messages, (std::vector<std::string>{"Please enter an integer between 1 and 10."}));
  EXPECT_EQ(screen.focuses[1], 0);  // the failing field's text is selected
  EXPECT_EQ(t.v.ints[0], 7);
  EXPECT_EQ(t.v.ints[1], 4);        // Back stored page 2
  EXPECT_TRUE(screen.buttons[0].next);
  EXPECT_FALSE(screen.buttons[0].back);
  EXPECT_TRUE(screen.buttons[2].ok);
  EXPECT_TRUE(screen.buttons[2].back);
  EXPECT_EQ(screen.buttons[0].next_text, "Next >");
  EXPECT_EQ(screen.buttons[0].cancel_text, "Cancel");

  // The language file names the buttons.
  TwoPages l;
  ApplyLanguageLine(l.lang, "8:Weiter >\n");
  ApplyLanguageLine(l.lang, "5:Abbrechen\n");
  ScriptScreen named({{DialogAction::kCancel, {}}});
  DialogHost host3{l.v, l.lang, {}, {}};
  RunDialog(l.d, named, host3);
  EXPECT_EQ(named.buttons[0].next_text, "Weiter >");
  EXPECT_EQ(named.buttons[0].cancel_text, "Abbrechen");
  EXPECT_EQ(named.buttons[0].ok_text, "OK");

  TwoPages c;
  ScriptScreen cancel({{DialogAction::kNext, {{0, "9"}}}, {DialogAction::kCancel, {{2, "3"}}}});
  DialogHost host2{c.v, c.lang, {}, {}};
  EXPECT_TRUE(RunDialog(c.d, cancel, host2).cancelled);
  EXPECT_EQ(c.v.ints[0], 9);  // stored when page 1 was left
  EXPECT_EQ(c.v.ints[1], 0);  // never confirmed
}

TEST(DialogRun, BackOnTheFirstPageSaveResetAndButtons) {
  TwoPages t;
  t.d.flags.back = true;
  t.d.flags.save = true;
  t.d.flags.reset_all = true;
  DialogItem button;
  button.kind = ItemKind::kButton;
  button.function_label = 42;
  t.d.items.insert(t.d.items.begin() + 1, button);
  int called = 0;
  bool reset_all = false;
  DialogHost host{t.v, t.lang, [&](int label) { called = label; },
                  [&](bool all, const DialogDef&) {
                    reset_all = all;
                    t.v.ints[0] = 5;
                  }};
  ScriptScreen screen({{DialogAction::kSave, {{0, "8"}}},
                       {DialogAction::kButton, {}, 1},
                       {DialogAction::kResetAll, {}},
                       {DialogAction::kBack, {}}});
  DialogResult r = RunDialog(t.d, screen, host);
  EXPECT_TRUE(r.back);
  EXPECT_TRUE(r.save);
  EXPECT_EQ(called, 42);
  EXPECT_TRUE(reset_all);
  EXPECT_EQ(screen.messages, (std::vector<std::string>{"Values saved permanently."}));
  EXPECT_EQ(t.v.ints[0], 5);
}

TEST(DialogRun, ChoicesAndCheckBoxesStoreTheirKindOfValue) {
  ValueTables v;
  v.ints = {0, 0, 2};
  v.reals = {0};
  v.strings = {"B"};
  DialogItem val;
  val.kind = ItemKind::kSelectVal;
  val.var = {kTokRealVar, 0};
  val.entries = {"54 G54", "55.5", "x"};
  FieldState f{"", 2};
  StoreField(val, f, v);
  EXPECT_EQ(v.reals[0], 55.5);
  f.choice = 3;
  StoreField(val, f, v);
  EXPECT_EQ(v.reals[0], 0);  // no number: 0
  val.var = {kTokIntVar, 0};
  f.choice = 2;
  StoreField(val, f, v);
  EXPECT_EQ(v.ints[0], 55);
  DialogItem str;
  str.kind = ItemKind::kSelectStr;
  str.var = {kTokStringRef, 0};
  str.entries = {"A", "B", "C"};
  EXPECT_EQ(FieldFromVariable(str, v).choice, 2);
  DialogItem ind;
  ind.kind = ItemKind::kSelectInd;
  ind.var = {kTokIntVar, 2};
  ind.entries = {"a", "b", "c"};
  EXPECT_EQ(FieldFromVariable(ind, v).choice, 2);
  StoreField(ind, {"", 0}, v);
  EXPECT_EQ(v.ints[2], 0);
  DialogItem box;
  box.kind = ItemKind::kCheckBox;
  box.var = {kTokIntVar, 1};
  StoreField(box, {"", 1}, v);
  EXPECT_EQ(v.ints[1], 1);
}

// The console form: without a terminal every page goes through as shown;
// a page whose values fail then cancels.  At a terminal fields are changed
// by their numbers.
TEST(ConsoleScreen, BatchRunsTakeTheValuesAndAFormEditsThem) {
  TwoPages t;
  std::FILE* out = std::tmpfile();
  ConsoleScreen batch(nullptr, out, false);
  DialogHost host{t.v, t.lang, {}, {}};
  EXPECT_FALSE(RunDialog(t.d, batch, host).cancelled);
  EXPECT_EQ(t.v.ints[0], 5);
  t.v.ints[0] = 50;  // out of its range
  ConsoleScreen failing(nullptr, out, false);
  EXPECT_TRUE(RunDialog(t.d, failing, host).cancelled);

  std::FILE* in = std::tmpfile();
  std::fputs("1\n8\nn\n1\n3\no\n", in);
  std::rewind(in);
  ConsoleScreen form(in, out, true);
  EXPECT_FALSE(RunDialog(t.d, form, host).cancelled);
  EXPECT_EQ(t.v.ints[0], 8);
  EXPECT_EQ(t.v.ints[1], 3);
  std::rewind(out);
  std::string shown;
  char buf[512];
  while (std::fgets(buf, sizeof buf, out)) shown += buf;
  EXPECT_NE(shown.find("  1  Tools (1 - 10): 50"), std::string::npos) << shown;
  EXPECT_NE(shown.find("! Please enter an integer between 1 and 10."), std::string::npos);
  std::fclose(in);
  std::fclose(out);
}

TEST(ValueMemory, SectionsAreFoundAndReplacedWithoutTouchingTheOthers) {
  std::string file = "#mill\n3 1 1\n130 1 5\n#Lathe\n3 1 1\n130 1 9\n#mill_\n3 1 1\n";
  auto lathe = FindSection(file, "#lathe");
  ASSERT_TRUE(lathe);
  EXPECT_EQ(*lathe, (std::vector<std::string>{"3 1 1", "130 1 9"}));
  EXPECT_FALSE(FindSection(file, "#drill"));
  std::string replaced = ReplaceSection(file, "#MILL", "3 1 1\n130 1 6\n");
  EXPECT_EQ(replaced, "#Lathe\n3 1 1\n130 1 9\n#mill_\n3 1 1\n#MILL\n3 1 1\n130 1 6\n");
  // Other sections keep their bytes: a stray CR stays, so a line is never
  // turned into another section's header.
  std::string odd = "#other\r\r\nx\r\n#mill\n1 1 1\n";
  replaced = ReplaceSection(odd, "#mill", "");
  EXPECT_EQ(replaced, "#other\r\r\nx\r\n#mill\n");
  EXPECT_FALSE(FindSection(replaced, "#other"));
}

TEST(ValueMemory, BodiesHoldTheCountsAndOneLinePerVariable) {
  ValueTables v;
  v.ints = {0, 42, 0};
  v.reals = {2.5};
  v.strings = {"", "O1000 A"};
  std::vector<DialogVariable> vars = {{kTokIntVar, 1}, {kTokRealVar, 0}, {kTokStringRef, 1}};
  std::string body = FormatBody(v, vars);
  EXPECT_EQ(body, "3 1 2\n130 1 42\n131 0 2.500000000\n132 1 O1000 A\n");
  std::vector<std::string> lines = {"3 1 2", "130 1 42", "131 0 x", "132 1 O1000 A", "130 2 7"};
  auto read = ReadBody(lines, CountsOf(v), vars);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->size(), 2u);  // the bad number and the slot not listed are passed over
  EXPECT_EQ((*read)[0].int_value, 42);
  EXPECT_EQ((*read)[1].text, "O1000 A");
  EXPECT_FALSE(ReadBody({"3 1 3"}, CountsOf(v), vars));
  bool bad = false;
  ReadBody({"3 1 2", "junk"}, CountsOf(v), vars, &bad);
  EXPECT_TRUE(bad);
}

// The stored value wins only while the post gives the default it was
// stored with.
TEST(DialogMemory, AChangedDefaultWinsAndProgramNumbersComeBackFromZero) {
  DialogVariables vars;
  vars.list_b = {{kTokIntVar, 0}, {kTokRealVar, 0}};
  ValueTables v;
  v.ints = {20};
  v.reals = {0};
  DialogMemory m;
  std::vector<std::string> defaults = {"1 1 0", "130 0 10", "131 0 0.000000000"};
  ASSERT_TRUE(RecordDefaults(m, vars, v, defaults));
  std::vector<std::string> stored = {"1 1 0", "130 0 15", "131 0 2.000000000"};
  ASSERT_TRUE(ApplyStoredValues(m, vars, v, stored, {0}));
  EXPECT_EQ(v.ints[0], 20);   // the post's default changed from 10 to 20
  EXPECT_EQ(v.reals[0], 2);   // srWCoord-like: restored from 0
  v.ints[0] = 99;
  ResetVariables(m, vars, v, nullptr);
  EXPECT_EQ(v.ints[0], 20);
  EXPECT_EQ(v.reals[0], 0);
  // The same default: the stored value comes back.
  v.ints[0] = 10;
  ASSERT_TRUE(RecordDefaults(m, vars, v, defaults));
  ASSERT_TRUE(ApplyStoredValues(m, vars, v, stored, {}));
  EXPECT_EQ(v.ints[0], 15);
  EXPECT_FALSE(ApplyStoredValues(m, vars, v, {"2 1 0"}, {}));
}

}  // namespace
}  // namespace tornel
