// setup: installs a postprocessor package into Surfcam from the package
// folder (the current directory) and moves its extras both ways.  Without
// windows (not Windows) the command is named on the command line:
//   setup [install [predator] | extras-install WHAT... | extras-save WHAT...]
// WHAT: templates, tools, dnc.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/form_window.h"
#include "tools/setup/detection.h"
#include "tools/setup/host.h"
#include "tools/setup/main_dialog.h"
#include "tools/setup/texts.h"
#include "tools/setup/version_list.h"

namespace {

bool ReadAll(const char* name, std::string* text) {
  std::FILE* f = std::fopen(name, "rb");
  if (!f) return false;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text->append(buffer, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

int RunWindows(const setup::VersionList& list, const setup::Detection& d,
               const std::string& package) {
  platform::FormWindows windows;
  setup::PlatformHost host(&windows);
  platform::Form form = setup::MainForm(list, d, host);
  for (;;) {
    std::optional<platform::FormAnswer> a = windows.Show(0, form);
    if (!a) return 1;
    form.controls = a->controls;
    if (a->pressed == setup::kProgramBrowse || a->pressed == setup::kDataBrowse) {
      int field = a->pressed == setup::kProgramBrowse ? setup::kProgramEdit : setup::kDataEdit;
      std::string title = setup::Text(
          host, a->pressed == setup::kProgramBrowse ? setup::kBrowseProgram : setup::kBrowseData);
      bool shown = false;
      if (auto chosen = windows.ChooseFolder(title, form.controls[field].text, &shown))
        form.controls[field].text = *chosen;
      continue;
    }
    if (!setup::RunMainCommand(a->pressed, list, d, form, package, host)) break;
  }
  windows.Close(0);
  return 0;
}

int RunConsole(const std::vector<std::string>& args, const setup::VersionList& list,
               const setup::Detection& d, const std::string& package) {
  setup::PlatformHost host;
  platform::Form form = setup::MainForm(list, d, host);
  std::string fields = setup::Text(host, setup::kLabelVersion) + " " + d.version + "\n" +
                       setup::Text(host, setup::kLabelProgram) + " " + d.program + "\n" +
                       setup::Text(host, setup::kLabelData) + " " + d.data + "\n";
  std::fputs(setup::ForConsole(fields).c_str(), stdout);
  if (args.empty()) return 0;
  int pressed = -1;
  if (args[0] == "install") pressed = setup::kInstallPostButton;
  if (args[0] == "extras-install") pressed = setup::kInstallButton;
  if (args[0] == "extras-save") pressed = setup::kSaveButton;
  if (pressed < 0) {
    std::fprintf(stderr,
                 "usage: setup [install [predator] | extras-install WHAT... | extras-save WHAT...]"
                 "\n  WHAT: templates tools dnc\n");
    return 2;
  }
  for (size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "predator") form.controls[setup::kPredatorCheck].state = 1;
    if (args[k] == "templates") form.controls[setup::kTemplatesCheck].state = 1;
    if (args[k] == "tools") form.controls[setup::kToolsCheck].state = 1;
    if (args[k] == "dnc") form.controls[setup::kDncCheck].state = 1;
  }
  setup::RunMainCommand(pressed, list, d, form, package, host);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::string package = platform::CurrentDirectory();
  std::string text;
  if (!ReadAll(setup::kVersionFile, &text)) {
    setup::PlatformHost host;
    host.Message(setup::Fill(setup::Text(host, setup::kNoVersionFile), setup::kVersionFile),
                 platform::Icon::kStop);
    return 1;
  }
  setup::VersionList list = setup::ParseVersionList(text);
  setup::PlatformHost host;
  setup::Detection d = setup::DetectVersions(list, host);
  if (platform::FormWindows::Available() && args.empty()) return RunWindows(list, d, package);
  return RunConsole(args, list, d, package);
}
