// Dialog templates made in memory, for the Windows backends that build
// their windows at run time: positions and sizes in dialog units, so a
// window looks the same at every font size.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace platform {

// The ANSI text (the program's code page) as UTF-16.
inline std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

// The predefined control classes, by atom.
inline constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082,
                      kListClass = 0x0083, kComboClass = 0x0085;

// A DLGTEMPLATE and its DLGITEMTEMPLATEs, each item on a DWORD boundary.
class DialogTemplate {
 public:
  // The dialog itself in the 8-point shell font; `items` controls follow.
  void Begin(DWORD style, size_t items, int width, int height, const std::string& title) {
    Dword(style | DS_SETFONT);
    Dword(0);
    Word(static_cast<WORD>(items));
    Word(0);
    Word(0);
    Word(Dlu(width));
    Word(Dlu(height));
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(title);
    Word(8);
    Text("MS Shell Dlg");
  }
  // A control of a predefined class (an atom above).
  void Item(DWORD style, int x, int y, int width, int height, WORD id, WORD cls,
            const std::string& text) {
    ItemStart(style, x, y, width, height, id);
    Word(0xFFFF);
    Word(cls);
    Text(text);
    Word(0);  // no creation data
  }
  // A control of a registered class given by name.
  void Item(DWORD style, int x, int y, int width, int height, WORD id, const char* cls,
            const std::string& text) {
    ItemStart(style, x, y, width, height, id);
    Text(cls);
    Text(text);
    Word(0);
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  static WORD Dlu(int v) { return static_cast<WORD>(v < 0 ? 0 : v > 30000 ? 30000 : v); }
  void ItemStart(DWORD style, int x, int y, int width, int height, WORD id) {
    if (data_.size() % 2) Word(0);
    Dword(style);
    Dword(0);
    Word(Dlu(x));
    Word(Dlu(y));
    Word(Dlu(width));
    Word(Dlu(height));
    Word(id);
  }
  void Word(WORD w) { data_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::string& s) {
    for (wchar_t c : Wide(s)) Word(static_cast<WORD>(c));
    Word(0);
  }

  std::vector<WORD> data_;
};

}  // namespace platform
