#include <gtest/gtest.h>

#include <string>

#include "platform/progress.h"

namespace platform {
namespace {

ProgressWindow Window(const std::string& post, const std::string& file, int value) {
  ProgressWindow w;
  w.post_name = post;
  w.file_name = file;
  w.value = value;
  return w;
}

TEST(ProgressLine, FullWhenThereIsRoom) {
  EXPECT_EQ(ProgressLine(Window("iso_mill", "part.nc", 50), 80),
            "iso_mill part.nc  [###############...............]  50%");
}

// Never as wide as the terminal, at any width and with any names, so "\r"
// always redraws the one line.
TEST(ProgressLine, FitsEveryWidth) {
  const std::string long_post = "examples/posts/customer/machines/hermle/c42/five_axis_mill";
  const std::string long_file = "a_very_long_program_name_for_the_second_setup.nc";
  for (const auto& [post, file] : {std::pair{std::string("mill"), std::string("p.nc")},
                                   std::pair{long_post, std::string("part.nc")},
                                   std::pair{long_post, long_file}}) {
    for (int columns = 1; columns <= 200; ++columns) {
      for (int value : {0, 7, 100}) {
        std::string line = ProgressLine(Window(post, file, value), columns);
        SCOPED_TRACE(post + " " + file + " at " + std::to_string(columns));
        char percent[8];
        std::snprintf(percent, sizeof percent, "%3d%%", value);
        EXPECT_TRUE(line.ends_with(percent)) << line;
        if (columns > 5) {
          EXPECT_LE(line.size(), static_cast<size_t>(columns - 1)) << line;
        }
      }
    }
  }
}

TEST(ProgressLine, ALongPostPathLosesItsBeginningFirst) {
  ProgressWindow w = Window("examples/posts/customer/machines/hermle/c42/five_axis_mill",
                            "part.nc", 100);
  std::string line = ProgressLine(w, 60);
  EXPECT_EQ(line.size(), 59u);
  EXPECT_TRUE(line.starts_with("...")) << line;
  EXPECT_NE(line.find("five_axis_mill part.nc  [##########] 100%"), std::string::npos) << line;

  // The bar narrows before any name is cut.
  EXPECT_EQ(ProgressLine(Window("mill", "part.nc", 100), 40),
            "mill part.nc  [##################] 100%");
  // The post name gives way before the NC file's name.
  EXPECT_EQ(ProgressLine(Window("mill", "part.nc", 100), 30), "part.nc  [##########] 100%");
  // Narrower still, the names go; at the end only the percentage stays.
  EXPECT_EQ(ProgressLine(w, 20), "[##########] 100%");
  EXPECT_EQ(ProgressLine(w, 10), "100%");
}

}  // namespace
}  // namespace platform
