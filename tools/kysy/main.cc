// Kysy: one command for a batch file (a question in a dialog, or a small
// file or registry job) whose answer it leaves in "Dlg_Ret.bat".
#include <string>
#include <vector>

#include "tools/kysy/commands.h"
#include "tools/kysy/host.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  kysy::HostEnvironment env;
  kysy::HostFiles files;
  kysy::HostRegistry registry;
  kysy::HostDialogs dialogs;
  kysy::Host host{env, files, registry, dialogs};
  kysy::RunKysy(args, host);
  return 0;
}
