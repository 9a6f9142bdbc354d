// lnkedit: creates, shows and changes shortcut files from the command line.
#include <string>
#include <vector>

#include "platform/program_command_line.h"
#include "platform/shell_link.h"
#include "tools/lnkedit/arguments.h"
#include "tools/lnkedit/disk_host.h"
#include "tools/lnkedit/run.h"
#include "tools/lnkedit/shell_link_host.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  std::string line;
  if (platform::ProgramCommandLine(&line)) {
    args = lnkedit::SplitArguments(line);
  } else {
    args = lnkedit::CleanArguments(std::vector<std::string>(argv, argv + argc));
  }
  if (platform::ShellLinkObject::Available()) {
    lnkedit::ShellLinkHost host;
    return lnkedit::RunLnkedit(args, host);
  }
  lnkedit::DiskHost host;
  return lnkedit::RunLnkedit(args, host);
}
