// Fuzz target for shortcut files: any bytes either give a reading fault or
// a record, and a record written again reads back the same, so a change
// that keeps the target loses nothing.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   make -C build-fuzz lnk_reader_fuzz
//   build-fuzz/lnk_reader_fuzz -max_total_time=60 -max_len=4096 tests/tools/lnkedit/data
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/lnkedit/lnk_format.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool SameRecord(const lnkedit::LinkRecord& a, const lnkedit::LinkRecord& b) {
  return a.target == b.target && a.arguments == b.arguments && a.description == b.description &&
         a.working_dir == b.working_dir && a.hotkey == b.hotkey && a.icon_file == b.icon_file &&
         a.icon_index == b.icon_index && a.show_command == b.show_command;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  lnkedit::LnkFile file;
  if (lnkedit::DecodeLnk(bytes, &file) != lnkedit::LnkError::kNone) return 0;
  std::string written;
  Check(lnkedit::EncodeLnk(file, &written));
  lnkedit::LnkFile again;
  Check(lnkedit::DecodeLnk(written, &again) == lnkedit::LnkError::kNone);
  Check(SameRecord(file.record, again.record));
  // A new target makes a new ID list and LinkInfo, which read back too.
  file.record.target = "C:\\fuzz\\" + file.record.description.substr(0, 40);
  Check(lnkedit::EncodeLnk(file, &written));
  Check(lnkedit::DecodeLnk(written, &again) == lnkedit::LnkError::kNone);
  return 0;
}
