// Forms as modeless dialog windows made from an in-memory dialog template
// (so that positions are dialog units), each run modally by a message
// loop of its own until one of its push buttons is pressed.  A window
// keeps its place when its page changes: the old window goes and the new
// one is put where it stood.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <cstdint>

#include "platform/dialog_template-win32.h"
#include "platform/form_window.h"
#include "platform/message_box-win32.h"
#include "platform/progress-win32.h"

namespace platform {

namespace {

constexpr WORD kFirstId = 100;  // control k has the id kFirstId + k

DialogTemplate Build(const Form& form) {
  DialogTemplate t;
  t.Begin(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_3DLOOK,
          form.controls.size(), form.width, form.height, form.title);
  for (size_t k = 0; k < form.controls.size(); ++k) {
    const FormControl& c = form.controls[k];
    DWORD style = WS_CHILD | WS_VISIBLE;
    WORD cls = kStaticClass;
    int height = c.height;
    switch (c.kind) {
      case FormControlKind::kLabel:
        style |= (c.right ? SS_RIGHT : SS_LEFT) | SS_NOPREFIX;
        break;
      case FormControlKind::kEdit:
        style |= WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
        cls = kEditClass;
        break;
      case FormControlKind::kShow:
        style |= WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_READONLY;
        cls = kEditClass;
        break;
      case FormControlKind::kChoice:
        style |= WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST;
        cls = kComboClass;
        // The height of a drop-down list is that of its open list.
        height = c.height + 10 * static_cast<int>(c.entries.size() < 12 ? c.entries.size() : 12) + 4;
        break;
      case FormControlKind::kCombo:
        style |= WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        cls = kComboClass;
        height = c.height + 10 * static_cast<int>(c.entries.size() < 12 ? c.entries.size() : 12) + 4;
        break;
      case FormControlKind::kList:
        style |= WS_BORDER | WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        cls = kListClass;
        break;
      case FormControlKind::kOption:
        style |= BS_AUTORADIOBUTTON | (c.group ? WS_GROUP | WS_TABSTOP : 0);
        cls = kButtonClass;
        break;
      case FormControlKind::kCheck:
        style |= BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
        cls = kButtonClass;
        break;
      case FormControlKind::kPush:
        style |= (c.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP | WS_GROUP;
        cls = kButtonClass;
        break;
    }
    bool listed = c.kind == FormControlKind::kChoice || c.kind == FormControlKind::kList ||
                  c.kind == FormControlKind::kCombo;
    std::string caption = listed ? std::string() : c.text;
    if (c.kind == FormControlKind::kLabel) {
      // A static text breaks its lines at "\r\n".
      std::string lines;
      for (char ch : caption) {
        if (ch == '\n' && (lines.empty() || lines.back() != '\r')) lines += '\r';
        lines += ch;
      }
      caption = lines;
    }
    t.Item(style, c.x, c.y, c.width, height, static_cast<WORD>(kFirstId + k), cls, caption);
  }
  return t;
}

// What a window's procedure works on.
struct FormState {
  const Form* form = nullptr;
  bool done = false;
  FormAnswer answer;
};

std::string ControlText(HWND control) {
  int n = GetWindowTextLengthA(control);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(control, s.data(), n + 1);
  s.resize(static_cast<size_t>(n < 0 ? 0 : n));
  return s;
}

void ReadControls(HWND dialog, FormState& s) {
  s.answer.controls = s.form->controls;
  for (size_t k = 0; k < s.answer.controls.size(); ++k) {
    FormControl& c = s.answer.controls[k];
    HWND h = GetDlgItem(dialog, static_cast<int>(kFirstId + k));
    if (!h) continue;
    switch (c.kind) {
      case FormControlKind::kEdit:
        c.text = ControlText(h);
        break;
      case FormControlKind::kChoice:
        c.state = static_cast<int>(SendMessageA(h, CB_GETCURSEL, 0, 0));
        break;
      case FormControlKind::kList:
        c.state = static_cast<int>(SendMessageA(h, LB_GETCURSEL, 0, 0));
        break;
      case FormControlKind::kCombo:
        c.text = ControlText(h);
        c.state = static_cast<int>(SendMessageA(h, CB_GETCURSEL, 0, 0));
        break;
      case FormControlKind::kOption:
      case FormControlKind::kCheck:
        c.state = SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        break;
      default:
        break;
    }
  }
}

void Press(HWND dialog, FormState& s, int k) {
  ReadControls(dialog, s);
  s.answer.pressed = k;
  s.done = true;
}

int CancelControl(const Form& form) {
  for (size_t k = 0; k < form.controls.size(); ++k)
    if (form.controls[k].kind == FormControlKind::kPush && form.controls[k].cancel)
      return static_cast<int>(k);
  return -1;
}

int DefaultControl(const Form& form) {
  for (size_t k = 0; k < form.controls.size(); ++k)
    if (form.controls[k].kind == FormControlKind::kPush && form.controls[k].default_button)
      return static_cast<int>(k);
  return -1;
}

INT_PTR CALLBACK FormProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  FormState* s = reinterpret_cast<FormState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      s = reinterpret_cast<FormState*>(lparam);
      SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(s));
      const Form& form = *s->form;
      for (size_t k = 0; k < form.controls.size(); ++k) {
        const FormControl& c = form.controls[k];
        HWND h = GetDlgItem(dialog, static_cast<int>(kFirstId + k));
        if (c.kind == FormControlKind::kChoice) {
          for (const std::string& e : c.entries)
            SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
          SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(c.state), 0);
        } else if (c.kind == FormControlKind::kCombo) {
          for (const std::string& e : c.entries)
            SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
          if (c.state >= 0)
            SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(c.state), 0);
          else
            SetWindowTextA(h, c.text.c_str());
        } else if (c.kind == FormControlKind::kList) {
          for (const std::string& e : c.entries)
            SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
          SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(c.state), 0);
        } else if (c.kind == FormControlKind::kOption || c.kind == FormControlKind::kCheck) {
          SendMessageA(h, BM_SETCHECK, c.state ? BST_CHECKED : BST_UNCHECKED, 0);
        } else if (c.kind == FormControlKind::kPush && c.default_button) {
          SendMessageA(dialog, DM_SETDEFID, kFirstId + k, 0);
        }
      }
      if (form.focus >= 0 && static_cast<size_t>(form.focus) < form.controls.size()) {
        HWND h = GetDlgItem(dialog, static_cast<int>(kFirstId + form.focus));
        SetFocus(h);
        FormControlKind kind = form.controls[static_cast<size_t>(form.focus)].kind;
        if (kind == FormControlKind::kEdit) SendMessageA(h, EM_SETSEL, 0, -1);
        if (kind == FormControlKind::kCombo) SendMessageA(h, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return FALSE;
      }
      return TRUE;
    }
    case WM_COMMAND: {
      if (!s || s->done) return FALSE;
      int id = LOWORD(wparam);
      if (id == IDCANCEL) {
        int k = CancelControl(*s->form);
        if (k >= 0) Press(dialog, *s, k);
        return TRUE;
      }
      int k = id - kFirstId;
      if (k >= 0 && static_cast<size_t>(k) < s->form->controls.size() &&
          s->form->controls[static_cast<size_t>(k)].kind == FormControlKind::kList &&
          HIWORD(wparam) == LBN_DBLCLK) {
        int d = DefaultControl(*s->form);
        if (d >= 0) Press(dialog, *s, d);
        return TRUE;
      }
      if (k >= 0 && static_cast<size_t>(k) < s->form->controls.size() &&
          s->form->controls[static_cast<size_t>(k)].kind == FormControlKind::kPush &&
          HIWORD(wparam) == BN_CLICKED) {
        Press(dialog, *s, k);
        return TRUE;
      }
      return FALSE;
    }
    case WM_CLOSE:
      if (s && !s->done) {
        int k = CancelControl(*s->form);
        if (k >= 0) Press(dialog, *s, k);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

// Whether a window can be made at all (Wine without a display cannot).
bool CanMakeWindows() {
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (!probe) return false;
  DestroyWindow(probe);
  return true;
}

}  // namespace

