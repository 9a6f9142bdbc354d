#include "tornel/dialogs/window_layout.h"

#include <algorithm>

namespace tornel {

namespace {

using platform::FormControl;
using platform::FormControlKind;

constexpr int kPromptGap = 2;      // columns between a prompt and its field
constexpr int kLeastPrompt = 20;   // a field starting left of this gets its prompt above it
constexpr int kEditHeight = 12;
constexpr int kLabelHeight = 8;
constexpr int kCheckHeight = 10;

int X(int column) { return kFormMargin + column * kFormColumnsWidth / kDialogColumns; }
int Width(int columns) { return columns * kFormColumnsWidth / kDialogColumns; }
int Y(int row) { return kFormMargin + row * kFormRow; }

// A push button wide enough for its caption.
int ButtonWidth(const std::string& caption, int least) {
  return std::max(least, 4 * static_cast<int>(caption.size()) + 12);
}

struct Columns {
  int start, width;
};

// The item's columns: its own numbers where given, else the layout's.
Columns ColumnsOf(const DialogItem& item) {
  Columns c{item.layout.start, item.layout.width};
  if (item.x >= 0 && item.y > 0) {
    c.start = std::min(item.x, kDialogColumns - 1);
    c.width = std::min(item.y, kDialogColumns - c.start);
  }
  return c;
}

bool IsField(ItemKind k) {
  switch (k) {
    case ItemKind::kInputInt:
    case ItemKind::kInputReal:
    case ItemKind::kInputStr:
    case ItemKind::kSelectVal:
    case ItemKind::kSelectStr:
    case ItemKind::kSelectInd:
    case ItemKind::kShowVal:
    case ItemKind::kShowStr:
      return true;
    default:
      return false;
  }
}

// Lays out the items of one page from row 0; gives the rows taken.
class PageLayout {
 public:
  PageLayout(const DialogDef& d, const std::vector<FieldState>& fields, PageForm* out)
      : d_(d), fields_(fields), out_(out) {}

  int Lay(const PageRange& range) {
    for (int i = range.first; i < range.end; ++i) i = LayItem(i, range.end);
    return row_;
  }

 private:
  void Add(FormControl c, int item, DialogAction action = DialogAction::kNext) {
    if (!out_) return;
    out_->form.controls.push_back(std::move(c));
    out_->item.push_back(item);
    out_->action.push_back(action);
  }

  void Label(const std::string& text, int row, Columns c, bool right) {
    FormControl l;
    l.kind = FormControlKind::kLabel;
    l.text = text;
    l.x = X(c.start);
    l.y = Y(row) + 2;
    l.width = Width(c.width);
    l.height = kLabelHeight;
    l.right = right;
    Add(std::move(l), -1);
  }

  // The control of a field item in its columns.
  void Field(int i, int row, Columns c) {
    const DialogItem& item = d_.items[static_cast<size_t>(i)];
    const FieldState& f = fields_[static_cast<size_t>(i)];
    FormControl ctl;
    ctl.x = X(c.start);
    ctl.y = Y(row);
    ctl.width = Width(c.width);
    ctl.height = kEditHeight;
    switch (item.kind) {
      case ItemKind::kSelectVal:
      case ItemKind::kSelectStr:
      case ItemKind::kSelectInd:
        ctl.kind = FormControlKind::kChoice;
        ctl.entries = item.entries;
        ctl.state = f.choice - 1;
        break;
      case ItemKind::kShowVal:
      case ItemKind::kShowStr:
        ctl.kind = FormControlKind::kShow;
        ctl.text = f.text;
        break;
      case ItemKind::kText:
        Label(item.text, row, c, false);
        return;
      case ItemKind::kCheckBox:
        ctl.kind = FormControlKind::kCheck;
        ctl.text = item.text;
        ctl.state = f.choice;
        ctl.y += 1;
        ctl.height = kCheckHeight;
        break;
      case ItemKind::kButton:
        ctl.kind = FormControlKind::kPush;
        ctl.text = item.text;
        ctl.width = std::max(ctl.width, ButtonWidth(item.text, 30));
        ctl.height = kFormButtonHeight;
        Add(std::move(ctl), i, DialogAction::kButton);
        return;
      default:
        ctl.kind = FormControlKind::kEdit;
        ctl.text = f.text;
        break;
    }
    Add(std::move(ctl), i);
  }

