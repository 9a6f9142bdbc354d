#include "tools/menugen/list_split.h"

#include <unordered_set>

namespace menugen {

namespace {

constexpr std::string_view kReplacedByDash = "\\/:*?\"<>|";
constexpr std::string_view kWhiteSpace = " \t\r\v\f";
constexpr char kDash = '-';

void Trim(std::string& s) {
  size_t end = s.find_last_not_of(kWhiteSpace);
  if (end == std::string::npos) {
    s.clear();
    return;
  }
  s.erase(end + 1);
  s.erase(0, s.find_first_not_of(kWhiteSpace));
}

// Windows opens a device, not a file, for these names whatever extension
// follows them ("CON.m3" is the console).
constexpr std::string_view kDeviceNames[] = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

// A name whose part before its first dot (trailing blanks aside) is a
// device name gets a "-" after that part: "con" becomes "con-".
void AvoidDeviceName(std::string& name) {
  std::string_view head = std::string_view(name).substr(0, name.find('.'));
  size_t end = head.find_last_not_of(kWhiteSpace);
  if (end == std::string_view::npos) return;
  std::string upper = UpperCase(head.substr(0, end + 1));
  for (std::string_view device : kDeviceNames)
    if (upper == device) {
      name.insert(end + 1, 1, kDash);
      return;
    }
}

// The key under which a file name is taken: Windows sees "A.m3" and
// "a.M3" as one file.
std::string FileKey(std::string_view name) { return UpperCase(name); }

}  // namespace

bool IsNameLine(std::string_view line) {
  return UpperCase(line.substr(0, kNameWord.size())) == kNameWord;
}

std::string PostNameOf(std::string_view name_line) {
  std::string name(name_line.substr(std::min(kNameWord.size(), name_line.size())));
  if (!name.empty() && name.back() == '\n') name.pop_back();
  for (char& c : name)
    if (kReplacedByDash.find(c) != std::string_view::npos) c = kDash;
  Trim(name);
  while (!name.empty() && name.back() == '.') {
    name.pop_back();
    Trim(name);
  }
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = kDash;
  AvoidDeviceName(name);
  return name;
}

void SplitList(LineSource& list, std::string_view list_name, std::vector<std::string>& files,
               SplitSink& sink) {
  std::unordered_set<std::string> taken;
  for (const std::string& f : files) taken.insert(FileKey(f));
  bool open = false;
  std::string line;
  while (list.Next(line)) {
    if (IsNameLine(line)) {
      std::string name = PostNameOf(line);
      if (!name.empty()) {
        std::string file = name + "." + std::string(list_name);
        for (int n = 2; taken.count(FileKey(file)); ++n)
          file = name + " (" + std::to_string(n) + ")." + std::string(list_name);
        taken.insert(FileKey(file));
        files.push_back(file);
        if (open) sink.EndPost();
        sink.StartPost(file);
        open = true;
      }
    }
    if (open) sink.Line(line);
  }
  if (open) sink.EndPost();
}

}  // namespace menugen
