#include "tornel/kinematics/frame_transform.h"

namespace tornel {

void TransformByFrame(const double translation[3], const double matrix[9], const double in[3],
                      bool point, double out[3]) {
  for (int i = 0; i < 3; ++i) {
    const double* row = matrix + 3 * i;
    out[i] = row[0] * in[0] + row[1] * in[1] + row[2] * in[2];
    if (point) out[i] += translation[i];
  }
}

}  // namespace tornel
