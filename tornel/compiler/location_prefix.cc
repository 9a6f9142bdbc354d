#include "tornel/compiler/location_prefix.h"

#include <charconv>

#include "tornel/compiler/tokens.h"

namespace tornel {

namespace {

// Reads an unsigned decimal number at `pos` that `end_char` follows, and
// moves `pos` past that character.  A label line fails at its first byte.
bool ReadNumber(std::string_view s, size_t& pos, char end_char, int& value) {
  const char* first = s.data() + pos;
  const char* last = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr == first || ptr == last || *ptr != end_char || value < 0)
    return false;
  pos = static_cast<size_t>(ptr - s.data()) + 1;
  return true;
}

}  // namespace

std::string LocationPrefix(Location loc) {
  std::string s = std::to_string(loc.file);
  s += ',';
  s += std::to_string(loc.line);
  s += kTokLocation;
  return s;
}

std::string WithLocation(Location loc, std::string_view statement) {
  std::string s = LocationPrefix(loc);
  s += statement;
  return s;
}

bool SplitLocation(std::string_view line, Location& loc, std::string_view& statement) {
  size_t pos = 0;
  Location found;
  if (!ReadNumber(line, pos, ',', found.file)) return false;
  if (!ReadNumber(line, pos, kTokLocation, found.line)) return false;
  loc = found;
  statement = line.substr(pos);
  return true;
}

}  // namespace tornel
