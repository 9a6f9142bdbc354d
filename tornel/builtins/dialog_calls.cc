#include "tornel/builtins/dialog_calls.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/terminal.h"
#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/compiler/tokens.h"
#include "tornel/dialogs/console_screen.h"
#include "tornel/dialogs/file_filter.h"
#include "tornel/dialogs/window_screen.h"
#include "tornel/dialogs/value_memory.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

using BoundVar = BuiltinArgs::BoundVar;

// ---- Files of the value memory ----------------------------------------

// Read as a text file: the CR LF line ends that writing made are line
// feeds again.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  if (!platform::IsRegularFile(path)) return std::nullopt;
  std::FILE* f = platform::OpenBinary(path, "r");
  if (!f) return std::nullopt;
  platform::LineReader reader(f);
  std::string text, line;
  while (platform::ReadTextLine(reader, line)) text += line;
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return text;
}

// The file is replaced only by a complete new one, written beside it and
// renamed: an interrupted write never loses the stored values of other
// posts.  A file that cannot be written is simply not kept.
void WriteWholeFile(const std::string& path, const std::string& text) {
  std::string temp;
  std::FILE* f = TryCreateBeside(path, temp);
  if (!f) return;
  bool ok = platform::WriteText(f, text);
  ok = platform::CloseFile(f) && ok;
  if (!ok || !platform::ReplaceFileWith(temp, path)) platform::RemoveFile(temp);
}

std::vector<std::string> BodyLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

bool MemoryOn(const BuiltinContext& ctx) { return ctx.values.ints[kSiDlgValMemory] != 0; }

void WriteSection(BuiltinContext& ctx, const std::string& post_name, bool defaults) {
  const std::string& path = ctx.cl.files.values_file;
  std::string file = ReadWholeFile(path).value_or("");
  std::string body = FormatBody(ctx.values, ctx.dialog_variables.list_b);
  WriteWholeFile(path, ReplaceSection(file, SectionHeader(post_name, defaults), body));
}

void WriteSettingsFile(BuiltinContext& ctx) {
  WriteWholeFile(ctx.cl.files.settings_file, FormatBody(ctx.values, ctx.dialog_variables.list_a));
}

// ---- Reading the procedures' arguments --------------------------------

constexpr int kMaxArgs = 8;

// The arguments after the bound variable, in the order given: numbers
// before the first text, the texts, numbers after them.
struct Rest {
  std::vector<double> before;
  std::vector<std::string> texts;
  std::vector<double> after;
};

Rest ReadRest(BuiltinArgs& args, int from) {
  Rest r;
  for (int k = from; args.More(); ++k) {
    double number = 0;
    std::string text;
    if (args.Any(k, kMaxArgs, number, text)) {
      (r.texts.empty() ? r.before : r.after).push_back(number);
    } else {
      r.texts.push_back(text);
    }
  }
  return r;
}

DialogDef& Open(BuiltinContext& ctx) {
  if (!ctx.dialogs.Defining()) FatalAt(ctx.diag, kMsgDialogNotStarted);
  return ctx.dialogs.defs.back();
}

void Place(DialogItem& item, const std::vector<double>& numbers) {
  if (numbers.size() >= 2) {
    item.x = static_cast<int>(numbers[0]);
    item.y = static_cast<int>(numbers[1]);
  }
}

void Bind(DialogItem& item, const BoundVar& v, DialogDef& d) {
  item.var = {v.type, v.index};
  if (v.mark == '!') d.flags.save = true;
}

// InputInt, InputReal, InputStr: v [, x, y] [, prompt] [, min, max].
void Input(BuiltinContext& ctx, BuiltinArgs& args, ItemKind kind) {
  DialogDef& d = Open(ctx);
  DialogItem item;
  item.kind = kind;
  Bind(item, args.BoundVariable(1, kMaxArgs, kind == ItemKind::kInputStr ? BuiltinArgs::Bind::kString : BuiltinArgs::Bind::kNumeric), d);
  Rest r = ReadRest(args, 2);
  std::vector<double> limits = r.after;
  if (r.texts.empty()) {
    // Numbers alone: x and y, then the limits.
    Place(item, r.before);
    if (r.before.size() >= 4) limits.assign(r.before.begin() + 2, r.before.begin() + 4);
  } else {
    Place(item, r.before);
    item.text = r.texts[0];
  }
  if (limits.size() >= 2) {
    item.has_limits = true;
    item.min = limits[0];
    item.max = limits[1];
    if (kind != ItemKind::kInputReal) {
      item.min = std::trunc(item.min);
      item.max = std::trunc(item.max);
    }
  }
  AddItem(d, std::move(item));
}

