// The build date shown in the progress window, as year-month-day.
#pragma once

#include <string>
#include <string_view>

namespace tornel {

// "Oct  4 2018" (the compiler's date text) gives "2018-10-04".
std::string IsoBuildDate(std::string_view compiler_date);

// This program's own build date.
std::string IsoBuildDate();

}  // namespace tornel
