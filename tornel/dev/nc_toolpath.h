// Reading an ISO NC program (as the ISO example post writes it) into a
// toolpath: G0/G1/G2/G3 with X Y Z, I J K or R, the planes G17/G18/G19,
// G90/G91, G20/G21, the drill cycles G73/G74/G76/G81-G89 with G98/G99 until
// G80, N words, "( )" and ";" comments, "%" lines.  G28/G30/G53 leave the
// named axes unknown (they move in machine terms), G92/G52 set them.
#pragma once

#include <string>
#include <string_view>

#include "tornel/dev/toolpath.h"

namespace tornel::dev {

inline constexpr const char* kMsgNcBadCharacter = "line %d: unexpected character '%c'";
inline constexpr const char* kMsgNcNoNumber = "line %d: the word %c has no number";
inline constexpr const char* kMsgNcArcNoCentre = "line %d: an arc without I, J, K or R";
inline constexpr const char* kMsgNcArcUnknownStart = "line %d: an arc from a position not yet known";
inline constexpr const char* kMsgNcArcRadiusShort =
    "line %d: the arc radius %g is shorter than half the chord %g";
inline constexpr const char* kMsgNcArcFullCircleR = "line %d: a full circle given by R";
inline constexpr const char* kMsgNcArcOffCircle =
    "line %d: the arc end is not on its circle (radius %g at the start, %g at the end)";
inline constexpr const char* kMsgNcCycleNoDepth = "line %d: a drill cycle without its depth";
inline constexpr const char* kMsgNcCycleUnknownStart =
    "line %d: a drill cycle from a position not yet known";

// Reads `text`, the whole NC program, into `path`.  Returns "" or the
// first error (the motions before it stay in `path`).
std::string ReadNcToolpath(std::string_view text, Toolpath& path);

}  // namespace tornel::dev
