#include "tornel/driver/build_date.h"

#include <cstdio>

namespace tornel {

std::string IsoBuildDate(std::string_view date) {
  static constexpr std::string_view kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // Month name, day (padded with a blank), year.
  std::string_view month = date.substr(0, 3);
  std::string day(date.size() >= 6 ? date.substr(4, 2) : std::string_view("00"));
  for (char& c : day)
    if (c == ' ') c = '0';
  std::string_view year = date.size() > 7 ? date.substr(7) : std::string_view();
  int number = 0;
  for (int m = 0; m < 12; ++m)
    if (kMonths[m] == month) number = m + 1;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*s-%02d-%s", static_cast<int>(year.size()), year.data(),
                number, day.c_str());
  return buf;
}

std::string IsoBuildDate() { return IsoBuildDate(__DATE__); }

}  // namespace tornel
