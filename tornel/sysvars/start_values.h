// The values a run starts with: the names of its files and the date and
// time of the start, for the post file to use; and the NC file name as the
// post file leaves it, for the delivery at the end.
#pragma once

#include <ctime>
#include <string>

#include "tornel/sysvars/value_tables.h"

namespace tornel {

// A local date and time as the system variables hold it.
struct LocalTime {
  int second = 0;
  int minute = 0;
  int hour = 0;      // 0-23
  int day = 1;       // day of month
  int month = 1;     // 1-12
  int year = 1970;   // four digits
  int week_day = 1;  // 1-7, 1 = Sunday
  std::string month_name;     // full name in the current locale ("%B")
  std::string week_day_name;  // full name in the current locale ("%A")
};

LocalTime LocalTimeFrom(const std::tm& tm);
LocalTime CurrentLocalTime();

// Fills the file-name, post-name, date and time variables.  `apt_path` is
// made absolute; `nc_file` is taken as given (the driver passes the full NC
// path).  The tables must be allocated.
void SetStartValues(ValueTables& values, const std::string& apt_path, const std::string& nc_file,
                    const std::string& post_name, const LocalTime& time);

// Directory (drive and folder, with the trailing separator), base name and
// extension (with its dot) of the NC file, as the post file left them in
// ssNcDir, ssNcName and ssNcExt.
struct NcFileName {
  std::string dir;
  std::string name;
  std::string ext;
};

NcFileName NcFileFromValues(const ValueTables& values);

}  // namespace tornel
