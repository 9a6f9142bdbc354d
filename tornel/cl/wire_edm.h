// Wire EDM: the lower wire guide follows the XY profile of the CL file, the
// upper guide either the tool axis over the part thickness or a second, UV
// profile read in step from the companion CL file.  The wire state records
// (SET POWER/THICK/TAPER/SPARK/WIRE, WIRE) are DispatchWire's.
#pragma once

namespace tornel {

struct ClContext;

inline constexpr int kLangErrorInOperation = 26;
inline constexpr int kLangXyMoreMoves = 27;
inline constexpr int kLangUvMoreMoves = 28;
inline constexpr const char* kMsgErrorInOperation = "Error in operation - %s";
inline constexpr const char* kMsgXyMoreMoves =
    "XY and UV profiles not in sync. XY profile has more moves than UV profile.";
inline constexpr const char* kMsgUvMoreMoves =
    "XY and UV profiles not in sync. UV profile has more moves than XY profile.";

// False in the first pass once a WIRE record with FLOOD, THREAD or CUT was
// met: from there on the first pass leaves SET, OPSTOP, STOP and WIRE to
// the second.
bool WireRecordsOpen(const ClContext& ctx);

// The wire step of a GOTO (after its arc processing): the upper guide
// point (srX2, srY2) and the UV motion, the wire values, and whether the
// two motions go out as lines together (RunWireSegments).
void WireStep(ClContext& ctx);

// At the end of the second pass: a UV profile that still holds a GOTO
// ends the run.
void CheckUvProfileEnd(ClContext& ctx);

// For a segment or piece of an arc cut up without a UV profile: the upper
// guide over the tool axis again, and the wire values.
void FollowWireGuide(ClContext& ctx);

// The current motion as line segments of both profiles, equal in number,
// each through the linear chain (the first through the record's own
// function).
void RunWireSegments(ClContext& ctx);

// The EdmArcToLines built-in: RunWireSegments for a motion in which either
// profile is an arc, every segment through the linear chain.
void EdmArcToLines(ClContext& ctx);

}  // namespace tornel