// SelectVal, SelectStr, SelectInd, SelectBtn: v, [x, y, [dir,]] [prompt,] list.
void Select(BuiltinContext& ctx, BuiltinArgs& args, ItemKind kind) {
  DialogDef& d = Open(ctx);
  DialogItem item;
  item.kind = kind;
  BoundVar v = args.BoundVariable(1, kMaxArgs, kind == ItemKind::kSelectStr ? BuiltinArgs::Bind::kString : BuiltinArgs::Bind::kNumeric);
  Bind(item, v, d);
  Rest r = ReadRest(args, 2);
  Place(item, r.before);
  if (kind == ItemKind::kSelectBtn && r.before.size() >= 3) {
    int dir = static_cast<int>(r.before[2]);
    if (dir != kDirHoriz && dir != kDirVert) FatalAt(ctx.diag, kMsgSelectBtnParam4);
    item.direction = dir;
  }
  std::string list;
  if (r.texts.size() >= 2) {
    item.text = r.texts[0];
    list = r.texts[1];
  } else if (!r.texts.empty()) {
    list = r.texts[0];
  }
  item.entries = SplitChoices(list);
  if (kind != ItemKind::kSelectBtn) {
    AddItem(d, std::move(item));
    return;
  }
  // One option button per entry, as one group on one page.
  if (item.entries.size() > static_cast<size_t>(kSelectBtnLimit)) item.entries.resize(kSelectBtnLimit);
  int count = static_cast<int>(item.entries.size());
  KeepGroupOnPage(d, count);
  int group = static_cast<int>(d.items.size()) + 1;
  for (int k = 0; k < count; ++k) {
    DialogItem button = item;
    button.text = item.entries[static_cast<size_t>(k)];
    button.option = k + 1;
    button.group = group;
    if (k == 0) button.prompt = item.text;
    if (k > 0) button.x = button.y = -1;
    AddItem(d, std::move(button));
  }
}

void CheckBox(BuiltinContext& ctx, BuiltinArgs& args) {
  DialogDef& d = Open(ctx);
  DialogItem item;
  item.kind = ItemKind::kCheckBox;
  Bind(item, args.BoundVariable(1, 4, BuiltinArgs::Bind::kNumeric), d);
  item.text = args.Text(2, 4);
  if (args.More()) {
    item.x = static_cast<int>(args.Number(3, 4));
    item.y = static_cast<int>(args.Number(4, 4));
  }
  AddItem(d, std::move(item));
}

void Button(BuiltinContext& ctx, BuiltinArgs& args, bool sys) {
  DialogDef& d = Open(ctx);
  DialogItem item;
  item.kind = sys ? ItemKind::kButtonSys : ItemKind::kButton;
  item.function_label = args.VoidFunction(1, 4);
  item.text = args.Text(2, 4);
  double third = args.Number(3, 4);
  item.y = static_cast<int>(args.Number(4, 4));
  if (sys) {
    int side = static_cast<int>(third);
    if (side != kAlignLeft && side != kAlignRight) FatalAt(ctx.diag, kMsgButtonSysSide);
    item.option = side;
  } else {
    item.x = static_cast<int>(third);
  }
  AddItem(d, std::move(item));
}

void Show(BuiltinContext& ctx, BuiltinArgs& args, bool text) {
  DialogDef& d = Open(ctx);
  DialogItem item;
  item.kind = text ? ItemKind::kShowStr : ItemKind::kShowVal;
  BoundVar v = args.BoundVariable(1, 3, text ? BuiltinArgs::Bind::kString : BuiltinArgs::Bind::kNumeric);
  item.var = {v.type, v.index};
  if (args.More()) {
    item.x = static_cast<int>(args.Number(2, 3));
    item.y = static_cast<int>(args.Number(3, 3));
  }
  AddItem(d, std::move(item));
}

void DialogText(BuiltinContext& ctx, BuiltinArgs& args) {
  DialogDef& d = Open(ctx);
  DialogItem item;
  item.kind = ItemKind::kText;
  item.text = args.Text(1, 3);
  if (args.More()) {
    item.x = static_cast<int>(args.Number(2, 3));
    item.y = static_cast<int>(args.Number(3, 3));
  }
  AddItem(d, std::move(item));
}