  // A field with its prompt in the columns left of it (or above it).
  void Prompted(int i, const std::string& prompt, Columns c) {
    const DialogItem& item = d_.items[static_cast<size_t>(i)];
    if (!prompt.empty()) {
      if (c.start >= kLeastPrompt) {
        Columns p{0, c.start - kPromptGap};
        Label(prompt, row_, p, item.layout.align != kAlignLeft);
      } else {
        Label(prompt, row_, {c.start, kDialogColumns - c.start}, false);
        ++row_;
      }
    }
    Field(i, row_, c);
    ++row_;
  }

  // A SelectBtn group from its first button; gives its last item.
  int Options(int first, int end) {
    const DialogItem& head = d_.items[static_cast<size_t>(first)];
    int last = first;
    while (last + 1 < end && d_.items[static_cast<size_t>(last) + 1].kind == ItemKind::kSelectBtn &&
           d_.items[static_cast<size_t>(last) + 1].group == head.group)
      ++last;
    int count = last - first + 1;
    Columns c = ColumnsOf(head);
    bool across = head.direction == kDirHoriz;
    if (!head.prompt.empty()) {
      if (c.start >= kLeastPrompt) {
        Label(head.prompt, row_, {0, c.start - kPromptGap}, head.layout.align != kAlignLeft);
      } else {
        Label(head.prompt, row_, {c.start, kDialogColumns - c.start}, false);
        ++row_;
      }
    }
    int cell = across ? std::max(1, c.width / count) : c.width;
    for (int k = 0; k < count; ++k) {
      int i = first + k;
      const DialogItem& item = d_.items[static_cast<size_t>(i)];
      FormControl o;
      o.kind = FormControlKind::kOption;
      o.text = item.text;
      o.state = fields_[static_cast<size_t>(i)].choice == item.option ? 1 : 0;
      o.group = k == 0;
      o.x = X(across ? c.start + k * cell : c.start);
      o.y = Y(across ? row_ : row_ + k) + 1;
      o.width = Width(cell);
      o.height = kCheckHeight;
      Add(std::move(o), i);
    }
    row_ += across ? 1 : count;
    return last;
  }

  // Lays out item i (and a whole option group from its first button);
  // gives the last item taken.
  int LayItem(int i, int end) {
    const DialogItem& item = d_.items[static_cast<size_t>(i)];
    if (item.kind == ItemKind::kPageBreak || item.kind == ItemKind::kButtonSys) return i;
    if (item.kind == ItemKind::kSpace) {
      row_ += item.count;
      in_table_ = false;
      return i;
    }
    Columns c = ColumnsOf(item);
    if (item.layout.table && item.kind != ItemKind::kSelectBtn) {
      int row = in_table_ && c.start > table_start_ ? table_row_ : row_++;
      in_table_ = true;
      table_row_ = row;
      table_start_ = c.start;
      Field(i, row, c);
      return i;
    }
    in_table_ = false;
    switch (item.kind) {
      case ItemKind::kText:
        Label(item.text, row_++, item.x >= 0 && item.y > 0 ? c : Columns{0, kDialogColumns}, false);
        return i;
      case ItemKind::kSelectBtn:
        return Options(i, end);
      case ItemKind::kCheckBox:
        Field(i, row_++, c);
        return i;
      case ItemKind::kButton: {
        // A button's first number is its column even without a width.
        if (item.x >= 0) c.start = std::min(item.x, kDialogColumns - 1);
        if (item.y > 0) c.width = std::min(item.y, kDialogColumns - c.start);
        Field(i, row_++, c);
        return i;
      }
      default:
        if (IsField(item.kind)) Prompted(i, item.text, c);
        return i;
    }
  }

