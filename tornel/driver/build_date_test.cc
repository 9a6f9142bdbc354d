#include "tornel/driver/build_date.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(BuildDate, YearMonthDay) {
  EXPECT_EQ(IsoBuildDate("Oct  4 2018"), "2018-10-04");
  EXPECT_EQ(IsoBuildDate("Jan 31 2026"), "2026-01-31");
  EXPECT_EQ(IsoBuildDate().size(), 10u);
}

}  // namespace
}  // namespace tornel