void DialogSpace(BuiltinContext& ctx, BuiltinArgs& args) {
  DialogDef& d = Open(ctx);
  DialogItem item;
  item.kind = ItemKind::kSpace;
  item.count = args.HasArgument() ? static_cast<int>(args.Number(1, 1)) : 1;
  if (item.count < 1) item.count = 1;
  AddItem(d, std::move(item));
}

void DialogField(BuiltinContext& ctx, BuiltinArgs& args) {
  DialogDef& d = Open(ctx);
  double start = args.Number(1, 4);
  double width = args.Number(2, 4);
  if (!ValidLayout(start, width)) FatalAt(ctx.diag, kMsgInvalidDialogField);
  ColumnLayout layout;
  layout.start = static_cast<int>(start);
  layout.width = static_cast<int>(width);
  if (args.More()) {
    int align = static_cast<int>(args.Number(3, 4));
    if (align != kAlignLeft && align != kAlignRight && align != kAlignTable)
      FatalAt(ctx.diag, kMsgDialogFieldParam3);
    layout.align = align;
    if (align == kAlignTable) layout.table = true;
    if (args.More()) {
      if (static_cast<int>(args.Number(4, 4)) != kAlignTable) FatalAt(ctx.diag, kMsgDialogFieldParam4);
      layout.table = true;
    }
  }
  d.layout = layout;
}

// ---- Showing a dialog ---------------------------------------------------

DialogScreen& Screen(BuiltinContext& ctx) {
  if (!ctx.dialogs.screen) {
    bool interactive = platform::StdinIsTerminal();
    auto console = std::make_unique<ConsoleScreen>(stdin, stderr, interactive);
    if (platform::FormWindows::Available())
      ctx.dialogs.screen = std::make_unique<WindowScreen>(std::move(console));
    else
      ctx.dialogs.screen = std::move(console);
  }
  return *ctx.dialogs.screen;
}

std::vector<DialogVariable> ShownVariables(const DialogDef& d) {
  std::vector<DialogVariable> shown;
  for (const DialogItem& item : d.items) {
    if (item.var.slot >= 0) shown.push_back({item.var.type, item.var.slot});
  }
  return shown;
}

void ResetShown(BuiltinContext& ctx, bool all, const DialogDef* d) {
  std::vector<DialogVariable> shown;
  if (d) shown = ShownVariables(*d);
  ResetVariables(ctx.dialogs.memory, ctx.dialog_variables, ctx.values, all ? nullptr : &shown);
}

void DialogEnd(BuiltinContext& ctx) {
  Open(ctx);
  DialogSession& s = ctx.dialogs;
  s.on_screen += 1;
  DialogHost host{ctx.values, ctx.diag.lang,
                  [&ctx](int label) { RunLabel(ctx.cl.calls, label); },
                  [&ctx](bool all, const DialogDef& d) { ResetShown(ctx, all, &d); }};
  // The definition stays in place while it is shown: a button's function
  // may define a child after it.
  size_t index = s.defs.size() - 1;
  DialogResult result = RunDialog(s.defs[index], Screen(ctx), host);
  s.defs.resize(index);
  s.on_screen -= 1;
  if (result.save) WriteSettingsFile(ctx);
  ctx.values.ints[kSiDlgBack] = result.back ? 1 : 0;
  if (result.cancelled && s.on_screen == 0) {
    ctx.diag.cancelled = 1;  // as the Cancel button of the progress window
    throw RunEnded{1};
  }
  if (MemoryOn(ctx)) WriteSection(ctx, ctx.cl.files.post_name, false);
}

// ---- System dialogs ---------------------------------------------------

platform::Icon IconOf(BuiltinContext& ctx, const std::string& code, const char* message) {
  std::string c = code;
  for (char& ch : c) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  if (c == "!") return platform::Icon::kExclamation;
  if (c == "x") return platform::Icon::kStop;
  if (c == "?") return platform::Icon::kQuestion;
  if (c == "i" || c.empty()) return platform::Icon::kInformation;
  FatalAt(ctx.diag, message);
}

std::string Lines(std::string text) {
  for (char& c : text)
    if (c == ';') c = '\n';
  return text;
}

