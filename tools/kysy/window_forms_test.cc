#include "tools/kysy/window_forms.h"

#include <gtest/gtest.h>

namespace kysy {
namespace {

using platform::FormAnswer;
using platform::FormControlKind;

// The answer as if `pressed` was pressed with the controls as built.
FormAnswer Press(const DialogForm& f, int pressed) { return {pressed, f.form.controls}; }

void ExpectInside(const DialogForm& f) {
  for (const platform::FormControl& c : f.form.controls) {
    EXPECT_GE(c.x, 0);
    EXPECT_LE(c.x + c.width, f.form.width) << c.text;
    EXPECT_LE(c.y + c.height, f.form.height) << c.text;
  }
}

TEST(KysyForms, ListWithMessageAndButtons) {
  ListRequest r{"Valinta", "Line 1\nLine 2", {"a", "b", "c"}, 1};
  DialogForm f = ListForm(r);
  EXPECT_EQ(f.form.title, "Valinta");
  ASSERT_EQ(f.form.controls.size(), 4u);
  EXPECT_EQ(f.form.controls[0].kind, FormControlKind::kLabel);
  EXPECT_EQ(f.form.controls[0].height, 16) << "two lines";
  EXPECT_EQ(f.form.controls[static_cast<size_t>(f.content)].kind, FormControlKind::kList);
  EXPECT_EQ(f.form.controls[static_cast<size_t>(f.ok)].text, "OK");
  EXPECT_TRUE(f.form.controls[static_cast<size_t>(f.ok)].default_button);
  EXPECT_EQ(f.form.controls[static_cast<size_t>(f.cancel)].text, "Peruuta");
  EXPECT_TRUE(f.form.controls[static_cast<size_t>(f.cancel)].cancel);
  EXPECT_EQ(f.form.focus, f.content);
  ExpectInside(f);

  FormAnswer a = Press(f, f.ok);
  a.controls[static_cast<size_t>(f.content)].state = 2;
  ListAnswer got = ListFromForm(f, a);
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.selected, 2);
  EXPECT_FALSE(ListFromForm(f, Press(f, f.cancel)).ok);
  EXPECT_FALSE(ListFromForm(f, Press(f, -1)).ok);
  // Without a message there is no label.
  EXPECT_EQ(ListForm({"t", "", {"a"}, 0}).form.controls.size(), 3u);
}

TEST(KysyForms, ComboIsEditable) {
  DialogForm f = ComboForm({"Dialogi", "", {"x", "y"}, 0});
  EXPECT_EQ(f.form.controls[static_cast<size_t>(f.content)].kind, FormControlKind::kCombo);
  FormAnswer a = Press(f, f.ok);
  a.controls[static_cast<size_t>(f.content)].text = "typed";
  a.controls[static_cast<size_t>(f.content)].state = -1;
  ListAnswer got = ComboFromForm(f, a);
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.text, "typed");
  EXPECT_EQ(got.selected, -1);
}

TEST(KysyForms, EditWithItsShownButtonsOnly) {
  EditRequest r;
  r.title = "Dialogi";
  r.text = "start";
  r.buttons = {"Selaa", "", "Ohje", "", ""};
  DialogForm f = EditForm(r);
  EXPECT_GE(f.extras[0], 0);
  EXPECT_EQ(f.extras[1], -1);
  EXPECT_GE(f.extras[2], 0);
  EXPECT_EQ(f.extras[3], -1);
  EXPECT_EQ(f.form.controls.size(), 5u);  // edit, two extras, OK, Peruuta
  EXPECT_EQ(f.form.controls[static_cast<size_t>(f.extras[2])].text, "Ohje");
  ExpectInside(f);
  FormAnswer a = Press(f, f.extras[2]);
  a.controls[static_cast<size_t>(f.content)].text = "changed";
  EditAnswer got = EditFromForm(f, a);
  EXPECT_EQ(got.pressed, 3);
  EXPECT_EQ(got.text, "changed");
  EXPECT_EQ(EditFromForm(f, Press(f, f.ok)).pressed, 0);
  EXPECT_EQ(EditFromForm(f, Press(f, f.cancel)).pressed, -1);
}

TEST(KysyForms, CheckBoxesKeepHiddenStates) {
  BoxesRequest r;
  r.title = "Dialogi";
  r.labels = {"a", "b"};
  r.ticked = {true, false, false, true, true};
  DialogForm f = CheckForm(r);
  ASSERT_EQ(f.boxes.size(), 2u);
  EXPECT_EQ(f.form.controls[static_cast<size_t>(f.boxes[0])].state, 1);
  EXPECT_EQ(f.form.controls[static_cast<size_t>(f.boxes[1])].state, 0);
  ExpectInside(f);
  FormAnswer a = Press(f, f.ok);
  a.controls[static_cast<size_t>(f.boxes[0])].state = 0;
  a.controls[static_cast<size_t>(f.boxes[1])].state = 1;
  BoxesAnswer got = CheckFromForm(f, r, a);
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.ticked, (std::array<bool, 5>{false, true, false, true, true}));
  EXPECT_FALSE(CheckFromForm(f, r, Press(f, f.cancel)).ok);
}

TEST(KysyForms, RadioButtonsOneGroup) {
  BoxesRequest r;
  r.title = "Dialogi";
  r.labels = {"a", "b", "c", "d", "e"};
  r.selected = 3;
  DialogForm f = RadioForm(r);
  ASSERT_EQ(f.boxes.size(), 5u);
  EXPECT_TRUE(f.form.controls[static_cast<size_t>(f.boxes[0])].group);
  EXPECT_FALSE(f.form.controls[static_cast<size_t>(f.boxes[1])].group);
  EXPECT_EQ(f.form.controls[static_cast<size_t>(f.boxes[3])].state, 1);
  EXPECT_EQ(f.form.focus, f.boxes[3]);
  ExpectInside(f);
  FormAnswer a = Press(f, f.ok);
  a.controls[static_cast<size_t>(f.boxes[3])].state = 0;
  a.controls[static_cast<size_t>(f.boxes[1])].state = 1;
  EXPECT_EQ(RadioFromForm(f, a).selected, 1);
  a.controls[static_cast<size_t>(f.boxes[1])].state = 0;
  EXPECT_EQ(RadioFromForm(f, a).selected, -1);
}

}  // namespace
}  // namespace kysy
