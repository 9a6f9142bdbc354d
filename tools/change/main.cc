// change: replaces one text with another in every line of a text file, in
// place, for batch files.  It always ends normally (exit status 0); with
// /W failures show a box.
#include <string>
#include <vector>

#include "platform/native_line_ends.h"
#include "tools/change/change_run.h"
#include "tools/change/platform_files.h"

int main(int argc, char** argv) {
  change::CommandLine line{std::vector<std::string>(argv + 1, argv + argc)};
  change::PlatformFileSystem files;
  change::PlatformMessageBoxes boxes;
  change::RunChange(line, files, boxes,
                    platform::kNativeCrLf ? change::LineEnds::kCrLf : change::LineEnds::kAsRead);
  return 0;
}
