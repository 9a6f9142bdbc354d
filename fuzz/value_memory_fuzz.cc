// Fuzz target for the values and settings files of post dialogs: any text
// read as a file of sections and as section bodies must give values only
// for the listed variables and slots inside the tables, and rewriting a
// section must keep every other section's lines.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   make -C build-fuzz value_memory_fuzz
//   build-fuzz/value_memory_fuzz -max_total_time=60 -max_len=4096
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/compiler/tokens.h"
#include "tornel/dialogs/dialog_memory.h"
#include "tornel/dialogs/value_memory.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view file(reinterpret_cast<const char*>(data), size);
  tornel::ValueTables v;
  v.ints.assign(4, 0);
  v.reals.assign(3, 0.0);
  v.strings.assign(2, "");
  tornel::DialogVariables vars;
  vars.list_b = {{tornel::kTokIntVar, 1}, {tornel::kTokRealVar, 2}, {tornel::kTokStringRef, 1}};
  vars.list_a = {{tornel::kTokRealVar, 2}};
  tornel::DialogMemory memory;

  for (const char* header : {"#p", "#p_", "#P"}) {
    auto section = tornel::FindSection(file, header);
    if (section) {
      for (const std::string& line : *section) Check(line.empty() || line[0] != '#');
    }
    tornel::RecordDefaults(memory, vars, v, section);
    Check(memory.recorded.size() == vars.list_b.size());
    if (section) {
      tornel::ApplyStoredValues(memory, vars, v, *section, {2});
      tornel::ApplySettings(memory, vars, v, *section);
    }
    Check(v.ints.size() == 4 && v.reals.size() == 3 && v.strings.size() == 2);
    Check(v.ints[0] == 0 && v.ints[2] == 0 && v.ints[3] == 0 && v.reals[0] == 0 && v.strings[0].empty());

    std::string body = tornel::FormatBody(v, vars.list_b);
    std::string out = tornel::ReplaceSection(file, header, body);
    auto back = tornel::FindSection(out, header);
    Check(back.has_value());
    // The body written reads back whole, unless a stored text held a line break.
    if (v.strings[1].find_first_of("\r\n") == std::string::npos) {
      auto values = tornel::ReadBody(*back, tornel::CountsOf(v), vars.list_b);
      Check(values.has_value() && values->size() == vars.list_b.size());
    }
  }
  return 0;
}
