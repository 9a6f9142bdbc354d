// Reading the UV profile of wire EDM from the companion CL file.
#pragma once

#include <string>

namespace tornel {

struct ClContext;
struct ClReader;

// Before a pass: the UV profile is read from its start.
void StartUvProfile(ClReader& r, const std::string& path);

// The UV records up to the next GOTO: siMoveType2, srXC2, srYC2 and their
// increments, srRad2 and siArcDir2 from a CIRCLE, siMoveType2 from a
// RAPID, and srX2, srY2 from the GOTO.  A profile without another GOTO
// ends the run ("XY profile has more moves").
void ReadUvMotion(ClContext& ctx);

}  // namespace tornel
