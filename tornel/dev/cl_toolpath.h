// Reading an APT-CL file into a toolpath with Tornel's own record
// assembler: FROM, GOTO (RAPID before it makes it rapid, CIRCLE an arc
// counter-clockwise about the circle's axis, a full circle when it ends
// where it starts), GOHOME (back to the FROM point), UNITS, and the drill
// cycles from CYCLE/kind to CYCLE/OFF, each GOTO a hole.  Records that
// move the tool in ways the plot does not draw (NURBS curves, contour
// motions, lathe roughing cycles) stop the reading with a message.
#pragma once

#include <string>
#include <string_view>

#include "tornel/dev/toolpath.h"

namespace tornel::dev {

inline constexpr const char* kMsgClRecord = "line %d: %s";
inline constexpr const char* kMsgClShortRecord = "line %d: %s needs %d numbers";
inline constexpr const char* kMsgClNotPlotted = "line %d: %s records are not plotted";
inline constexpr const char* kMsgClArcUnknownStart =
    "line %d: an arc from a position not yet known";
inline constexpr const char* kMsgClNoHome = "line %d: GOHOME without a FROM point";

// Reads `text`, the whole APT-CL file, into `path`.  Returns "" or the
// first error (the motions before it stay in `path`).
std::string ReadClToolpath(std::string_view text, Toolpath& path);

}  // namespace tornel::dev
