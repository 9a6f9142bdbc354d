// The branches of the record dispatcher, shared by its source files: the
// words of the record being dispatched, post function calls, and one
// function per major word or group of major words.
#pragma once

#include <string>
#include <string_view>

#include "tornel/driver/run_context.h"

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
bool CallPost(RunContext& ctx, int number);
// The same for a resolved label (kNoFunction: nothing).
void CallLabel(RunContext& ctx, int label);
// The label of `number`, or of `fallback` when the post lacks it.
int LabelOr(const RunContext& ctx, int number, int fallback);

// Calls ToolCancel and clears the cancel flags (END, OPERTN, tool change,
// the last motion of a tool); true when the post's ToolCancel ran.  Only
// then does it take the place of the record's own post function.
bool CancelTool(RunContext& ctx);

// State records.
void DispatchCoolant(RunContext& ctx, const RecordWords& w);
void DispatchSpindle(RunContext& ctx, const RecordWords& w);
void DispatchFeed(RunContext& ctx, const RecordWords& w);
void DispatchLoadTool(RunContext& ctx, const RecordWords& w);
void DispatchPprint(RunContext& ctx, const RecordWords& w);
void DispatchRemark(RunContext& ctx, const RecordWords& w);
void DispatchDisplay(RunContext& ctx, const RecordWords& w);
void DispatchMode(RunContext& ctx, const RecordWords& w);
void DispatchUnits(RunContext& ctx, const RecordWords& w);
void DispatchEnd(RunContext& ctx);
void DispatchPartNo(RunContext& ctx, const RecordWords& w);
void DispatchCutter(RunContext& ctx, const RecordWords& w);
void DispatchCutcom(RunContext& ctx, const RecordWords& w);
void DispatchStop(RunContext& ctx, bool optional);
// A record beginning with ":": the rest of its text as one NC line.
void DispatchNcString(RunContext& ctx, const RecordWords& w);

// srPostUnitFactor from siMetric and siMetricPost, and the tolerances
// scaled by it.
void ApplyUnitsRule(RunContext& ctx);
void ScaleTolerances(RunContext& ctx);

// After both chains: the first feed of a tool, and the tool change.
void CollectToolFeed(RunContext& ctx);
void ChangeTool(RunContext& ctx);
// Closes the move length and time totals of the tool that ends.
void CloseToolTotals(RunContext& ctx, bool at_tool_change);

// Turrets, SET (stock, feeds; the wire settings go on to DispatchWire) and
// the work coordinate selection.
void DispatchTurret(RunContext& ctx, const RecordWords& w);
void DispatchSet(RunContext& ctx, const RecordWords& w);
void DispatchSelect(RunContext& ctx, const RecordWords& w);
// A work coordinate system given as a matrix and an origin.
void DispatchMcs(RunContext& ctx, const RecordWords& w);
// First feed of a tool given by a CYCLE or THRDSQ record.
void CollectCycleFeed(RunContext& ctx, const RecordWords& w);
void CollectThreadFeed(RunContext& ctx, const RecordWords& w);

// The start of an operation.
void DispatchOperation(RunContext& ctx, const RecordWords& w);

// Motion.
void DispatchGoto(RunContext& ctx, const RecordWords& w);
void RunMotionEvent(RunContext& ctx);
void EndMotionEvent(RunContext& ctx);

// Branches handled elsewhere and not built yet: they leave the record as
// their variables loaded it.
void DispatchNurbs(RunContext& ctx, const RecordWords& w);
void DispatchCycle(RunContext& ctx, const RecordWords& w);
void DispatchShape(RunContext& ctx, const RecordWords& w);
void DispatchLatheSet(RunContext& ctx, const RecordWords& w);
void DispatchThread(RunContext& ctx, const RecordWords& w);
void DispatchWire(RunContext& ctx, const RecordWords& w);
// Multi-axis output: the axis solution for rotary and tilt axes.
void SolveMultiAxis(RunContext& ctx);
// srWCoordRot and srWCoordTilt for the work plane whose normal is
// srWCoordZI, srWCoordZJ, srWCoordZK.
void SolveWorkPlaneAngles(RunContext& ctx);
// Turns a vector by the current rotation of the machine's rotary axes.
void RotateByMachine(const RunContext& ctx, double v[3]);
// The motion event of a point of an active drill cycle.
void ProcessCyclePoint(RunContext& ctx);

}  // namespace tornel
