// tornel: turns an APT-CL file into an NC program with a post file.
#include <string>
#include <vector>

#include "platform/parent_console.h"
#include "tornel/driver/end_of_run.h"
#include "tornel/driver/run.h"

int main(int argc, char** argv) {
  platform::UseParentConsole();
  std::vector<std::string> args(argv + 1, argv + argc);
  tornel::RunState ctx;
  int status = 0;
  try {
    tornel::RunTornel(ctx, args);
  } catch (const tornel::RunEnded& ended) {
    status = ended.status;
  }
  return tornel::EndOfRun(ctx, status);
}
