// Frames of the kinematics: a translation and a 3 x 3 matrix, row by row,
// twelve reals as the frame variables hold them (srXT_In ... srZKT_In and
// the others).  Arithmetic only, over plain arrays.
#pragma once

namespace tornel {

// `out` = matrix · `in`, plus the translation for a point; a direction
// (`point` false) leaves the translation out.  `out` must not alias `in`.
void TransformByFrame(const double translation[3], const double matrix[9], const double in[3],
                      bool point, double out[3]);

// The inverse: the `in` that TransformByFrame takes to `out`.  False (and
// `in` untouched) when the matrix has no inverse.
bool UntransformByFrame(const double translation[3], const double matrix[9], const double out[3],
                        bool point, double in[3]);

}  // namespace tornel
