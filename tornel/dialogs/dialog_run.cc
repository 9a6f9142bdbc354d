#include "tornel/dialogs/dialog_run.h"

#include <cmath>
#include <cstdlib>

#include "tornel/compiler/tokens.h"
#include "tornel/dialogs/field_checks.h"

namespace tornel {

namespace {

double NumberOf(const BoundSlot& var, const ValueTables& v) {
  size_t i = static_cast<size_t>(var.slot);
  if (var.type == kTokIntVar) return i < v.ints.size() ? v.ints[i] : 0;
  if (var.type == kTokRealVar) return i < v.reals.size() ? v.reals[i] : 0;
  return 0;
}

void SetNumber(const BoundSlot& var, double value, ValueTables& v) {
  size_t i = static_cast<size_t>(var.slot);
  if (var.type == kTokIntVar && i < v.ints.size()) {
    double t = std::trunc(value);
    v.ints[i] = std::fabs(t) < 2147483648.0 ? static_cast<int32_t>(t) : 0;
  } else if (var.type == kTokRealVar && i < v.reals.size()) {
    v.reals[i] = value;
  }
}

const std::string& TextOf(const BoundSlot& var, const ValueTables& v) {
  static const std::string kEmpty;
  size_t i = static_cast<size_t>(var.slot);
  return var.type == kTokStringRef && i < v.strings.size() ? v.strings[i] : kEmpty;
}

std::string NumberText(double value) { return BoundText(value); }

// The chosen entry's text read as a number, as "%lf" would; 0 when it
// begins with none.
double EntryNumber(const std::string& text) {
  char* end = nullptr;
  double d = std::strtod(text.c_str(), &end);
  return end == text.c_str() || !std::isfinite(d) ? 0 : d;
}

PageButtons ButtonsFor(const DialogDef& d, int page, int pages, const LanguageTable& lang) {
  PageButtons b;
  b.ok_text = LangText(lang, kLangOk, "OK");
  b.cancel_text = LangText(lang, kLangCancel, "Cancel");
  b.save_text = LangText(lang, kLangSaveSettings, "Save settings");
  b.back_text = LangText(lang, kLangBack, "<");
  b.next_text = LangText(lang, kLangNext, "Next >");
  b.reset_text = LangText(lang, kLangReset, "Reset");
  b.reset_all_text = LangText(lang, kLangResetAll, "Reset all");
  b.back = page > 0 || d.flags.back;
  bool last = page + 1 == pages;
  b.next = !last;
  b.ok = last;
  b.reset = d.flags.reset;
  b.reset_all = d.flags.reset_all;
  b.save = d.flags.save;
  return b;
}

// The first field of the page that fails its check, with its message.
int FirstFailure(const DialogDef& d, const PageRange& page, const std::vector<FieldState>& fields,
                 const LanguageTable& lang, std::string& message) {
  for (int i = page.first; i < page.end; ++i) {
    std::optional<std::string> m =
        CheckField(d.items[static_cast<size_t>(i)], fields[static_cast<size_t>(i)].text, lang);
    if (m) {
      message = *m;
      return i;
    }
  }
  return -1;
}

void StorePage(const DialogDef& d, const PageRange& page, const std::vector<FieldState>& fields,
               ValueTables& v, const LanguageTable& lang) {
  for (int i = page.first; i < page.end; ++i) {
    const DialogItem& item = d.items[static_cast<size_t>(i)];
    const FieldState& f = fields[static_cast<size_t>(i)];
    if (!CheckField(item, f.text, lang)) StoreField(item, f, v);
  }
}

std::vector<FieldState> AllFields(const DialogDef& d, const ValueTables& v) {
  std::vector<FieldState> fields;
  fields.reserve(d.items.size());
  for (const DialogItem& item : d.items) fields.push_back(FieldFromVariable(item, v));
  return fields;
}

}  // namespace

FieldState FieldFromVariable(const DialogItem& item, const ValueTables& v) {
  FieldState f;
  switch (item.kind) {
    case ItemKind::kInputInt:
    case ItemKind::kInputReal:
    case ItemKind::kShowVal:
      f.text = NumberText(NumberOf(item.var, v));
      break;
    case ItemKind::kInputStr:
    case ItemKind::kShowStr:
      f.text = TextOf(item.var, v);
      break;
    case ItemKind::kSelectVal: {
      double value = NumberOf(item.var, v);
      for (size_t k = 0; k < item.entries.size(); ++k) {
        if (EntryNumber(item.entries[k]) == value) {
          f.choice = static_cast<int>(k) + 1;
          break;
        }
      }
      break;
    }
    case ItemKind::kSelectStr: {
      const std::string& text = TextOf(item.var, v);
      for (size_t k = 0; k < item.entries.size(); ++k) {
        if (item.entries[k] == text) {
          f.choice = static_cast<int>(k) + 1;
          break;
        }
      }
      break;
    }
    case ItemKind::kSelectInd: {
      double n = NumberOf(item.var, v);
      f.choice = n >= 1 && n <= static_cast<double>(item.entries.size()) ? static_cast<int>(n) : 0;
      break;
    }
    case ItemKind::kSelectBtn:
      f.choice = static_cast<int>(NumberOf(item.var, v));
      break;
    case ItemKind::kCheckBox:
      f.choice = NumberOf(item.var, v) != 0 ? 1 : 0;
      break;
    default:
      break;
  }
  return f;
}

void StoreField(const DialogItem& item, const FieldState& f, ValueTables& v) {
  size_t chosen = static_cast<size_t>(f.choice - 1);
  bool has_choice = f.choice >= 1 && chosen < item.entries.size();
  switch (item.kind) {
    case ItemKind::kInputInt:
    case ItemKind::kInputReal:
      SetNumber(item.var, FieldNumber(f.text), v);
      break;
    case ItemKind::kInputStr: {
      size_t i = static_cast<size_t>(item.var.slot);
      if (i < v.strings.size()) v.strings[i] = f.text;
      break;
    }
    case ItemKind::kSelectVal:
      if (has_choice) SetNumber(item.var, EntryNumber(item.entries[chosen]), v);
      break;
    case ItemKind::kSelectStr: {
      size_t i = static_cast<size_t>(item.var.slot);
      if (has_choice && i < v.strings.size()) v.strings[i] = item.entries[chosen];
      break;
    }
    case ItemKind::kSelectInd:
      SetNumber(item.var, has_choice ? f.choice : 0, v);
      break;
    case ItemKind::kSelectBtn:
      // Each button of the group carries the group's choice; the first one
      // stores it.
      if (item.option == 1) SetNumber(item.var, f.choice, v);
      break;
    case ItemKind::kCheckBox:
      SetNumber(item.var, f.choice != 0 ? 1 : 0, v);
      break;
    default:
      break;
  }
}

DialogResult RunDialog(const DialogDef& d, DialogScreen& screen, DialogHost& host) {
  // However the dialog ends (a button's function may end the run), the
  // screen hears of it.
  struct CloseOnReturn {
    const DialogDef& d;
    DialogScreen& screen;
    ~CloseOnReturn() { screen.Closed(d); }
  } close_on_return{d, screen};
  DialogResult result;
  std::vector<PageRange> pages = Pages(d);
  int n = static_cast<int>(pages.size());
  int page = 0;
  int focus = -1;
  std::vector<FieldState> fields = AllFields(d, host.values);
  while (true) {
    const PageRange& range = pages[static_cast<size_t>(page)];
    PageAnswer answer = screen.ShowPage(d, page, pages, fields, ButtonsFor(d, page, n, host.lang), focus);
    focus = -1;
    for (int i = range.first; i < range.end && static_cast<size_t>(i) < answer.fields.size(); ++i)
      fields[static_cast<size_t>(i)] = answer.fields[static_cast<size_t>(i)];
    std::string message;
    switch (answer.action) {
      case DialogAction::kCancel:
        result.cancelled = true;
        return result;
      case DialogAction::kNext:
      case DialogAction::kSave: {
        int failed = FirstFailure(d, range, fields, host.lang, message);
        if (failed >= 0) {
          screen.Message(message, MessageIcon::kExclamation);
          focus = failed;
          break;
        }
        StorePage(d, range, fields, host.values, host.lang);
        if (answer.action == DialogAction::kSave) {
          result.save = true;
          screen.Message(std::string(LangText(host.lang, kLangValuesSaved, kMsgValuesSaved)),
                         MessageIcon::kInformation);
          break;
        }
        if (page + 1 == n) return result;
        ++page;
        break;
      }
      case DialogAction::kBack: {
        int failed = FirstFailure(d, range, fields, host.lang, message);
        if (failed >= 0) screen.Message(message, MessageIcon::kExclamation);
        StorePage(d, range, fields, host.values, host.lang);
        if (page == 0) {
          if (d.flags.back) {
            result.back = true;
            return result;
          }
        } else {
          --page;
        }
        break;
      }
      case DialogAction::kReset:
      case DialogAction::kResetAll:
        if (host.reset) host.reset(answer.action == DialogAction::kResetAll, d);
        fields = AllFields(d, host.values);
        break;
      case DialogAction::kButton: {
        StorePage(d, range, fields, host.values, host.lang);
        size_t i = static_cast<size_t>(answer.item);
        if (i < d.items.size() && host.call) host.call(d.items[i].function_label);
        fields = AllFields(d, host.values);
        break;
      }
    }
  }
}

}  // namespace tornel
