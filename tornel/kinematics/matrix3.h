// 3 x 3 matrices row by row (nine doubles) and vectors of three: the few
// operations the kinematics and the matrix procedures share.  `out` may be
// an input.
#pragma once

namespace tornel {

inline void Identity3(double m[9]) {
  for (int i = 0; i < 9; ++i) m[i] = i % 4 == 0 ? 1 : 0;
}

// out = a · b.
inline void Multiply3(const double a[9], const double b[9], double out[9]) {
  double r[9];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      r[3 * i + j] = a[3 * i] * b[j] + a[3 * i + 1] * b[3 + j] + a[3 * i + 2] * b[6 + j];
  for (int i = 0; i < 9; ++i) out[i] = r[i];
}

inline void Transpose3(const double a[9], double out[9]) {
  double r[9];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[3 * j + i] = a[3 * i + j];
  for (int i = 0; i < 9; ++i) out[i] = r[i];
}

// out = m · v (each row times v).
inline void Apply3(const double m[9], const double v[3], double out[3]) {
  double r[3];
  for (int i = 0; i < 3; ++i) r[i] = m[3 * i] * v[0] + m[3 * i + 1] * v[1] + m[3 * i + 2] * v[2];
  for (int i = 0; i < 3; ++i) out[i] = r[i];
}

// out = mᵀ · v (each column times v).
inline void ApplyTransposed3(const double m[9], const double v[3], double out[3]) {
  double r[3];
  for (int i = 0; i < 3; ++i) r[i] = m[i] * v[0] + m[3 + i] * v[1] + m[6 + i] * v[2];
  for (int i = 0; i < 3; ++i) out[i] = r[i];
}

}  // namespace tornel
