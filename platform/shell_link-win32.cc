#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shlobj.h>

#include <vector>

#include "platform/shell_link.h"

namespace platform {

struct ShellLinkObject::Com {
  bool started = false;
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
};

namespace {

// Texts of a shortcut can be longer than a path; read them whole.
constexpr int kTextBuffer = 32768;

std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

}  // namespace

ShellLinkObject::ShellLinkObject() : com_(std::make_unique<Com>()) {}

ShellLinkObject::~ShellLinkObject() {
  if (com_->file) com_->file->Release();
  if (com_->link) com_->link->Release();
  if (com_->started) CoUninitialize();
}

bool ShellLinkObject::Available() { return true; }

long ShellLinkObject::StartCom() {
  HRESULT hr = CoInitialize(nullptr);
  if (FAILED(hr)) return hr;
  com_->started = true;
  return S_OK;
}

long ShellLinkObject::Create() {
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&com_->link));
  if (FAILED(hr)) return hr;
  hr = com_->link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&com_->file));
  return FAILED(hr) ? hr : S_OK;
}

long ShellLinkObject::Load(const std::string& path) {
  if (!com_->file) return E_POINTER;
  HRESULT hr = com_->file->Load(Wide(path).c_str(), STGM_READ);
  return FAILED(hr) ? hr : S_OK;
}

long ShellLinkObject::ReadTarget(std::string* target) {
  if (!com_->link) return E_POINTER;
  std::vector<char> buf(kTextBuffer, '\0');
  HRESULT hr = com_->link->GetPath(buf.data(), kTextBuffer, nullptr, 0);
  if (FAILED(hr)) return hr;
  *target = buf.data();  // S_FALSE: the link has no path
  return S_OK;
}

long ShellLinkObject::Read(ShellLinkFields* f) {
  if (!com_->link) return E_POINTER;
  IShellLinkA* link = com_->link;
  std::vector<char> buf(kTextBuffer, '\0');
  HRESULT hr = ReadTarget(&f->target);
  if (FAILED(hr)) return hr;
  struct {
    HRESULT (STDMETHODCALLTYPE IShellLinkA::*get)(LPSTR, int);
    std::string* field;
  } texts[] = {{&IShellLinkA::GetArguments, &f->arguments},
               {&IShellLinkA::GetDescription, &f->description},
               {&IShellLinkA::GetWorkingDirectory, &f->working_dir}};
  for (const auto& t : texts) {
    buf[0] = '\0';
    if (FAILED(hr = (link->*t.get)(buf.data(), kTextBuffer))) return hr;
    *t.field = buf.data();
  }
  WORD hotkey = 0;
  if (FAILED(hr = link->GetHotkey(&hotkey))) return hr;
  f->hotkey = hotkey;
  buf[0] = '\0';
  int index = 0;
  if (FAILED(hr = link->GetIconLocation(buf.data(), kTextBuffer, &index))) return hr;
  f->icon_file = buf.data();
  f->icon_index = index;
  int show = SW_SHOWNORMAL;
  if (FAILED(hr = link->GetShowCmd(&show))) return hr;
  f->show_command = show;
  return S_OK;
}

long ShellLinkObject::Resolve() {
  if (!com_->link) return E_POINTER;
  return com_->link->Resolve(nullptr, SLR_NO_UI);
}

long ShellLinkObject::Write(const ShellLinkFields& f, const ShellLinkFields* loaded) {
  if (!com_->link) return E_POINTER;
  IShellLinkA* link = com_->link;
  HRESULT hr;
  const bool l = loaded != nullptr;
  if (!(l && f.description == loaded->description) &&
      FAILED(hr = link->SetDescription(f.description.c_str())))
    return hr;
  if (!(l && f.hotkey == loaded->hotkey) && FAILED(hr = link->SetHotkey(static_cast<WORD>(f.hotkey))))
    return hr;
  if (!(l && f.icon_file == loaded->icon_file && f.icon_index == loaded->icon_index) &&
      FAILED(hr = link->SetIconLocation(f.icon_file.c_str(), f.icon_index)))
    return hr;
  if (!(l && f.working_dir == loaded->working_dir) &&
      FAILED(hr = link->SetWorkingDirectory(f.working_dir.c_str())))
    return hr;
  if (!(l && f.arguments == loaded->arguments) &&
      FAILED(hr = link->SetArguments(f.arguments.c_str())))
    return hr;
  if (!(l && f.target == loaded->target) && FAILED(hr = link->SetPath(f.target.c_str())))
    return hr;
  if (!(l && f.show_command == loaded->show_command) && FAILED(hr = link->SetShowCmd(f.show_command)))
    return hr;
  return S_OK;
}

long ShellLinkObject::Save(const std::string& path) {
  if (!com_->file) return E_POINTER;
  HRESULT hr = com_->file->Save(Wide(path).c_str(), TRUE);
  return FAILED(hr) ? hr : S_OK;
}

}  // namespace platform
