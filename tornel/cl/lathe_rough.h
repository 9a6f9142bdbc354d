// Lathe roughing cycles: the CYCLE/TURN or FACE record, the SET records
// of its parameters, the contour between SHAPE/START and SHAPE/END (kept in
// "Tornel1.tmp"), the finishing pass, and the recognition of a finishing
// contour that repeats the roughed one.
#pragma once

#include <string>

#include "tornel/cl/cl_context.h"
#include "tornel/cl/cl_record.h"

namespace tornel {

inline constexpr const char* kMsgRoughingWithoutContour =
    "Roughing cycle without its contour (SHAPE/START), motions left out. APT-CL line=%s";
inline constexpr const char* kMsgShapeSeek =
    "Tornel internal error. fseek failed in ProcesRoughTurn shape element counting.";

// The line a contour record takes in "Tornel1.tmp": the major word, "/",
// and six words (GOTO) or seven (CIRCLE), each as the APT-CL file writes
// it, joined by ","; empty for other records.
std::string ContourLine(const RecordSlot& record);

// A GOTO of a roughing definition (the approach motions): whether it is
// still output.  In the state after a contour, a rapid motion followed by
// a feed or arc motion is checked for a repeated (finishing) contour.
bool RoughingLetsGotoThrough(ClContext& ctx);

// A contour without its SHAPE/END ends where its counting ended: at a
// RAPID, CYCLE, LOADTL, TURRET or END record, or at the end of the CL
// data, so that every ShapeStart gets its ShapeEnd.
bool EndsContourRecord(MajorWord major);
void EndOpenContour(ClContext& ctx);

// A roughing definition whose contour never came (a tool change, another
// cycle, an operation or the end first) ends there, with a warning: its
// approach motions were left out.
void AbandonRoughingAt(ClContext& ctx, MajorWord major);

}  // namespace tornel
