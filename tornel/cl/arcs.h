// Arc motions: the CIRCLE record that announces one, the arc values of the
// GOTO that ends it (direction, helix, centre, angles, radius sign, length),
// the choice of the post function, and how the arc reaches the post: whole,
// cut into quarter or maximum-angle pieces, or as straight chords within
// the arc tolerance.
#pragma once

namespace tornel {

struct ClContext;
struct RecordWords;

// CIRCLE: siMoveType 4, the centre, circle axis and radius in their _In
// and _CL forms, the centre increments, and the arc start for the speed
// factor.
void DispatchCircle(ClContext& ctx, const RecordWords& w);

// The arc values of the GOTO that ends an arc (after the move values).
// Drops a degenerate arc (siMoveType 0, no event) and plans the output.
void ProcessArc(ClContext& ctx);

// Calls the record's main post function: once, or once per arc piece or
// chord with the variables of that piece set.
void CallMainMotion(ClContext& ctx);

// The ArcToLines built-in: the current arc (or arc piece) as chords, each
// through the linear motion chain.  Nothing when the motion is no arc.
void ArcToLines(ClContext& ctx);

}  // namespace tornel