void MessageBox(BuiltinContext& ctx, BuiltinArgs& args) {
  const std::string caption = ctx.cl.files.post_name;
  if (!args.NextIsNumericVariable()) {
    std::string text = args.Text(1, 2);
    platform::Icon icon = IconOf(ctx, args.Text(2, 2), kMsgMessageBoxIcon2);
    Screen(ctx).Notice(caption, Lines(text), icon);
    return;
  }
  BuiltinArgs::NumericVar v = args.NumericVariable(1, 5);
  std::string text = args.Text(2, 5);
  platform::Icon icon = IconOf(ctx, args.Text(3, 5), kMsgMessageBoxIcon3);
  std::string set = args.Text(4, 5);
  for (char& ch : set) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  platform::Buttons buttons;
  if (set.empty() || set == "OK") buttons = platform::Buttons::kOk;
  else if (set == "OKCANCEL") buttons = platform::Buttons::kOkCancel;
  else if (set == "RETRYCANCEL") buttons = platform::Buttons::kRetryCancel;
  else if (set == "YESNO") buttons = platform::Buttons::kYesNo;
  else if (set == "YESNOCANCEL") buttons = platform::Buttons::kYesNoCancel;
  else FatalAt(ctx.diag, kMsgMessageBoxButtons);
  bool three = buttons == platform::Buttons::kYesNoCancel;
  double def = args.Number(5, 5);
  int default_button;
  if (def == 1) default_button = 0;
  else if (def == 0) default_button = 1;
  else if (def == -1 && three) default_button = 2;
  else FatalAt(ctx.diag, FormatMessage(kMsgMessageBoxDefault, {three ? " or -1" : ""}));
  if (buttons == platform::Buttons::kOk) default_button = 0;
  int pressed = Screen(ctx).Question(caption, Lines(text), icon, buttons, default_button);
  double answer = pressed == 0 ? 1 : pressed == 1 ? 0 : -1;
  if (buttons == platform::Buttons::kOk) answer = 1;
  if (v.integer) ctx.values.ints[static_cast<size_t>(v.index)] = static_cast<int32_t>(answer);
  else ctx.values.reals[static_cast<size_t>(v.index)] = answer;
}

// A file chooser (open or save) or, with two parameters at most, the
// folder chooser.  Without a window or a terminal (or on Cancel) the
// variable keeps its value.
void FileChooser(BuiltinContext& ctx, BuiltinArgs& args, const char* name, int max_args,
                 bool save) {
  int v = args.StringVariable(1, max_args);
  std::vector<std::string> rest;
  for (int k = 2; args.More(); ++k) rest.push_back(args.Text(k, max_args));
  PathRequest request;
  request.folder = max_args == 2;
  request.caption = request.folder && !rest.empty() ? rest[0] : std::string(name);
  if (!request.folder) {
    request.file.save = save;
    if (!rest.empty()) {
      switch (ParseFileFilter(rest[0], request.file.filters)) {
        case FilterFault::kNoLeftParenthesis:
          FatalAt(ctx.diag, FormatMessage(kMsgFilterLeftParen, {name}));
        case FilterFault::kNoRightParenthesis:
          FatalAt(ctx.diag, FormatMessage(kMsgFilterRightParen, {name}));
        case FilterFault::kNone:
          break;
      }
    }
    if (rest.size() > 1) request.file.folder = rest[1];
    if (rest.size() > 2) request.file.name = rest[2];
    if (rest.size() > 3) request.file.extension = rest[3];
  }
  std::optional<std::string> path = Screen(ctx).Path(request);
  if (path) ctx.values.strings[static_cast<size_t>(v)] = platform::AbsolutePath(*path);
}

}  // namespace

