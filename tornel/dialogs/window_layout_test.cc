// Post dialog pages as windows, over plain values: where the prompts,
// fields, option groups, table cells and row buttons stand, and how the
// window's answer comes back as the page's fields.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tornel/compiler/tokens.h"
#include "tornel/dialogs/dialog_def.h"
#include "tornel/dialogs/file_filter.h"
#include "tornel/dialogs/window_layout.h"

namespace tornel {
namespace {

using platform::FormControlKind;

DialogItem Item(ItemKind kind, const std::string& text, int slot = -1) {
  DialogItem i;
  i.kind = kind;
  i.text = text;
  i.var = {kTokIntVar, slot};
  return i;
}

PageButtons Buttons(bool last) {
  PageButtons b;
  b.back = !last ? false : true;
  b.next = !last;
  b.ok = last;
  b.back_text = "<";
  b.next_text = "Next >";
  b.ok_text = "OK";
  b.cancel_text = "Cancel";
  return b;
}

// The index of the control showing item `item` with kind `kind`.
int ControlOf(const PageForm& f, int item, FormControlKind kind) {
  for (size_t k = 0; k < f.item.size(); ++k)
    if (f.item[k] == item && f.form.controls[k].kind == kind) return static_cast<int>(k);
  return -1;
}

int LabelWithText(const PageForm& f, const std::string& text) {
  for (size_t k = 0; k < f.form.controls.size(); ++k)
    if (f.form.controls[k].kind == FormControlKind::kLabel && f.form.controls[k].text == text)
      return static_cast<int>(k);
  return -1;
}

TEST(WindowLayout, PromptsStandLeftOfTheirFieldsAndEveryPageHasTheTallestHeight) {
  DialogDef d;
  d.title = "Program";
  AddItem(d, Item(ItemKind::kText, "Settings"));
  AddItem(d, Item(ItemKind::kInputInt, "Program number", 0));
  d.layout.align = kAlignLeft;  // as DialogField sets it for the items that follow
  AddItem(d, Item(ItemKind::kInputStr, "Name", 1));
  EndPage(d);
  AddItem(d, Item(ItemKind::kCheckBox, "Tool list", 2));
  std::vector<PageRange> pages = Pages(d);
  std::vector<FieldState> fields(d.items.size());
  fields[1].text = "1000";

  PageForm one = LayoutPage(d, 0, pages, fields, Buttons(false), 1);
  PageForm two = LayoutPage(d, 1, pages, fields, Buttons(true), -1);
  EXPECT_EQ(one.form.title, "Program (1/2)");
  // The field in its columns (100 of 200), its prompt against it.
  int field = ControlOf(one, 1, FormControlKind::kEdit);
  ASSERT_GE(field, 0);
  const platform::FormControl& f = one.form.controls[static_cast<size_t>(field)];
  EXPECT_EQ(f.x, kFormMargin + kFormColumnsWidth / 2);
  EXPECT_EQ(f.width, kFormColumnsWidth / 2);
  EXPECT_EQ(f.text, "1000");
  EXPECT_EQ(one.form.focus, field);
  int prompt = LabelWithText(one, "Program number");
  ASSERT_GE(prompt, 0);
  EXPECT_TRUE(one.form.controls[static_cast<size_t>(prompt)].right);
  EXPECT_LT(one.form.controls[static_cast<size_t>(prompt)].x +
                one.form.controls[static_cast<size_t>(prompt)].width,
            f.x);
  EXPECT_FALSE(one.form.controls[static_cast<size_t>(LabelWithText(one, "Name"))].right);
  // One row per item.
  int name = ControlOf(one, 2, FormControlKind::kEdit);
  EXPECT_EQ(one.form.controls[static_cast<size_t>(name)].y - f.y, kFormRow);
  // The short second page is as tall as the first: the buttons stay put.
  EXPECT_EQ(one.form.height, two.form.height);
  EXPECT_EQ(two.form.title, "Program (2/2)");
}

TEST(WindowLayout, TheButtonRowHasTheDefaultAndCancelAndThePostsOwnButtons) {
  DialogDef d;
  d.title = "T";
  AddItem(d, Item(ItemKind::kInputInt, "A", 0));
  DialogItem sys = Item(ItemKind::kButtonSys, "Tools...");
  sys.option = kAlignLeft;
  AddItem(d, sys);
  std::vector<PageRange> pages = Pages(d);
  std::vector<FieldState> fields(d.items.size());
  PageButtons b = Buttons(true);
  b.reset = true;
  b.reset_text = "Reset";
  PageForm f = LayoutPage(d, 0, pages, fields, b, -1);
  EXPECT_EQ(f.form.title, "T");

  std::vector<std::string> order;
  int row_y = -1;
  for (size_t k = 0; k < f.form.controls.size(); ++k) {
    const platform::FormControl& c = f.form.controls[k];
    if (c.kind != FormControlKind::kPush) continue;
    order.push_back(c.text);
    if (row_y < 0) row_y = c.y;
    EXPECT_EQ(c.y, row_y);
    EXPECT_EQ(c.default_button, c.text == "OK");
    EXPECT_EQ(c.cancel, c.text == "Cancel");
    if (c.text == "Tools...") {
      EXPECT_EQ(f.action[k], DialogAction::kButton);
      EXPECT_EQ(f.item[k], 1);
    }
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Reset", "Tools...", "<", "OK", "Cancel"}));
  // Left to right, inside the window.
  int last_x = -1;
  for (const platform::FormControl& c : f.form.controls) {
    if (c.kind != FormControlKind::kPush) continue;
    EXPECT_GT(c.x, last_x);
    last_x = c.x;
    EXPECT_LE(c.x + c.width, f.form.width - kFormMargin);
  }
}

TEST(WindowLayout, OptionGroupsTablesAndOwnColumns) {
  DialogDef d;
  // Three option buttons side by side in columns 100-190.
  for (int k = 1; k <= 3; ++k) {
    DialogItem o = Item(ItemKind::kSelectBtn, "G5" + std::to_string(3 + k), 0);
    o.option = k;
    o.group = 1;
    o.direction = kDirHoriz;
    if (k == 1) {
      o.prompt = "Offset";
      o.x = 100;
      o.y = 90;
    }
    AddItem(d, o);
  }
  // A table row: two cells, then a new row when the column goes back.
  for (int row = 0; row < 2; ++row) {
    d.layout = {0, 40, kAlignLeft, true};
    AddItem(d, Item(ItemKind::kShowVal, "", 1 + row));
    d.layout = {50, 60, kAlignLeft, true};
    AddItem(d, Item(ItemKind::kInputReal, "ignored", 3 + row));
  }
  // A field at column 0 gets its prompt on a row above it.
  d.layout = {0, 100, kAlignRight, false};
  AddItem(d, Item(ItemKind::kInputInt, "Below", 5));
  std::vector<PageRange> pages = Pages(d);
  std::vector<FieldState> fields(d.items.size());
  for (int k = 0; k < 3; ++k) fields[static_cast<size_t>(k)].choice = 2;
  PageForm f = LayoutPage(d, 0, pages, fields, Buttons(true), -1);

  const auto& c = f.form.controls;
  int o1 = ControlOf(f, 0, FormControlKind::kOption), o2 = ControlOf(f, 1, FormControlKind::kOption),
      o3 = ControlOf(f, 2, FormControlKind::kOption);
  ASSERT_GE(o1, 0);
  EXPECT_TRUE(c[static_cast<size_t>(o1)].group);
  EXPECT_FALSE(c[static_cast<size_t>(o2)].group);
  EXPECT_EQ(c[static_cast<size_t>(o1)].y, c[static_cast<size_t>(o3)].y);
  EXPECT_EQ(c[static_cast<size_t>(o2)].x - c[static_cast<size_t>(o1)].x, 30 * kFormColumnsWidth / 200);
  EXPECT_EQ(c[static_cast<size_t>(o2)].state, 1);
  EXPECT_EQ(c[static_cast<size_t>(o1)].state, 0);
  EXPECT_GE(LabelWithText(f, "Offset"), 0);

  int a = ControlOf(f, 3, FormControlKind::kShow), b = ControlOf(f, 4, FormControlKind::kEdit),
      a2 = ControlOf(f, 5, FormControlKind::kShow);
  EXPECT_EQ(c[static_cast<size_t>(a)].y, c[static_cast<size_t>(b)].y);
  EXPECT_EQ(c[static_cast<size_t>(a2)].y - c[static_cast<size_t>(a)].y, kFormRow);
  EXPECT_EQ(LabelWithText(f, "ignored"), -1);  // a cell holds its field alone

  int below = ControlOf(f, 7, FormControlKind::kEdit), prompt = LabelWithText(f, "Below");
  EXPECT_EQ(c[static_cast<size_t>(below)].x, c[static_cast<size_t>(prompt)].x);
  EXPECT_EQ(c[static_cast<size_t>(below)].y - c[static_cast<size_t>(prompt)].y, kFormRow - 2);
}

TEST(WindowLayout, TheWindowsAnswerBecomesThePagesFields) {
  DialogDef d;
  AddItem(d, Item(ItemKind::kInputInt, "N", 0));
  DialogItem sel = Item(ItemKind::kSelectInd, "Offset", 1);
  sel.entries = {"G54", "G55"};
  AddItem(d, sel);
  AddItem(d, Item(ItemKind::kCheckBox, "List", 2));
  for (int k = 1; k <= 2; ++k) {
    DialogItem o = Item(ItemKind::kSelectBtn, "o" + std::to_string(k), 3);
    o.option = k;
    o.group = 4;
    AddItem(d, o);
  }
  AddItem(d, Item(ItemKind::kButton, "More", -1));
  std::vector<PageRange> pages = Pages(d);
  std::vector<FieldState> fields(d.items.size());
  fields[1].choice = 2;
  fields[3].choice = fields[4].choice = 1;
  PageForm f = LayoutPage(d, 0, pages, fields, Buttons(true), -1);
  EXPECT_EQ(f.form.controls[static_cast<size_t>(ControlOf(f, 1, FormControlKind::kChoice))].state, 1);

  platform::FormAnswer answer;
  answer.controls = f.form.controls;
  answer.controls[static_cast<size_t>(ControlOf(f, 0, FormControlKind::kEdit))].text = "42";
  answer.controls[static_cast<size_t>(ControlOf(f, 1, FormControlKind::kChoice))].state = -1;
  answer.controls[static_cast<size_t>(ControlOf(f, 2, FormControlKind::kCheck))].state = 1;
  answer.controls[static_cast<size_t>(ControlOf(f, 3, FormControlKind::kOption))].state = 0;
  answer.controls[static_cast<size_t>(ControlOf(f, 4, FormControlKind::kOption))].state = 1;
  answer.pressed = ControlOf(f, 5, FormControlKind::kPush);
  PageAnswer a = AnswerOf(d, f, answer, fields);
  EXPECT_EQ(a.action, DialogAction::kButton);
  EXPECT_EQ(a.item, 5);
  EXPECT_EQ(a.fields[0].text, "42");
  EXPECT_EQ(a.fields[1].choice, 0);  // nothing chosen
  EXPECT_EQ(a.fields[2].choice, 1);
  EXPECT_EQ(a.fields[3].choice, 2);  // the group's choice on every button
  EXPECT_EQ(a.fields[4].choice, 2);

  answer.pressed = -1;  // closed without a button
  EXPECT_EQ(AnswerOf(d, f, answer, fields).action, DialogAction::kCancel);
  for (size_t k = 0; k < f.action.size(); ++k) {
    if (f.form.controls[k].cancel) {
      answer.pressed = static_cast<int>(k);
      EXPECT_EQ(AnswerOf(d, f, answer, fields).action, DialogAction::kCancel);
    }
    if (f.form.controls[k].default_button) {
      answer.pressed = static_cast<int>(k);
      EXPECT_EQ(AnswerOf(d, f, answer, fields).action, DialogAction::kNext);
    }
  }
}

TEST(FileFilter, GroupsWithTheirPatternsAndTheTwoFaults) {
  std::vector<platform::FileFilter> groups;
  ASSERT_EQ(ParseFileFilter("Programs (*.nc;*.tap) All files (*.*)", groups), FilterFault::kNone);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].text, "Programs (*.nc;*.tap)");
  EXPECT_EQ(groups[0].patterns, "*.nc;*.tap");
  EXPECT_EQ(groups[1].text, "All files (*.*)");
  EXPECT_EQ(groups[1].patterns, "*.*");
  EXPECT_EQ(ParseFileFilter("  ", groups), FilterFault::kNone);
  EXPECT_TRUE(groups.empty());
  EXPECT_EQ(ParseFileFilter("Programs (*.nc) All files", groups), FilterFault::kNoLeftParenthesis);
  EXPECT_EQ(ParseFileFilter("Programs (*.nc", groups), FilterFault::kNoRightParenthesis);
}

}  // namespace
}  // namespace tornel
