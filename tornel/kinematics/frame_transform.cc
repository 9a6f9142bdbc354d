#include "tornel/kinematics/frame_transform.h"

#include <cmath>

namespace tornel {

void TransformByFrame(const double translation[3], const double matrix[9], const double in[3],
                      bool point, double out[3]) {
  for (int i = 0; i < 3; ++i) {
    const double* row = matrix + 3 * i;
    out[i] = row[0] * in[0] + row[1] * in[1] + row[2] * in[2];
    if (point) out[i] += translation[i];
  }
}

bool UntransformByFrame(const double translation[3], const double m[9], const double out[3],
                        bool point, double in[3]) {
  double det = m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
               m[2] * (m[3] * m[7] - m[4] * m[6]);
  if (det == 0 || !std::isfinite(det)) return false;
  double b[3];
  for (int i = 0; i < 3; ++i) b[i] = out[i] - (point ? translation[i] : 0);
  // The adjugate over the determinant.
  const double inv[9] = {(m[4] * m[8] - m[5] * m[7]) / det, (m[2] * m[7] - m[1] * m[8]) / det,
                         (m[1] * m[5] - m[2] * m[4]) / det, (m[5] * m[6] - m[3] * m[8]) / det,
                         (m[0] * m[8] - m[2] * m[6]) / det, (m[2] * m[3] - m[0] * m[5]) / det,
                         (m[3] * m[7] - m[4] * m[6]) / det, (m[1] * m[6] - m[0] * m[7]) / det,
                         (m[0] * m[4] - m[1] * m[3]) / det};
  for (int i = 0; i < 3; ++i) in[i] = inv[3 * i] * b[0] + inv[3 * i + 1] * b[1] + inv[3 * i + 2] * b[2];
  return true;
}

}  // namespace tornel
