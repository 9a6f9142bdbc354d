// Arc motions: the CIRCLE record that announces one, the arc values of the
// GOTO that ends it (direction, helix, centre, angles, radius sign, length),
// the choice of the post function, and how the arc reaches the post: whole,
// cut into quarter or maximum-angle pieces, or as straight chords within
// the arc tolerance.  Which of them runs is the dispatcher's call
// (CallMainMotion).
#pragma once

#include <functional>

#include "tornel/cl/arc_geometry.h"

namespace tornel {

struct ClContext;
struct DispatchState;
struct MoveHandlers;
struct RecordWords;
struct ValueTables;

// CIRCLE: siMoveType 4, the centre, circle axis and radius in their _In
// and _CL forms, the centre increments, and the arc start for the speed
// factor.
void DispatchCircle(ValueTables& v, DispatchState& d, const RecordWords& w);

// The arc values of the GOTO that ends an arc (after the move values).
// Drops a degenerate arc (siMoveType 0, no event) and plans the output:
// whole, in pieces (d.arc.cuts) or as chords, with the motion function of
// `moves` that each takes.
void ProcessArc(ValueTables& v, DispatchState& d, const MoveHandlers& moves);

// The planned arc as its pieces, each an arc motion with its own end
// point, angles, centre increments, move values, feed and time, and its
// own call of the arc chain's function.
void RunArcPieces(ClContext& ctx);

// The planned arc as straight chords within the arc tolerance, each a
// linear motion with its own values and call (the record's main function
// for the first, the linear chain for the rest).
void RunArcChords(ClContext& ctx);

// The current motion from `from` to `end` (output coordinates) as `n`
// straight segments, the end of segment k at point_at(k / n) (`end` for
// the last): each a linear motion with its own move values, feed and time
// and its own call (`first_label` for the first, the linear chain for the
// rest).  `each` runs for every segment after its move values (by default
// the upper wire guide follows the tool axis).
void RunLinearSegments(ClContext& ctx, Point3 from, Point3 end, int n,
                       const std::function<Point3(double)>& point_at, int first_label,
                       const std::function<void(double)>& each = {});

// The ArcToLines built-in: the current arc (or arc piece) as chords, each
// through the linear motion chain.  Nothing when the motion is no arc.
void ArcToLines(ClContext& ctx);

}  // namespace tornel