  const DialogDef& d_;
  const std::vector<FieldState>& fields_;
  PageForm* out_;
  int row_ = 0;
  bool in_table_ = false;
  int table_row_ = 0, table_start_ = 0;
};

struct RowButton {
  std::string text;
  DialogAction action;
  int item = -1;
  int width = kFormButtonWidth;
  bool default_button = false, cancel = false;
};

}  // namespace

PageForm LayoutPage(const DialogDef& d, int page, const std::vector<PageRange>& pages,
                    const std::vector<FieldState>& fields, const PageButtons& b, int focus) {
  PageForm out;
  int rows = 0;
  for (const PageRange& r : pages) rows = std::max(rows, PageLayout(d, fields, nullptr).Lay(r));
  const PageRange& range = pages[static_cast<size_t>(page)];
  PageLayout(d, fields, &out).Lay(range);

  // The button row: Reset, Reset all, Save and the post's left buttons on
  // the left; the post's right buttons, Back, Next or OK and Cancel on the
  // right.
  std::vector<RowButton> left, right;
  if (b.reset) left.push_back({b.reset_text, DialogAction::kReset});
  if (b.reset_all) left.push_back({b.reset_all_text, DialogAction::kResetAll});
  if (b.save) left.push_back({b.save_text, DialogAction::kSave});
  for (int i = range.first; i < range.end; ++i) {
    const DialogItem& item = d.items[static_cast<size_t>(i)];
    if (item.kind != ItemKind::kButtonSys) continue;
    RowButton r{item.text, DialogAction::kButton, i};
    if (item.y > 0) r.width = Width(std::min(item.y, kDialogColumns));
    (item.option == kAlignLeft ? left : right).push_back(r);
  }
  if (b.back) right.push_back({b.back_text, DialogAction::kBack});
  if (b.next) right.push_back({b.next_text, DialogAction::kNext, -1, kFormButtonWidth, true});
  if (b.ok) right.push_back({b.ok_text, DialogAction::kNext, -1, kFormButtonWidth, true});
  right.push_back({b.cancel_text, DialogAction::kCancel, -1, kFormButtonWidth, false, true});
  int total = 0;
  for (auto* side : {&left, &right})
    for (RowButton& r : *side) {
      r.width = ButtonWidth(r.text, r.width);
      total += r.width + kFormButtonGap;
    }
  int width = std::max(kFormColumnsWidth, total + 2 * kFormButtonGap) + 2 * kFormMargin;
  int y = Y(rows) + kFormMargin / 2;
  auto place = [&](const RowButton& r, int x) {
    platform::FormControl c;
    c.kind = platform::FormControlKind::kPush;
    c.text = r.text;
    c.x = x;
    c.y = y;
    c.width = r.width;
    c.height = kFormButtonHeight;
    c.default_button = r.default_button;
    c.cancel = r.cancel;
    out.form.controls.push_back(std::move(c));
    out.item.push_back(r.item);
    out.action.push_back(r.action);
  };
  int x = kFormMargin;
  for (const RowButton& r : left) {
    place(r, x);
    x += r.width + kFormButtonGap;
  }
  int right_width = 0;
  for (const RowButton& r : right) right_width += r.width + kFormButtonGap;
  x = width - kFormMargin - right_width + kFormButtonGap;
  for (const RowButton& r : right) {
    place(r, x);
    x += r.width + kFormButtonGap;
  }

  out.form.title = d.title;
  if (pages.size() > 1)
    out.form.title += " (" + std::to_string(page + 1) + "/" + std::to_string(pages.size()) + ")";
  out.form.width = width;
  out.form.height = y + kFormButtonHeight + kFormMargin;
  out.form.focus = -1;
  for (size_t k = 0; k < out.item.size(); ++k) {
    if (focus >= 0 && out.item[k] == focus) {
      out.form.focus = static_cast<int>(k);
      break;
    }
  }
  return out;
}

PageAnswer AnswerOf(const DialogDef& d, const PageForm& page, const platform::FormAnswer& answer,
                    const std::vector<FieldState>& fields) {
  PageAnswer a;
  a.fields = fields;
  size_t pressed = static_cast<size_t>(answer.pressed);
  if (answer.pressed < 0 || pressed >= page.action.size()) {
    a.action = DialogAction::kCancel;
  } else {
    a.action = page.action[pressed];
    a.item = page.item[pressed];
  }
  for (size_t k = 0; k < answer.controls.size() && k < page.item.size(); ++k) {
    int i = page.item[k];
    if (i < 0 || static_cast<size_t>(i) >= a.fields.size()) continue;
    const platform::FormControl& c = answer.controls[k];
    FieldState& f = a.fields[static_cast<size_t>(i)];
    switch (c.kind) {
      case platform::FormControlKind::kEdit:
        f.text = c.text;
        break;
      case platform::FormControlKind::kChoice:
        f.choice = c.state < 0 ? 0 : c.state + 1;
        break;
      case platform::FormControlKind::kCheck:
        f.choice = c.state ? 1 : 0;
        break;
      case platform::FormControlKind::kOption:
        // Every button of the group carries the group's choice.
        if (c.state) {
          const DialogItem& item = d.items[static_cast<size_t>(i)];
          for (size_t j = 0; j < d.items.size() && j < a.fields.size(); ++j)
            if (d.items[j].kind == ItemKind::kSelectBtn && d.items[j].group == item.group)
              a.fields[j].choice = item.option;
        }
        break;
      default:
        break;
    }
  }
  return a;
}

}  // namespace tornel
