// Fuzz target for the APT-CL record assembler and word splitter: any bytes,
// cut into lines, must leave a well-formed slot and never read or write
// outside it.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   make -C build-fuzz cl_record_fuzz
//   build-fuzz/cl_record_fuzz -max_total_time=60 -max_len=8192
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tornel/cl/cl_record.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckSlot(const tornel::RecordSlot& slot) {
  Check(slot.text.size() <= tornel::kRecordTextLimit);
  Check(slot.words >= 0 && slot.words <= tornel::kRecordWordLimit);
  for (int i = 0; i < tornel::kRecordWordLimit; ++i) {
    if (i >= slot.words) {
      Check(slot.type[i] == tornel::kWordNone && slot.word[i].empty());
      continue;
    }
    Check(slot.type[i] == tornel::kWordString || slot.type[i] == tornel::kWordNumber);
    Check(slot.word[i].size() <= slot.text.size());
    Check((slot.type[i] == tornel::kWordNumber) == tornel::IsNumberWord(slot.word[i]));
  }
  if (slot.words > 0) Check(!slot.word[0].empty());
  // The major word a record is dispatched by is that of its first word.
  Check(slot.major == (slot.words > 0 ? tornel::ClassifyMajorWord(slot.word[0])
                                      : tornel::MajorWord::kOther));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // One slot reused for every record, as the ring reuses its slots.
  static tornel::RecordSlot slot;
  tornel::EmptySlot(slot);
  int32_t line_number = 0;
  while (!input.empty()) {
    size_t end = input.find('\n');
    std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    tornel::FeedResult r = tornel::AssembleLine(slot, line, ++line_number);
    CheckSlot(slot);
    if (r == tornel::FeedResult::kRecord) {
      for (int i = 0; i < slot.words; ++i)
        if (slot.type[i] == tornel::kWordNumber) (void)tornel::NumberWordValue(slot.word[i]);
      tornel::EmptySlot(slot);
    } else if (r != tornel::FeedResult::kContinued && r != tornel::FeedResult::kNothing) {
      Check(slot.text.empty() && slot.words == 0);
    }
  }
  return 0;
}
