// The branches of the record dispatcher, shared by its source files: the
// words of the record being dispatched, post function calls, and one
// function per major word or group of major words.  A branch takes the
// tables it works on; those that call post functions or write NC lines
// take the CL view.
#pragma once

#include <string>
#include <string_view>

#include "tornel/cl/cl_context.h"

namespace tornel {

// The record as the value tables hold it after OnAPT (which may have
// changed its words).  Word 0 is the major word.
struct RecordWords {
  explicit RecordWords(const ValueTables& values);
  int size = 0;  // siRecSize, kept inside the word arrays
  bool IsNumber(int k) const;
  bool IsString(int k) const;
  double Number(int k) const;         // 0 beyond the record
  // Word k when it is a number, else `keep`: a missing or non-numeric word
  // leaves the variable it would set as it was.
  double NumberOr(int k, double keep) const { return IsNumber(k) ? Number(k) : keep; }
  // The integer part of word k when it is a number, else `keep`; a value
  // no integer variable holds counts as `keep` too.
  int32_t IntegerOr(int k, int32_t keep) const;
  const std::string& Str(int k) const;  // "" beyond the record
  bool Is(int k, std::string_view upper_keyword) const;
  const ValueTables& v;
};

// Runs post function `number` now, in the second pass, when the post file
// defines it; true when it ran.
bool CallPost(ClContext& ctx, int number);
// The same for a resolved label (kNoFunction: nothing).
void CallLabel(ClContext& ctx, int label);

// Calls ToolCancel and ends the tool (END, OPERTN, tool change, the last
// motion of a tool); true when the post's ToolCancel ran.  Only then does
// it take the place of the record's own post function.  At the last motion
// siToolCancelAct stays as the look-ahead announced it, for the motion
// function that runs when the post has no ToolCancel; the end of the
// motion event clears it.  The other records clear it at once.
enum class CancelAct { kClear, kKeep };
bool CancelTool(ClContext& ctx, CancelAct act = CancelAct::kClear);

// State records.
void DispatchCoolant(ValueTables& v, const RecordWords& w);
void DispatchSpindle(ValueTables& v, ClReader& r, const RecordWords& w);
void DispatchFeed(ValueTables& v, DispatchState& d, const RecordWords& w);
void DispatchLoadTool(ValueTables& v, const RecordWords& w);
void DispatchPprint(ValueTables& v, OutputTables& out, DispatchState& d,
                    const PostFunctionTable& posts, const RecordWords& w);
void DispatchRemark(ValueTables& v, const RecordWords& w);
void DispatchDisplay(ValueTables& v, const RecordWords& w);
void DispatchMode(ValueTables& v, const RecordWords& w);
void DispatchUnits(ValueTables& v, ScaledTolerances& tol, const RecordWords& w);
void DispatchEnd(ClContext& ctx);
void DispatchPartNo(ValueTables& v, ClReader& r, const PostFunctionTable& posts,
                    const RecordWords& w);
void DispatchCutter(ValueTables& v, const RecordWords& w);
void DispatchCutcom(ValueTables& v, bool second_pass, const RecordWords& w);
void DispatchStop(ClContext& ctx, bool optional);
// A record beginning with ":": the rest of its text as one NC line.
void DispatchNcString(ClContext& ctx);

// srPostUnitFactor from siMetric and siMetricPost, and the tolerances
// scaled by it.
void ApplyUnitsRule(ValueTables& v, ScaledTolerances& tol);
void ScaleTolerances(const ValueTables& v, ScaledTolerances& tol);

// After both chains: the first feed of a tool, and the tool change.
void CollectToolFeed(ValueTables& v, DispatchState& d);
void ChangeTool(ClContext& ctx);
// Closes the move length and time totals of the tool that ends.
void CloseToolTotals(ValueTables& v, bool at_tool_change);

// Turrets, SET (stock, feeds; the wire settings go on to DispatchWire) and
// the work coordinate selection.
void DispatchTurret(ValueTables& v, const RecordWords& w);
void DispatchSet(ClContext& ctx, const RecordWords& w);
void DispatchSelect(ClContext& ctx, const RecordWords& w);
// A work coordinate system given as a matrix and an origin.
void DispatchMcs(ClContext& ctx, const RecordWords& w);
// First feed of a tool given by a CYCLE or THRDSQ record.
void CollectCycleFeed(ValueTables& v, const DispatchState& d, const RecordWords& w);
void CollectThreadFeed(ValueTables& v, const DispatchState& d, const RecordWords& w);

// The start of an operation.
void DispatchOperation(ClContext& ctx, const RecordWords& w);

// Motion.
void DispatchGoto(ClContext& ctx, const RecordWords& w);
void RunMotionEvent(ClContext& ctx);
void EndMotionEvent(ValueTables& v, ClReader& r);
// Calls the record's main post function: once, or once per arc piece or
// chord with the variables of that piece set.
void CallMainMotion(ClContext& ctx);

// NURBS records: a spline's header, control points and knots.  The next
// NCRV or GOTO ends the curve (EndNurbsCurve): its control points must
// then be as many as its NCRV record gave.
void DispatchNurbs(ClContext& ctx, const RecordWords& w);
void EndNurbsCurve(ClContext& ctx);
inline constexpr const char* kMsgNurbsMorePoints =
    "NURBS curve has more control points than its NCRV record gives in CL-record";
inline constexpr const char* kMsgNurbsFewerPoints =
    "NURBS curve has fewer control points than its NCRV record gives in CL-record";
// CYCLE/TURN and CYCLE/FACE of turning: a lathe roughing cycle.
void DispatchRoughing(ClContext& ctx, const RecordWords& w);
void DispatchShape(ClContext& ctx, const RecordWords& w);
void DispatchLatheSet(ClContext& ctx, const RecordWords& w);
void DispatchThread(ClContext& ctx, const RecordWords& w);
// The wire state records of wire EDM (SET with a wire word, WIRE).
void DispatchWire(ClContext& ctx, const RecordWords& w);
// Multi-axis output: the axis solution for rotary and tilt axes.
void SolveMultiAxis(ClContext& ctx);
// srWCoordRot and srWCoordTilt for the work plane whose normal is
// srWCoordZI, srWCoordZJ, srWCoordZK.
void SolveWorkPlaneAngles(ClContext& ctx);
// Turns a vector by the current rotation of the machine's rotary axes.
void RotateByMachine(const ValueTables& v, double vec[3]);
// Drill cycles: the CYCLE record (a definition, OFF, or a lathe roughing
// cycle), and the motion event of a hole while a cycle is active.
void DispatchCycle(ClContext& ctx, const RecordWords& w);
void ProcessCyclePoint(ClContext& ctx);

}  // namespace tornel
