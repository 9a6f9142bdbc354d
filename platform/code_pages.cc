#include "platform/code_pages.h"

#include <array>

namespace platform {
namespace {

constexpr std::array<unsigned char, 128> MakeHighHalf() {
  std::array<unsigned char, 128> table{};
#define TORNEL_CP1252_TO_CP850(ansi, oem) table[(ansi) - 0x80] = (oem);
#include "platform/cp1252_to_cp850.def"
#undef TORNEL_CP1252_TO_CP850
  return table;
}

constexpr std::array<unsigned char, 128> kHighHalf = MakeHighHalf();

}  // namespace

std::string Cp1252ToCp850(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) c = static_cast<char>(kHighHalf[byte - 0x80]);
  }
  return out;
}

}  // namespace platform
