// A fresh, empty working directory for one test, removed afterwards.
// Tornel works in the current directory (temp files, language file), so
// tests that run it change into their own.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace tornel_test {

class InTempDir : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes `bytes` to `name` (binary), creating directories on the way.
  static void WriteFile(const std::string& name, const std::string& bytes);
  // The file's bytes, or "<missing>".
  static std::string ReadFile(const std::string& name);
  static bool Exists(const std::string& name);

  std::filesystem::path dir_;

 private:
  std::filesystem::path previous_;
};

}  // namespace tornel_test
