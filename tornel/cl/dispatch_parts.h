// The branches of the record dispatcher, shared by its source files: the
// words of the record being dispatched, post function calls, and one
// function per major word or group of major words.
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
  const std::string& Str(int k) const;  // "" beyond the record
  bool Is(int k, std::string_view upper_keyword) const;
  const ValueTables& v;
};

// Runs post function `number` now, in the second pass, when the post file
// defines it; true when it ran.
bool CallPost(ClContext& ctx, int number);
// The same for a resolved label (kNoFunction: nothing).
void CallLabel(ClContext& ctx, int label);
// The label of `number`, or of `fallback` when the post lacks it.
int LabelOr(const ClContext& ctx, int number, int fallback);

// Calls ToolCancel and clears the cancel flags (END, OPERTN, tool change,
// the last motion of a tool); true when the post's ToolCancel ran.  Only
// then does it take the place of the record's own post function.
bool CancelTool(ClContext& ctx);

// State records.
void DispatchCoolant(ClContext& ctx, const RecordWords& w);
void DispatchSpindle(ClContext& ctx, const RecordWords& w);
void DispatchFeed(ClContext& ctx, const RecordWords& w);
void DispatchLoadTool(ClContext& ctx, const RecordWords& w);
void DispatchPprint(ClContext& ctx, const RecordWords& w);
void DispatchRemark(ClContext& ctx, const RecordWords& w);
void DispatchDisplay(ClContext& ctx, const RecordWords& w);
void DispatchMode(ClContext& ctx, const RecordWords& w);
void DispatchUnits(ClContext& ctx, const RecordWords& w);
void DispatchEnd(ClContext& ctx);
void DispatchPartNo(ClContext& ctx, const RecordWords& w);
void DispatchCutter(ClContext& ctx, const RecordWords& w);
void DispatchCutcom(ClContext& ctx, const RecordWords& w);
void DispatchStop(ClContext& ctx, bool optional);
// A record beginning with ":": the rest of its text as one NC line.
void DispatchNcString(ClContext& ctx, const RecordWords& w);

// srPostUnitFactor from siMetric and siMetricPost, and the tolerances
// scaled by it.
void ApplyUnitsRule(ClContext& ctx);
void ScaleTolerances(ClContext& ctx);

// After both chains: the first feed of a tool, and the tool change.
void CollectToolFeed(ClContext& ctx);
void ChangeTool(ClContext& ctx);
// Closes the move length and time totals of the tool that ends.
void CloseToolTotals(ClContext& ctx, bool at_tool_change);

// Turrets, SET (stock, feeds; the wire settings go on to DispatchWire) and
// the work coordinate selection.
void DispatchTurret(ClContext& ctx, const RecordWords& w);
void DispatchSet(ClContext& ctx, const RecordWords& w);
void DispatchSelect(ClContext& ctx, const RecordWords& w);
// A work coordinate system given as a matrix and an origin.
void DispatchMcs(ClContext& ctx, const RecordWords& w);
// First feed of a tool given by a CYCLE or THRDSQ record.
void CollectCycleFeed(ClContext& ctx, const RecordWords& w);
void CollectThreadFeed(ClContext& ctx, const RecordWords& w);

// The start of an operation.
void DispatchOperation(ClContext& ctx, const RecordWords& w);

// Motion.
void DispatchGoto(ClContext& ctx, const RecordWords& w);
void RunMotionEvent(ClContext& ctx);
void EndMotionEvent(ClContext& ctx);

// Branches handled elsewhere and not built yet: they leave the record as
// their variables loaded it.
void DispatchNurbs(ClContext& ctx, const RecordWords& w);
void DispatchCycle(ClContext& ctx, const RecordWords& w);
void DispatchShape(ClContext& ctx, const RecordWords& w);
void DispatchLatheSet(ClContext& ctx, const RecordWords& w);
void DispatchThread(ClContext& ctx, const RecordWords& w);
void DispatchWire(ClContext& ctx, const RecordWords& w);
// Multi-axis output: the axis solution for rotary and tilt axes.
void SolveMultiAxis(ClContext& ctx);
// srWCoordRot and srWCoordTilt for the work plane whose normal is
// srWCoordZI, srWCoordZJ, srWCoordZK.
void SolveWorkPlaneAngles(ClContext& ctx);
// Turns a vector by the current rotation of the machine's rotary axes.
void RotateByMachine(const ClContext& ctx, double v[3]);
// The motion event of a point of an active drill cycle.
void ProcessCyclePoint(ClContext& ctx);

}  // namespace tornel
