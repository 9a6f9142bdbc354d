// sysvar_reference: writes docs/system_variables.md from
// tornel/sysvars/system_variables.def, or checks that it is in step.
//   sysvar_reference <system_variables.def> <out.md>
//   sysvar_reference --check <system_variables.def> <system_variables.md>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tornel/sysvars/sysvar_reference.h"

namespace {

bool ReadAll(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  bool check = argc == 4 && std::string(argv[1]) == "--check";
  if (argc != 3 && !check) {
    std::fprintf(stderr, "usage: sysvar_reference [--check] system_variables.def system_variables.md\n");
    return 2;
  }
  std::string def_path = argv[check ? 2 : 1];
  std::string md_path = argv[check ? 3 : 2];
  std::string def;
  if (!ReadAll(def_path, def)) {
    std::fprintf(stderr, "sysvar_reference: can't read %s\n", def_path.c_str());
    return 1;
  }
  tornel::ReferenceResult ref = tornel::SystemVariableReference(def);
  if (!ref.ok) {
    std::fprintf(stderr, "sysvar_reference: %s\n", ref.error.c_str());
    return 1;
  }
  if (check) {
    std::string committed;
    if (!ReadAll(md_path, committed) || committed != ref.text) {
      std::fprintf(stderr,
                   "sysvar_reference: %s is not what system_variables.def gives; regenerate it "
                   "with: cmake --build <build> --target system_variables_doc\n",
                   md_path.c_str());
      return 1;
    }
    return 0;
  }
  // Written beside and renamed over, so a failed run leaves the old file.
  std::string temp = md_path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << ref.text;
    out.close();
    if (!out) {
      std::fprintf(stderr, "sysvar_reference: can't write %s\n", temp.c_str());
      std::remove(temp.c_str());
      return 1;
    }
  }
  if (std::rename(temp.c_str(), md_path.c_str()) != 0) {
    std::fprintf(stderr, "sysvar_reference: can't replace %s\n", md_path.c_str());
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}
