// Compiler tests read the post file and its include files from memory:
// WriteFile keeps a text under a name, and a report quotes from it when
// `diag` reads through `sources` (Quote).
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "tornel/base/diagnostics.h"
#include "tornel/base/source_files.h"

namespace tornel_test {

class InMemory : public ::testing::Test {
 protected:
  void WriteFile(const std::string& name, const std::string& text) { sources.Add(name, text); }
  // Reports made through `diag` quote their lines from these texts.
  void Quote(tornel::Diagnostics& diag) { diag.sources = &sources; }

  tornel::MemorySources sources;
};

}  // namespace tornel_test
