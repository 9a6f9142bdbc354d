// The toolpath as an SVG picture: a title with the counts, a legend, and
// three views side by side (XY, XZ, isometric), each scaled to fit its
// panel, with the directions of the axes and the extents of the path.
// Rapid motions are red and dashed, feed motions blue, drilled holes green
// rings; an arc seen face-on is an SVG arc ("A"), elsewhere a polyline of
// the true arc.
#pragma once

#include <string>

#include "tornel/dev/toolpath.h"

namespace tornel::dev {

inline constexpr const char* kRapidColour = "#d62728";
inline constexpr const char* kFeedColour = "#1f77b4";
inline constexpr const char* kHoleColour = "#2ca02c";

// The counts a plot's title gives.
struct PlotCounts {
  int rapid = 0, feed = 0, arcs = 0, holes = 0;
};
PlotCounts CountMotions(const Toolpath& path);

// The whole SVG document; `name` (the file plotted) goes in its title.
std::string ToolpathSvg(const Toolpath& path, const std::string& name);

}  // namespace tornel::dev