struct FormWindows::Windows {
  std::vector<HWND> open;  // the outermost first
  HWND base = nullptr;     // the owner of the outermost: the progress window
  // What a box or chooser is owned by: the innermost form, else the
  // progress window.
  HWND Top() const { return open.empty() ? OpenProgressWindow() : open.back(); }
};

FormWindows::FormWindows() : windows_(std::make_unique<Windows>()) {}

FormWindows::~FormWindows() { Close(0); }

bool FormWindows::Available() { return true; }

std::optional<FormAnswer> FormWindows::Show(int level, const Form& form) {
  std::vector<HWND>& open = windows_->open;
  if (level < 0 || static_cast<size_t>(level) > open.size()) return std::nullopt;
  if (open.empty()) windows_->base = OpenProgressWindow();
  HWND owner = level > 0 ? open[static_cast<size_t>(level) - 1] : windows_->base;
  bool replace = static_cast<size_t>(level) < open.size();
  RECT where{};
  if (replace) {
    GetWindowRect(open[static_cast<size_t>(level)], &where);
    Close(level + 1);
    DestroyWindow(open[static_cast<size_t>(level)]);
    open.resize(static_cast<size_t>(level));
  }
  DialogTemplate t = Build(form);
  FormState state;
  state.form = &form;
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleA(nullptr), t.Get(), owner, FormProc,
                                           reinterpret_cast<LPARAM>(&state));
  if (!dialog) {
    if (owner) EnableWindow(owner, TRUE);
    return std::nullopt;
  }
  open.push_back(dialog);
  if (replace) SetWindowPos(dialog, nullptr, where.left, where.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  while (!state.done) {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The application is asked to quit: as the cancel button.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      ReadControls(dialog, state);
      state.answer.pressed = CancelControl(form);
      break;
    }
    if (!IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  // The procedure must not see the state after this call returns.
  SetWindowLongPtrA(dialog, DWLP_USER, 0);
  return state.answer;
}

void FormWindows::Close(int level) {
  std::vector<HWND>& open = windows_->open;
  while (open.size() > static_cast<size_t>(level < 0 ? 0 : level)) {
    HWND w = open.back();
    open.pop_back();
    // The owner first, so that it becomes the active window again.
    HWND below = open.empty() ? windows_->base : open.back();
    if (below) EnableWindow(below, TRUE);
    DestroyWindow(w);
  }
  if (HWND top = windows_->Top()) SetForegroundWindow(top);
}

void FormWindows::SetBusy(bool busy) {
  std::vector<HWND>& open = windows_->open;
  if (open.empty()) return;
  EnableWindow(open.back(), busy ? FALSE : TRUE);
  SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
  if (!busy) SetForegroundWindow(open.back());
}

void FormWindows::Message(const std::string& caption, const std::string& text, Icon icon) {
  MessageBoxA(windows_->Top(), text.c_str(), caption.c_str(),
              MB_OK | IconFlags(icon) | (windows_->Top() ? 0 : MB_TASKMODAL));
}

int FormWindows::Ask(const std::string& caption, const std::string& text, Icon icon,
                     Buttons buttons, int default_button) {
  return AskOwned(windows_->Top(), caption, text, icon, buttons, default_button);
}

namespace {

// Keeps the current directory as it was, whatever the chooser does.
class SameDirectory {
 public:
  SameDirectory() {
    DWORD n = GetCurrentDirectoryA(0, nullptr);
    dir_.resize(n);
    n = GetCurrentDirectoryA(n, dir_.data());
    dir_.resize(n);
  }
  ~SameDirectory() {
    if (!dir_.empty()) SetCurrentDirectoryA(dir_.c_str());
  }

 private:
  std::string dir_;
};

}  // namespace

std::optional<std::string> FormWindows::ChooseFile(const FileChoice& choice, bool* shown) {
  if (shown) *shown = false;
  if (!CanMakeWindows()) return std::nullopt;
  SameDirectory keep;
  // "text\0patterns\0" per type, and one more "\0" at the end.
  std::string filter;
  for (const FileFilter& f : choice.filters) {
    filter += f.text;
    filter += '\0';
    filter += f.patterns;
    filter += '\0';
  }
  filter += '\0';
  std::string ext = choice.extension;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  std::vector<char> file(32768, '\0');
  choice.name.copy(file.data(), file.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = windows_->Top();
  ofn.lpstrFilter = choice.filters.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = choice.folder.empty() ? nullptr : choice.folder.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
              (choice.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  BOOL ok = choice.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) {
    // 0: the user cancelled; anything else: no chooser could be shown.
    if (shown) *shown = CommDlgExtendedError() == 0;
    return std::nullopt;
  }
  if (shown) *shown = true;
  return std::string(file.data());
}

namespace {

// Selects the start folder once the browser is up.
int CALLBACK SelectStart(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data)
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

}  // namespace

std::optional<std::string> FormWindows::ChooseFolder(const std::string& title, bool* shown) {
  return ChooseFolder(title, std::string(), shown);
}

std::optional<std::string> FormWindows::ChooseFolder(const std::string& title,
                                                     const std::string& start, bool* shown) {
  if (shown) *shown = false;
  if (!CanMakeWindows()) return std::nullopt;
  SameDirectory keep;
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOA bi{};
  bi.hwndOwner = windows_->Top();
  bi.lpszTitle = title.empty() ? nullptr : title.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  if (!start.empty()) {
    bi.lpfn = SelectStart;
    bi.lParam = reinterpret_cast<LPARAM>(start.c_str());
  }
  LPITEMIDLIST chosen = SHBrowseForFolderA(&bi);
  if (shown) *shown = true;
  std::optional<std::string> path;
  if (chosen) {
    char buffer[MAX_PATH] = {};
    if (SHGetPathFromIDListA(chosen, buffer)) path = std::string(buffer);
    CoTaskMemFree(chosen);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return path;
}

}  // namespace platform
