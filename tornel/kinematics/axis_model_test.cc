// The kinematic record: orientation for every axis combination, the
// validation messages, and the pivots each axis turns about.
#include "tornel/kinematics/axis_model.h"

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "tornel/kinematics/angle_solution.h"

namespace tornel {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

AxisConfig Machine(int32_t rot_type, int32_t rot_around, int32_t tilt_type, int32_t tilt_around) {
  AxisConfig c;
  c.rot_type = rot_type;
  c.rot_around = rot_around;
  c.tilt_type = tilt_type;
  c.tilt_around = tilt_around;
  c.rot_accuracy = 0;
  c.tilt_accuracy = 1e-7;
  return c;
}

// Every combination the checks allow, each kind of axis on each side.
std::vector<AxisConfig> AllMachines() {
  std::vector<AxisConfig> all;
  const int32_t kinds[] = {kAxisTable, kAxisHead};
  const int32_t pairs[][2] = {{kAroundX, kAroundY}, {kAroundY, kAroundX},
                              {kAroundZ, kAroundX}, {kAroundZ, kAroundY}};
  for (int32_t rk : kinds)
    for (int32_t tk : kinds)
      for (const auto& p : pairs) all.push_back(Machine(rk, p[0], tk, p[1]));
  return all;
}

void Row3(const double m[9], double out[3]) {
  for (int i = 0; i < 3; ++i) out[i] = m[6 + i];
}

TEST(AxisModel, TableAroundZWithTiltAroundXGivesTheIdentityForTheZAxis) {
  AxisConfig c = Machine(kAxisTable, kAroundZ, kAxisTable, kAroundX);
  KinematicRecord k;
  ASSERT_EQ(BuildKinematics(c, 0, 0, k), nullptr);
  for (int i = 0; i < 9; ++i) EXPECT_DOUBLE_EQ(k.orient[i], i % 4 == 0 ? 1 : 0);
  for (double t : k.translation) EXPECT_DOUBLE_EQ(t, 0);
}

TEST(AxisModel, OrientationRowsAsTheMachineDescribesThem) {
  // Rotary around Z, tilt around Y: rows (ct cr, sr ct, -st), (-sr, cr, 0),
  // (st cr, st sr, ct).
  AxisConfig c = Machine(kAxisTable, kAroundZ, kAxisTable, kAroundY);
  KinematicRecord k;
  ASSERT_EQ(BuildKinematics(c, 30, 50, k), nullptr);
  double r = 30 * kDeg, t = 50 * kDeg;
  const double want[9] = {std::cos(t) * std::cos(r), std::sin(r) * std::cos(t), -std::sin(t),
                          -std::sin(r), std::cos(r), 0,
                          std::sin(t) * std::cos(r), std::sin(t) * std::sin(r), std::cos(t)};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(k.orient[i], want[i], 1e-15) << i;
  // Rotary around X: rows (ct, st sr, -st cr), (0, cr, sr), (st, -sr ct, cr ct).
  c = Machine(kAxisHead, kAroundX, kAxisHead, kAroundY);
  ASSERT_EQ(BuildKinematics(c, 30, 50, k), nullptr);
  const double want_x[9] = {std::cos(t), std::sin(t) * std::sin(r), -std::sin(t) * std::cos(r),
                            0, std::cos(r), std::sin(r),
                            std::sin(t), -std::sin(r) * std::cos(t), std::cos(r) * std::cos(t)};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(k.orient[i], want_x[i], 1e-15) << i;
}

TEST(AxisModel, ScalingAndTranslationOfTheMachineValues) {
  AxisConfig c = Machine(kAxisTable, kAroundZ, kAxisTable, kAroundX);
  c.rot_scale = -1;
  c.rot_trans = 10;
  KinematicRecord k;
  ASSERT_EQ(BuildKinematics(c, -20, 0, k), nullptr);
  EXPECT_NEAR(k.rot, 30 * kDeg, 1e-15);  // (-20 - 10) / -1
  c.rot_scale = 0;  // a scale of 0 takes the translation as the angle
  ASSERT_EQ(BuildKinematics(c, -20, 0, k), nullptr);
  EXPECT_NEAR(k.rot, 10 * kDeg, 1e-15);
}

TEST(AxisModel, ValidationMessages) {
  KinematicRecord k;
  AxisConfig c;
  c.tilt_type = kAxisTable;
  EXPECT_STREQ(BuildKinematics(c, 0, 0, k), kMsgTiltWithoutRotary);
  c = AxisConfig{};
  c.rot_type = kAxisTable;
  c.rot_around = kAroundZ;
  c.nutator = 1;
  EXPECT_STREQ(BuildKinematics(c, 0, 0, k), kMsgNutatorWithoutTilt);
  c = Machine(7, kAroundZ, 0, 0);
  EXPECT_STREQ(BuildKinematics(c, 0, 0, k), kMsgInvalidRotaryType);
  c = Machine(kAxisHead, kAroundZ, 9, kAroundX);
  EXPECT_STREQ(BuildKinematics(c, 0, 0, k), kMsgInvalidTiltType);
  EXPECT_EQ(BuildKinematics(AxisConfig{}, 10, 20, k), nullptr);  // no rotary axis: identity
  EXPECT_EQ(k.rot, 0);

  EXPECT_STREQ(CheckAxisCombination(Machine(kAxisHead, 17, 0, 0)), kMsgRotaryAroundInvalid);
  EXPECT_STREQ(CheckAxisCombination(Machine(kAxisHead, kAroundX, kAxisHead, kAroundZ)),
               kMsgRotaryXTilt);
  EXPECT_STREQ(CheckAxisCombination(Machine(kAxisHead, kAroundX, kAxisHead, kAroundX)),
               kMsgRotaryXTilt);
  EXPECT_STREQ(CheckAxisCombination(Machine(kAxisHead, kAroundY, kAxisHead, kAroundY)),
               kMsgRotaryYTilt);
  EXPECT_STREQ(CheckAxisCombination(Machine(kAxisHead, kAroundZ, kAxisHead, kAroundZ)),
               kMsgRotaryZTilt);
  EXPECT_STREQ(CheckAxisCombination(Machine(kAxisHead, kAroundZ, kAxisHead, 3)),
               kMsgTiltAroundInvalid);
  c = Machine(kAxisHead, kAroundZ, kAxisHead, kAroundX);
  c.nutator = 2;
  EXPECT_STREQ(CheckAxisCombination(c), kMsgNutatorDirection);
}

TEST(AxisModel, ANutatorHeadReachesTheToolAxesOnItsSide) {
  // The swivel at 45 degrees reaches half the sphere: the axes whose
  // component along the rotary axis (X, Y: against the head's direction;
  // Z: upward) is not negative.
  std::mt19937_64 random(45);
  std::normal_distribution<double> n(0, 1);
  for (AxisConfig c : AllMachines()) {
    if (c.tilt_type != kAxisHead) continue;
    for (int dir : {1, -1}) {
      for (int limit : {-1, 0, 1}) {
        c.nutator = dir;
        c.tilt_limit = limit;
        for (int i = 0; i < 2000; ++i) {
          double a[3] = {n(random), n(random), n(random)};
          double len = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
          for (double& x : a) x /= len;
          double side = c.rot_around == kAroundX ? -a[0] * dir
                        : c.rot_around == kAroundY ? -a[1] * dir : a[2];
          if (side < 0) continue;
          AngleSolution s;
          ASSERT_EQ(SolveAngles(c, a, limit == -1, 0, s), nullptr);
          if (s.pole) continue;
          KinematicRecord k;
          ASSERT_EQ(BuildKinematics(c, s.rot, s.tilt, k), nullptr);
          for (int j = 0; j < 3; ++j)
            ASSERT_NEAR(k.orient[6 + j], a[j], 1e-9)
                << "rotary " << c.rot_around << " tilt " << c.tilt_around << " nutator " << dir
                << " limit " << limit;
        }
      }
    }
  }
  // Beyond its side the head goes to the edge and says so.
  AxisConfig c = Machine(kAxisHead, kAroundZ, kAxisHead, kAroundX);
  c.nutator = 1;
  const double down[3] = {0.6, 0, -0.8};
  AngleSolution s;
  ASSERT_EQ(SolveAngles(c, down, false, 0, s), nullptr);
  EXPECT_TRUE(s.nutator_side);
  EXPECT_NEAR(s.tilt, 180, 1e-6);
}

TEST(AxisModel, SolvedAnglesReproduceTheToolAxisOnEveryMachine) {
  std::mt19937_64 random(17);
  std::normal_distribution<double> n(0, 1);
  for (const AxisConfig& base : AllMachines()) {
    for (int limit : {-1, 0, 1}) {
      AxisConfig c = base;
      c.tilt_limit = limit;
      for (int i = 0; i < 2000; ++i) {
        double a[3] = {n(random), n(random), n(random)};
        double len = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
        for (double& x : a) x /= len;
        AngleSolution s;
        ASSERT_EQ(SolveAngles(c, a, limit == -1, 0, s), nullptr);
        if (s.pole) continue;
        KinematicRecord k;
        ASSERT_EQ(BuildKinematics(c, s.rot, s.tilt, k), nullptr);
        double row[3];
        Row3(k.orient, row);
        for (int j = 0; j < 3; ++j)
          ASSERT_NEAR(row[j], a[j], 1e-9) << "machine " << c.rot_type << c.rot_around
                                          << c.tilt_type << c.tilt_around << " limit " << limit;
        // The orientation turns the tool axis onto Z, and back.
        double z[3], back[3];
        RotateVector(k, a, z);
        EXPECT_NEAR(z[2], 1, 1e-9);
        RotateVectorBack(k, z, back);
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(back[j], a[j], 1e-9);
      }
    }
  }
}

// Rotation by `deg` about a unit axis (Rodrigues), for the pivot checks.
void TurnAbout(const double axis[3], double deg, const double v[3], double out[3]) {
  double a = deg * kDeg, c = std::cos(a), s = std::sin(a);
  double d = axis[0] * v[0] + axis[1] * v[1] + axis[2] * v[2];
  double x[3] = {axis[1] * v[2] - axis[2] * v[1], axis[2] * v[0] - axis[0] * v[2],
                 axis[0] * v[1] - axis[1] * v[0]};
  for (int i = 0; i < 3; ++i) out[i] = v[i] * c + x[i] * s + axis[i] * d * (1 - c);
}

TEST(AxisModel, EachAxisTurnsAboutItsOwnPivot) {
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> u(-200, 200);
  for (AxisConfig c : AllMachines()) {
    for (int i = 0; i < 200; ++i) {
      for (int j = 0; j < 3; ++j) {
        c.rot_pivot[j] = u(random);
        c.tilt_pivot[j] = u(random);
      }
      double rot = u(random), tilt = u(random) / 3;
      KinematicRecord k;
      ASSERT_EQ(BuildKinematics(c, rot, tilt, k), nullptr);
      if (c.rot_type == kAxisTable && c.tilt_type == kAxisTable) {
        // With the tilt at 0 the points of the rotary axis stay put; with
        // the rotary at 0 those of the tilt axis do.
        KinematicRecord r0, t0;
        ASSERT_EQ(BuildKinematics(c, rot, 0, t0), nullptr);
        ASSERT_EQ(BuildKinematics(c, 0, tilt, r0), nullptr);
        double dir_r[3] = {0, 0, 0}, dir_t[3] = {0, 0, 0};
        dir_r[c.rot_around - kAroundX] = 1;
        int tilt_axis = c.rot_around == kAroundX ? 1 : c.rot_around == kAroundY ? 0
                        : c.tilt_around == kAroundX ? 0 : 1;
        dir_t[tilt_axis] = 1;
        double lambda = u(random), p[3], q[3], m[3];
        for (int j = 0; j < 3; ++j) p[j] = c.rot_pivot[j] + lambda * dir_r[j];
        MachinePoint(t0, p, m);
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(m[j], p[j], 1e-9);
        for (int j = 0; j < 3; ++j) q[j] = c.tilt_pivot[j] + lambda * dir_t[j];
        MachinePoint(r0, q, m);
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(m[j], q[j], 1e-9);
      }
      // Whatever the kinds, the tool axis as the machine sees it is where
      // its heads point, and a part point and its machine position differ
      // by no more than the pivots' turning can explain: the machine
      // position of the tool tip plus the heads' offsets turned back is
      // the table's image of the point.
      double a[3];
      Row3(k.orient, a);
      double seen[3];
      MachineAxis(k, a, seen);
      double len = std::sqrt(seen[0] * seen[0] + seen[1] * seen[1] + seen[2] * seen[2]);
      EXPECT_NEAR(len, 1, 1e-12);
      if (c.rot_type == kAxisTable && c.tilt_type == kAxisTable) {
        EXPECT_NEAR(seen[2], 1, 1e-12);  // the tables bring the axis to Z
      }
      if (c.rot_type == kAxisHead && c.tilt_type == kAxisHead) {
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(seen[j], a[j], 1e-12);  // the heads point along it
        // A single head: the tip is its pivot turned: p = X + Pr - H Pr,
        // with H the turn about the rotary axis by the rotary angle.
        AxisConfig one = c;
        one.tilt_type = 0;
        one.tilt_around = 0;
        KinematicRecord h;
        ASSERT_EQ(BuildKinematics(one, rot, 0, h), nullptr);
        double axis_r[3] = {0, 0, 0};
        axis_r[c.rot_around - kAroundX] = 1;
        double hp[3], p[3] = {1, 2, 3}, x[3];
        // A table turns the part by -r, a head the tool by +r.
        TurnAbout(axis_r, rot, c.rot_pivot, hp);
        MachinePoint(h, p, x);
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(p[j], x[j] + c.rot_pivot[j] - hp[j], 1e-9);
      }
    }
  }
}

TEST(AxisModel, FrameFromVector) {
  AxisConfig c = Machine(kAxisTable, kAroundZ, kAxisTable, kAroundX);
  const double z[3] = {0, 0, 1};
  VectorFrame f = FrameFromVector(c, z);
  EXPECT_EQ(f.rot, 0);
  EXPECT_EQ(f.tilt, 0);
  const double v[3] = {0, -std::sqrt(0.5), std::sqrt(0.5)};
  f = FrameFromVector(c, v);
  EXPECT_NEAR(f.rot, 0, 1e-12);
  EXPECT_NEAR(f.tilt, 45, 1e-12);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(f.orient[6 + i], v[i], 1e-12);
}

}  // namespace
}  // namespace tornel
