// The arcs of the NC files that real CAM output makes through the dialect
// includes: each one lies on its circle and leaves in the direction the
// feed move before it arrived in.  CAM systems write their toolpaths
// tangent, so an arc that starts backwards against the line before it is
// an arc turned the wrong way (the NX circle-axis sense read as Tornel's
// own makes every NX arc do that).

#include <cmath>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct P2 {
  double x = 0, y = 0;
};

P2 Sub(P2 a, P2 b) { return {a.x - b.x, a.y - b.y}; }
double Len(P2 a) { return std::hypot(a.x, a.y); }

struct ArcCounts {
  int arcs = 0;
  int checked = 0;      // arcs after a feed line of some length
  int continuing = 0;   // start tangent along that line
  int backwards = 0;    // start tangent against it
  int off_circle = 0;   // end point not at the start's radius
};

std::optional<double> Word(const std::string& line, char letter) {
  static const std::regex number("([A-Z])(-?[0-9]*\\.?[0-9]*)");
  for (auto it = std::sregex_iterator(line.begin(), line.end(), number);
       it != std::sregex_iterator(); ++it) {
    if ((*it)[1].str()[0] == letter && !(*it)[2].str().empty() && (*it)[2].str() != "-")
      return std::stod((*it)[2].str());
  }
  return std::nullopt;
}

// Reads an ISO NC file (G17, absolute, I J incremental from the start).
ArcCounts CountArcs(const std::string& path) {
  ArcCounts c;
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  std::string line;
  int mode = 0;
  P2 at;
  std::optional<P2> last_feed_dir;
  static const std::regex gword("G0?([0-3])(?![0-9])");
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '(' || line.find('(') != std::string::npos) continue;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), gword);
         it != std::sregex_iterator(); ++it)
      mode = std::stoi((*it)[1]);
    P2 to{Word(line, 'X').value_or(at.x), Word(line, 'Y').value_or(at.y)};
    bool moved = Len(Sub(to, at)) > 1e-9;
    if ((mode == 2 || mode == 3) && (Word(line, 'R') || Word(line, 'I') || Word(line, 'J'))) {
      ++c.arcs;
      bool ccw = mode == 3;
      P2 centre;
      if (auto r = Word(line, 'R')) {
        P2 chord = Sub(to, at);
        double h = Len(chord) / 2;
        double d = std::sqrt(std::max(0.0, *r * *r - h * h));
        P2 left{-chord.y / (2 * h), chord.x / (2 * h)};
        double side = (ccw ? 1 : -1) * (*r > 0 ? 1 : -1);
        centre = {(at.x + to.x) / 2 + side * d * left.x, (at.y + to.y) / 2 + side * d * left.y};
        if (Len(chord) > 2 * std::fabs(*r) + 0.002) ++c.off_circle;
      } else {
        centre = {at.x + Word(line, 'I').value_or(0), at.y + Word(line, 'J').value_or(0)};
        if (std::fabs(Len(Sub(to, centre)) - Len(Sub(at, centre))) > 0.01) ++c.off_circle;
      }
      P2 radial = Sub(at, centre);
      double rl = Len(radial);
      if (last_feed_dir && rl > 0) {
        P2 tangent = ccw ? P2{-radial.y / rl, radial.x / rl} : P2{radial.y / rl, -radial.x / rl};
        double along = tangent.x * last_feed_dir->x + tangent.y * last_feed_dir->y;
        ++c.checked;
        if (along > 0.5) ++c.continuing;
        if (along < -0.5) ++c.backwards;
      }
      // The direction the arc leaves in, for an arc that follows it.
      if (rl > 0) {
        P2 radial_end = Sub(to, centre);
        double re = Len(radial_end);
        last_feed_dir = ccw ? P2{-radial_end.y / re, radial_end.x / re}
                            : P2{radial_end.y / re, -radial_end.x / re};
      }
    } else if (mode == 1 && moved) {
      P2 d = Sub(to, at);
      last_feed_dir = P2{d.x / Len(d), d.y / Len(d)};
    } else if (mode == 0 || (mode == 1 && Word(line, 'Z') && !moved)) {
      last_feed_dir.reset();  // a rapid or a plunge: no direction to continue
    }
    at = to;
  }
  return c;
}

struct Case {
  const char* nc;  // expected NC file under tests/e2e
  int min_checked;
};

TEST(CorpusArcs, ArcsOfRealCamOutputTurnTheWayTheToolpathGoes) {
  const std::vector<Case> cases = {
      {"nx_face_mill/expected/face.nc", 1},
      {"nx_face_zig/expected/face_zig.nc", 15},
      {"nx_zig_zag_smoothed/expected/zig_zag.nc", 20},
      {"nx_zig_zag_toolpath/expected/zig_zag_path.nc", 20},
      {"creo_profile/expected/profilfraesen_2.nc", 10},
      {"creo_roughing/expected/schruppen_1.nc", 200},
      {"example_sixvalue_mill/expected/sixvalue_part.nc", 4},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.nc);
    ArcCounts c = CountArcs(std::string(TORNEL_SOURCE_DIR) + "/tests/e2e/" + k.nc);
    EXPECT_GE(c.checked, k.min_checked);
    EXPECT_EQ(c.backwards, 0);
    EXPECT_EQ(c.off_circle, 0);
    // Roughing paths also meet their arcs at corners (neither along nor
    // against); at least two in five start tangent.
    EXPECT_GE(c.continuing, c.checked * 2 / 5);
  }
}

// The check itself: the same toolpath with its arcs turned round is caught.
TEST(CorpusArcs, AReversedArcIsCaught) {
  std::string path = testing::TempDir() + "reversed.nc";
  {
    std::ofstream out(path);
    out << "N10 G00 X0 Y0\nN20 G01 X10. F100.\nN30 G03 X20. Y10. R10.\nN40 G01 Y20.\n"
        << "N50 G02 X10. Y30. I-10. J0\nN60 G01 X0\n";
  }
  ArcCounts c = CountArcs(path);
  EXPECT_EQ(c.arcs, 2);
  EXPECT_EQ(c.checked, 2);
  EXPECT_EQ(c.continuing, 1);  // the G03 continues the line along X
  EXPECT_EQ(c.backwards, 1);   // the G02 after a line up Y starts downwards
  EXPECT_EQ(c.off_circle, 0);
}

}  // namespace
