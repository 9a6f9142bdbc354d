// Fuzz target for tornel-dev plot: any bytes read as an NC program and as
// an APT-CL file must give a toolpath of finite points (or a message), and
// the SVG of it must be written without reading outside anything.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   make -C build-fuzz plot_reader_fuzz
//   build-fuzz/plot_reader_fuzz -max_total_time=60 -max_len=8192 examples/cl
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tornel/dev/cl_toolpath.h"
#include "tornel/dev/nc_toolpath.h"
#include "tornel/dev/svg_plot.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckPath(const tornel::dev::Toolpath& path) {
  for (const tornel::dev::ToolMove& m : path.moves) {
    for (int a = 0; a < 3; ++a) Check(!std::isnan(m.from[a]) && !std::isnan(m.to[a]));
    if (m.arc) Check(std::fabs(m.path.angle) <= 360);
  }
  std::string svg = tornel::dev::ToolpathSvg(path, "fuzz");
  Check(svg.find("</svg>") != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  tornel::dev::Toolpath nc;
  tornel::dev::ReadNcToolpath(text, nc);
  CheckPath(nc);
  tornel::dev::Toolpath cl;
  tornel::dev::ReadClToolpath(text, cl);
  CheckPath(cl);
  return 0;
}
