#include "tools/setup/main_dialog.h"

#include "tools/setup/extras.h"
#include "tools/setup/install_post.h"
#include "tools/setup/texts.h"

namespace setup {

using platform::FormControl;
using platform::FormControlKind;

namespace {

FormControl Control(FormControlKind kind, int x, int y, int w, int h, std::string text) {
  FormControl c;
  c.kind = kind;
  c.x = x;
  c.y = y;
  c.width = w;
  c.height = h;
  c.text = std::move(text);
  return c;
}

}  // namespace

size_t ExtrasVersionCount(const VersionList& list, const Detection& detection) {
  return detection.detected ? *detection.detected + 1 : list.entries.size();
}

platform::Form MainForm(const VersionList& list, const Detection& d, Host& host) {
  using K = FormControlKind;
  platform::Form f;
  f.title = Text(host, kCaption);
  f.width = 310;
  f.height = 164;
  auto& c = f.controls;
  c.push_back(Control(K::kLabel, 7, 9, 88, 8, Text(host, kLabelProgram)));
  c.push_back(Control(K::kEdit, 98, 7, 160, 12, d.program));
  c.push_back(Control(K::kPush, 262, 6, 40, 14, Text(host, kButtonBrowse)));
  c.push_back(Control(K::kLabel, 7, 27, 88, 8, Text(host, kLabelData)));
  c.push_back(Control(K::kEdit, 98, 25, 160, 12, d.data));
  c.push_back(Control(K::kPush, 262, 24, 40, 14, Text(host, kButtonBrowse)));
  c.push_back(Control(K::kLabel, 7, 45, 88, 8, Text(host, kLabelVersion)));
  FormControl combo = Control(K::kCombo, 98, 43, 80, 80, d.version);
  for (size_t k : d.listed) combo.entries.push_back(list.entries[k].name);
  combo.state = -1;
  c.push_back(combo);
  c.push_back(Control(K::kCheck, 98, 61, 200, 10, Text(host, kCheckPredator)));
  FormControl install = Control(K::kPush, 98, 76, 100, 14, Text(host, kButtonInstallPost));
  install.default_button = true;
  c.push_back(install);
  c.push_back(Control(K::kLabel, 7, 104, 88, 8, Text(host, kLabelExtras)));
  FormControl versions = Control(K::kChoice, 98, 102, 80, 80, "");
  size_t n = ExtrasVersionCount(list, d);
  for (size_t k = 0; k < n; ++k) versions.entries.push_back(list.entries[k].name);
  versions.state = static_cast<int>(n) - 1;
  c.push_back(versions);
  c.push_back(Control(K::kCheck, 98, 120, 60, 10, Text(host, kCheckTemplates)));
  c.push_back(Control(K::kCheck, 160, 120, 70, 10, Text(host, kCheckTools)));
  c.push_back(Control(K::kCheck, 232, 120, 70, 10, Text(host, kCheckDnc)));
  c.push_back(Control(K::kPush, 98, 140, 50, 14, Text(host, kButtonInstall)));
  c.push_back(Control(K::kPush, 152, 140, 50, 14, Text(host, kButtonSave)));
  FormControl quit = Control(K::kPush, 252, 140, 50, 14, Text(host, kButtonQuit));
  quit.cancel = true;
  c.push_back(quit);
  f.focus = kInstallPostButton;
  return f;
}

bool RunMainCommand(int pressed, const VersionList& list, const Detection& detection,
                    platform::Form& form, const std::string& package, Host& host) {
  auto& c = form.controls;
  switch (pressed) {
    case kInstallPostButton: {
      InstallRequest r{c[kProgramEdit].text, c[kDataEdit].text, c[kVersionCombo].text,
                       c[kPredatorCheck].state == 1, package};
      InstallPostprocessor(list, detection, r, host);
      return true;
    }
    case kInstallButton:
    case kSaveButton: {
      ExtrasRequest r;
      int v = c[kExtrasVersion].state;
      r.version = v < 0 ? ExtrasVersionCount(list, detection) : static_cast<size_t>(v);
      r.data = c[kDataEdit].text;
      r.package = package;
      r.templates = c[kTemplatesCheck].state == 1;
      r.tools = c[kToolsCheck].state == 1;
      r.dnc = c[kDncCheck].state == 1;
      if (pressed == kInstallButton)
        InstallExtras(list, r, host);
      else
        SaveExtras(list, r, host);
      return true;
    }
    case kProgramBrowse:
    case kDataBrowse:
      return true;  // the caller's folder browser
    default:
      return false;
  }
}

}  // namespace setup
