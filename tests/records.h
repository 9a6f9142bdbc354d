// Intermediate records for compiler pass tests: built from readable text,
// and shown with every control or token byte as its decimal value in
// braces, the way 0,12{1}{130}57={130}57+1 reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tests/in_memory.h"
#include "tornel/base/diagnostics.h"

namespace tornel_test {

// One record of file `file`, line `line`.
inline std::string Record(int file, int line, std::string_view statement) {
  return std::to_string(file) + "," + std::to_string(line) + '\x01' + std::string(statement);
}

inline std::string ShowBytes(std::string_view text) {
  std::string out;
  for (char c : text) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 32 || b > 126)
      out += "{" + std::to_string(b) + "}";
    else
      out += c;
  }
  return out;
}

inline std::vector<std::string> ShowBytes(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& line : lines) out.push_back(ShowBytes(line));
  return out;
}

// A report as "<message> @<file>,<line>": the message without the file
// header and line quote, and the location it was made at.
inline std::string MessageAt(const tornel::Diagnostics& diag) {
  std::string text = diag.last_error;
  if (size_t p = text.find("\n\n"); p != std::string::npos) text.erase(0, p + 2);
  // PassTest's source files are empty: no line is quoted.
  constexpr std::string_view kUnknown = " unknown line";
  if (text.size() >= kUnknown.size() && text.compare(text.size() - kUnknown.size(), kUnknown.size(), kUnknown) == 0)
    text.erase(text.size() - kUnknown.size());
  return text + " @" + std::to_string(diag.loc.file) + "," + std::to_string(diag.loc.line);
}

// A pass test: reports name the empty post file "p.tr" (file 0) or the
// empty include file "i.inc" (file 1), so no line is quoted.
class PassTest : public InMemory {
 protected:
  void SetUp() override {
    WriteFile("p.tr", "");
    WriteFile("i.inc", "");
    Quote(diag);
    diag.post_file = "p.tr";
    diag.include_list = "\ti.inc\n";
  }

  tornel::Diagnostics diag;
};

}  // namespace tornel_test
