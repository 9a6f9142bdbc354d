// The text of the fatal report that a call makes, for tests of reported
// errors; records a test failure when the call returns or ends otherwise.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "tornel/base/diagnostics.h"

namespace tornel_test {

template <class F>
std::string ReportOf(tornel::Diagnostics& diag, F call) {
  try {
    call();
  } catch (const tornel::RunEnded& e) {
    EXPECT_EQ(e.status, 1);
    EXPECT_EQ(diag.error_flag, 1);
    return diag.last_error;
  }
  ADD_FAILURE() << "no report";
  return "";
}

}  // namespace tornel_test
