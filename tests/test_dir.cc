#include "tests/test_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace tornel_test {

void InTempDir::SetUp() {
  namespace fs = std::filesystem;
  previous_ = fs::current_path();
  std::random_device rd;
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = fs::temp_directory_path() /
         ("tornel-" + std::string(info->name()) + "-" + std::to_string(rd()));
  fs::create_directories(dir_);
  fs::current_path(dir_);
}

void InTempDir::TearDown() {
  namespace fs = std::filesystem;
  fs::current_path(previous_);
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void InTempDir::WriteFile(const std::string& name, const std::string& bytes) {
  std::filesystem::path p(name);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(name, std::ios::binary);
  out << bytes;
}

std::string InTempDir::ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool InTempDir::Exists(const std::string& name) { return std::filesystem::exists(name); }

}  // namespace tornel_test