void CallDialogProcedure(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args) {
  DialogSession& s = ctx.dialogs;
  switch (e.id) {
    case kFnDialog: {
      if (s.Defining()) FatalAt(ctx.diag, kMsgDialogStartedTwice);
      DialogDef d;
      // Without a title: the post file's base name.
      d.title = args.HasArgument() ? args.Text(1, 1)
                                   : platform::SplitPath(ctx.cl.files.post_file).name;
      s.defs.push_back(std::move(d));
      return;
    }
    case kFnDialogEnd:
      args.NoArguments();
      DialogEnd(ctx);
      return;
    case kFnDialogNext:
      args.NoArguments();
      EndPage(Open(ctx));
      return;
    case kFnDialogField: DialogField(ctx, args); return;
    case kFnDialogSpace: DialogSpace(ctx, args); return;
    case kFnDialogText: DialogText(ctx, args); return;
    case kFnInputInt: Input(ctx, args, ItemKind::kInputInt); return;
    case kFnInputReal: Input(ctx, args, ItemKind::kInputReal); return;
    case kFnInputStr: Input(ctx, args, ItemKind::kInputStr); return;
    case kFnSelectVal: Select(ctx, args, ItemKind::kSelectVal); return;
    case kFnSelectStr: Select(ctx, args, ItemKind::kSelectStr); return;
    case kFnSelectInd: Select(ctx, args, ItemKind::kSelectInd); return;
    case kFnSelectBtn: Select(ctx, args, ItemKind::kSelectBtn); return;
    case kFnCheckBox: CheckBox(ctx, args); return;
    case kFnButton: Button(ctx, args, false); return;
    case kFnButtonSys: Button(ctx, args, true); return;
    case kFnShowVal: Show(ctx, args, false); return;
    case kFnShowStr: Show(ctx, args, true); return;
    case kFnResetBtn:
      args.NoArguments();
      Open(ctx).flags.reset = true;
      return;
    case kFnResetAllBtn:
      args.NoArguments();
      Open(ctx).flags.reset_all = true;
      return;
    case kFnButtonNext:
      args.NoArguments();
      Open(ctx).flags.next = true;
      return;
    case kFnButtonBack:
      args.NoArguments();
      Open(ctx).flags.back = true;
      return;
    case kFnDialogReset:
      args.NoArguments();
      if (s.on_screen > 0) ResetShown(ctx, false, &s.defs[static_cast<size_t>(s.on_screen - 1)]);
      return;
    case kFnResetDialogs:
      args.NoArguments();
      ResetShown(ctx, true, nullptr);
      return;
    case kFnStoreVal:
      args.BoundVariable(1, 1, BuiltinArgs::Bind::kAny);  // listed by the scan; nothing to do now
      return;
    case kFnMessageBox: MessageBox(ctx, args); return;
    case kFnDlgFileOpen: FileChooser(ctx, args, "DlgFileOpen", 5, false); return;
    case kFnDlgFileSave: FileChooser(ctx, args, "DlgFileSave", 5, true); return;
    case kFnDlgFolder: FileChooser(ctx, args, "DlgFolder", 2, false); return;
    default:
      FatalAt(ctx.diag, kMsgInvalidFunction);
  }
}

void CloseFirstPassInMemory(BuiltinContext& ctx, const std::string& post_name) {
  if (!MemoryOn(ctx)) return;
  const std::string& path = ctx.cl.files.values_file;
  std::optional<std::string> file = ReadWholeFile(path);
  std::optional<std::vector<std::string>> section;
  if (file) section = FindSection(*file, SectionHeader(post_name, true));
  if (!RecordDefaults(ctx.dialogs.memory, ctx.dialog_variables, ctx.values, section)) {
    platform::RemoveFile(path);  // made for another layout of the post
  }
  WriteSection(ctx, post_name, true);
}

void ApplyMemoryBeforeSecondPass(BuiltinContext& ctx, const std::string& post_name) {
  std::vector<int32_t>& ints = ctx.values.ints;
  ints[kSiDefSettings] = 0;
  ints[kSiPrevSettings] = 0;
  if (!MemoryOn(ctx)) return;
  const std::string& settings = ctx.cl.files.settings_file;
  if (std::optional<std::string> text = ReadWholeFile(settings)) {
    if (ApplySettings(ctx.dialogs.memory, ctx.dialog_variables, ctx.values, BodyLines(*text)))
      ints[kSiDefSettings] = 1;
    else
      platform::RemoveFile(settings);
  }
  const std::string& path = ctx.cl.files.values_file;
  std::optional<std::string> file = ReadWholeFile(path);
  std::optional<std::vector<std::string>> section;
  if (file) section = FindSection(*file, SectionHeader(post_name, false));
  static const std::vector<int> kZeroRestored = {kSrProgNo, kSrWCoord, kSrMaxRPM};
  if (!section) {
    ApplyStoredValues(ctx.dialogs.memory, ctx.dialog_variables, ctx.values, {}, kZeroRestored);
    return;
  }
  ints[kSiPrevSettings] = 1;
  if (!ApplyStoredValues(ctx.dialogs.memory, ctx.dialog_variables, ctx.values, *section,
                         kZeroRestored))
    platform::RemoveFile(path);
}

}  // namespace tornel
