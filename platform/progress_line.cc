#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/progress.h"

namespace platform {

namespace {

constexpr int kBarWidth = 30;
constexpr int kMinBarWidth = 10;
// "  [" before the bar, "] " after it and the percentage "100%".
constexpr int kBarFrame = 3 + 2 + 4;
// Below this a name is not worth showing.
constexpr int kMinNameRoom = 8;

// The end of `s` in at most `n` characters, "..." in front when cut.
std::string KeepEnd(const std::string& s, size_t n) {
  if (s.size() <= n) return s;
  if (n <= 3) return s.substr(s.size() - n);
  return "..." + s.substr(s.size() - (n - 3));
}

std::string Bar(int value, int width) {
  int filled = value * width / 100;
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(width - filled), '.');
  return bar;
}

}  // namespace

std::string ProgressLine(const ProgressWindow& w, int columns) {
  char percent[8];
  std::snprintf(percent, sizeof percent, "%3d%%", w.value);
  const int room = columns - 1;
  if (room < kMinBarWidth + kBarFrame - 2) return percent;

  std::string names = w.post_name + " " + w.file_name;
  int bar = kBarWidth;
  int name_room = room - kBarFrame - bar;
  if (static_cast<int>(names.size()) > name_room) {
    bar = std::max(kMinBarWidth, room - kBarFrame - static_cast<int>(names.size()));
    name_room = room - kBarFrame - bar;
  }
  if (static_cast<int>(names.size()) > name_room) {
    // The NC file's name says most; the post name gives way first.
    int post_room = name_room - 1 - static_cast<int>(w.file_name.size());
    if (post_room >= kMinNameRoom)
      names = KeepEnd(w.post_name, static_cast<size_t>(post_room)) + " " + w.file_name;
    else if (name_room >= kMinNameRoom)
      names = KeepEnd(w.file_name, static_cast<size_t>(name_room));
    else
      names.clear();
  }
  if (names.empty()) return "[" + Bar(w.value, bar) + "] " + percent;
  return names + "  [" + Bar(w.value, bar) + "] " + percent;
}

}  // namespace platform
