// Arc motions: the CIRCLE record that announces one, the arc values of the
// GOTO that ends it (direction, helix, centre, angles, radius sign, length),
// the choice of the post function, and how the arc reaches the post: whole,
// cut into quarter or maximum-angle pieces, or as straight chords within
// the arc tolerance.  Which of them runs is the dispatcher's call
// (CallMainMotion).
#pragma once

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

// The ArcToLines built-in: the current arc (or arc piece) as chords, each
// through the linear motion chain.  Nothing when the motion is no arc.
void ArcToLines(ClContext& ctx);

}  // namespace tornel
