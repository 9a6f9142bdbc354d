// menugen: splits Surfcam's post list files into one file per post and
// rebuilds its post menu file from the post list.
//   menugen [base directory [post list file [menu file]]]
#include <string>
#include <vector>

#include "tools/menugen/run.h"

int main(int argc, char** argv) {
  return menugen::RunMenugen(std::vector<std::string>(argv + 1, argv + argc));
}
