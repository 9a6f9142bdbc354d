#include "tools/kysy/window_forms.h"

#include "tools/kysy/texts.h"

namespace kysy {

namespace {

using platform::FormControl;
using platform::FormControlKind;

constexpr int kWidth = 230;  // the client area
constexpr int kMargin = 7;
constexpr int kLineHeight = 8;
constexpr int kCharsPerLine = 52;  // of the message, at about 4 units a character
constexpr int kButtonWidth = 50, kButtonHeight = 14;
constexpr int kExtraWidth = 40;

int Add(DialogForm& f, FormControl c) {
  f.form.controls.push_back(std::move(c));
  return static_cast<int>(f.form.controls.size()) - 1;
}

// The lines the message takes, its long lines wrapped.
int MessageLines(const std::string& message) {
  int lines = 0;
  size_t start = 0;
  for (;;) {
    size_t nl = message.find('\n', start);
    size_t length = (nl == std::string::npos ? message.size() : nl) - start;
    lines += 1 + static_cast<int>(length) / kCharsPerLine;
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return lines;
}

// The title and the message; gives the height used so far.
int Begin(DialogForm& f, const std::string& title, const std::string& message) {
  f.form.title = title;
  f.form.width = kWidth;
  int y = kMargin;
  if (!message.empty()) {
    int height = MessageLines(message) * kLineHeight;
    FormControl label;
    label.kind = FormControlKind::kLabel;
    label.x = kMargin;
    label.y = y;
    label.width = kWidth - 2 * kMargin;
    label.height = height;
    label.text = message;
    Add(f, label);
    y += height + 5;
  }
  return y;
}

// "OK" and "Peruuta" at the bottom right.
void End(DialogForm& f, int y) {
  y += 4;
  FormControl ok;
  ok.kind = FormControlKind::kPush;
  ok.text = kButtonOk;
  ok.x = kWidth - kMargin - 2 * kButtonWidth - 4;
  ok.y = y;
  ok.width = kButtonWidth;
  ok.height = kButtonHeight;
  ok.default_button = true;
  f.ok = Add(f, ok);
  FormControl cancel = ok;
  cancel.text = kButtonCancel;
  cancel.x = kWidth - kMargin - kButtonWidth;
  cancel.default_button = false;
  cancel.cancel = true;
  f.cancel = Add(f, cancel);
  f.form.height = y + kButtonHeight + kMargin;
}

FormControl Field(FormControlKind kind, int y, int height) {
  FormControl c;
  c.kind = kind;
  c.x = kMargin;
  c.y = y;
  c.width = kWidth - 2 * kMargin;
  c.height = height;
  return c;
}

DialogForm Boxes(const BoxesRequest& r, FormControlKind kind) {
  DialogForm f;
  int y = Begin(f, r.title, r.message);
  for (size_t k = 0; k < r.labels.size() && k < kMaxBoxes; ++k) {
    FormControl box = Field(kind, y, 10);
    box.text = r.labels[k];
    if (kind == FormControlKind::kCheck) {
      box.state = r.ticked[k] ? 1 : 0;
    } else {
      box.group = k == 0;
      box.state = static_cast<int>(k) == r.selected ? 1 : 0;
    }
    f.boxes.push_back(Add(f, box));
    y += 13;
  }
  End(f, y);
  if (!f.boxes.empty()) {
    size_t first = kind == FormControlKind::kOption && r.selected >= 0 &&
                           static_cast<size_t>(r.selected) < f.boxes.size()
                       ? static_cast<size_t>(r.selected)
                       : 0;
    f.form.focus = f.boxes[first];
  } else {
    f.form.focus = f.ok;
  }
  return f;
}

bool Pressed(const platform::FormAnswer& a, int control) {
  return control >= 0 && a.pressed == control;
}

const FormControl* Control(const platform::FormAnswer& a, int k) {
  return k >= 0 && static_cast<size_t>(k) < a.controls.size() ? &a.controls[static_cast<size_t>(k)]
                                                              : nullptr;
}

}  // namespace

DialogForm ListForm(const ListRequest& r) {
  DialogForm f;
  int y = Begin(f, r.title, r.message);
  FormControl list = Field(FormControlKind::kList, y, 100);
  list.entries = r.items;
  list.state = r.selected;
  f.content = Add(f, list);
  End(f, y + 100);
  f.form.focus = f.content;
  return f;
}

DialogForm ComboForm(const ListRequest& r) {
  DialogForm f;
  int y = Begin(f, r.title, r.message);
  FormControl combo = Field(FormControlKind::kCombo, y, 12);
  combo.entries = r.items;
  combo.state = r.selected;
  f.content = Add(f, combo);
  // Room below the field for the list when it drops down under the buttons.
  End(f, y + 16);
  f.form.focus = f.content;
  return f;
}

DialogForm EditForm(const EditRequest& r) {
  DialogForm f;
  int y = Begin(f, r.title, r.message);
  FormControl edit = Field(FormControlKind::kEdit, y, 12);
  edit.text = r.text;
  f.content = Add(f, edit);
  y += 16;
  bool any = false;
  for (size_t k = 0; k < kMaxBoxes; ++k) {
    if (r.buttons[k].empty()) continue;
    FormControl b;
    b.kind = FormControlKind::kPush;
    b.text = r.buttons[k];
    b.x = kMargin + static_cast<int>(k) * (kExtraWidth + 3);
    b.y = y;
    b.width = kExtraWidth;
    b.height = kButtonHeight;
    f.extras[k] = Add(f, b);
    any = true;
  }
  if (any) y += kButtonHeight + 4;
  End(f, y);
  f.form.focus = f.content;
  return f;
}

DialogForm CheckForm(const BoxesRequest& r) { return Boxes(r, FormControlKind::kCheck); }
DialogForm RadioForm(const BoxesRequest& r) { return Boxes(r, FormControlKind::kOption); }

ListAnswer ListFromForm(const DialogForm& f, const platform::FormAnswer& a) {
  ListAnswer out;
  const FormControl* list = Control(a, f.content);
  if (!Pressed(a, f.ok) || !list) return out;
  out.ok = true;
  out.selected = list->state;
  return out;
}

ListAnswer ComboFromForm(const DialogForm& f, const platform::FormAnswer& a) {
  ListAnswer out = ListFromForm(f, a);
  if (out.ok) out.text = Control(a, f.content)->text;
  return out;
}

EditAnswer EditFromForm(const DialogForm& f, const platform::FormAnswer& a) {
  EditAnswer out;
  const FormControl* edit = Control(a, f.content);
  if (edit) out.text = edit->text;
  if (Pressed(a, f.ok)) out.pressed = 0;
  for (size_t k = 0; k < kMaxBoxes; ++k)
    if (Pressed(a, f.extras[k])) out.pressed = static_cast<int>(k) + 1;
  return out;
}

BoxesAnswer CheckFromForm(const DialogForm& f, const BoxesRequest& r,
                          const platform::FormAnswer& a) {
  BoxesAnswer out;
  if (!Pressed(a, f.ok)) return out;
  out.ok = true;
  out.ticked = r.ticked;
  for (size_t k = 0; k < f.boxes.size(); ++k)
    if (const FormControl* box = Control(a, f.boxes[k])) out.ticked[k] = box->state != 0;
  return out;
}

BoxesAnswer RadioFromForm(const DialogForm& f, const platform::FormAnswer& a) {
  BoxesAnswer out;
  if (!Pressed(a, f.ok)) return out;
  out.ok = true;
  for (size_t k = 0; k < f.boxes.size() && out.selected < 0; ++k)
    if (const FormControl* box = Control(a, f.boxes[k]); box && box->state)
      out.selected = static_cast<int>(k);
  return out;
}

}  // namespace kysy
