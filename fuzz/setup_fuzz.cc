// setup's version list ("Surfvers.lst"): any bytes parse, every entry has
// its value names, and the dividing entries lie within or just past the list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/setup/version_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setup::VersionList l =
      setup::ParseVersionList(std::string_view(reinterpret_cast<const char*>(data), size));
  if (l.entries.size() > setup::kMaxVersionLines) std::abort();
  if (l.modern > l.entries.size() || l.sql > l.entries.size()) std::abort();
  for (const setup::VersionEntry& e : l.entries)
    if (e.program_value.empty() || e.data_value.empty()) std::abort();
  return 0;
}
