#include "tornel/sysvars/start_values.h"

#include <cassert>

#include "platform/files.h"
#include "platform/paths.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

std::string FormatTime(const char* format, const std::tm& tm) {
  char buffer[256];
  size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
  return std::string(buffer, n);
}

// A path and its parts: drive and directory, base name, extension.
void SetPathParts(ValueTables& v, StringSlot file, StringSlot dir, StringSlot name, StringSlot ext,
                  const std::string& path) {
  platform::PathParts parts = platform::SplitPath(path);
  v.strings[file] = path;
  v.strings[dir] = parts.drive + parts.dir;
  v.strings[name] = parts.name;
  v.strings[ext] = parts.ext;
}

}  // namespace

LocalTime LocalTimeFrom(const std::tm& tm) {
  LocalTime t;
  t.second = tm.tm_sec;
  t.minute = tm.tm_min;
  t.hour = tm.tm_hour;
  t.day = tm.tm_mday;
  t.month = tm.tm_mon + 1;
  t.year = tm.tm_year + 1900;
  t.week_day = tm.tm_wday + 1;
  t.month_name = FormatTime("%B", tm);
  t.week_day_name = FormatTime("%A", tm);
  return t;
}

LocalTime CurrentLocalTime() {
  std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  std::tm tm{};
  if (local) tm = *local;  // copied at once: the result is shared storage
  else tm.tm_mday = 1;     // no clock reading: zeros, day 1
  return LocalTimeFrom(tm);
}

void SetStartValues(ValueTables& values, const std::string& apt_path, const std::string& nc_file,
                    const std::string& post_name, const LocalTime& time) {
  assert(values.ints.size() >= kIntegerSystemSlots && values.strings.size() >= kStringSystemSlots);
  SetPathParts(values, kSsAptFile, kSsAptDir, kSsAptName, kSsAptExt,
               platform::AbsolutePath(apt_path));
  SetPathParts(values, kSsNcFile, kSsNcDir, kSsNcName, kSsNcExt, nc_file);
  values.strings[kSsPostName] = post_name;
  values.strings[kSsMonth] = time.month_name;
  values.strings[kSsWeekDay] = time.week_day_name;

  values.ints[kSiSecond] = time.second;
  values.ints[kSiMinute] = time.minute;
  values.ints[kSiHour] = time.hour;
  values.ints[kSiDay] = time.day;
  values.ints[kSiMonth] = time.month;
  values.ints[kSiYear] = time.year;
  values.ints[kSiWeekDay] = time.week_day;
}

NcFileName NcFileFromValues(const ValueTables& values) {
  return {values.strings[kSsNcDir], values.strings[kSsNcName], values.strings[kSsNcExt]};
}

}  // namespace tornel
