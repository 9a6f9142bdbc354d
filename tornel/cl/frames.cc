#include "tornel/cl/frames.h"

#include "tornel/kinematics/frame_transform.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// A frame is a translation (three slots) and a 3 x 3 matrix row by row
// (nine consecutive slots).
void ApplyFrame(const ValueTables& v, int translation, int matrix, const double in[3], bool point,
                double out[3]) {
  TransformByFrame(&v.reals[translation], &v.reals[matrix], in, point, out);
}

static_assert(kSrYT_In - kSrXT_In == 1 && kSrZT_In - kSrXT_In == 2);
static_assert(kSrYT_Out - kSrXT_Out == 1 && kSrZT_Out - kSrXT_Out == 2);
static_assert(kSrYIT_In - kSrXIT_In == 3 && kSrZKT_In - kSrXIT_In == 8);
static_assert(kSrYIT_Out - kSrXIT_Out == 3 && kSrZKT_Out - kSrXIT_Out == 8);

}  // namespace

void InputTransform(const ValueTables& v, const double in[3], bool point, double out[3]) {
  ApplyFrame(v, kSrXT_In, kSrXIT_In, in, point, out);
}

void OutputTransform(const ValueTables& v, const double in[3], bool point, double out[3]) {
  ApplyFrame(v, kSrXT_Out, kSrXIT_Out, in, point, out);
}

void InputToOutput(const ValueTables& v, const double in[3], bool point, double out[3]) {
  double cl[3];
  InputTransform(v, in, point, cl);
  OutputTransform(v, cl, point, out);
}

void LathePlaneToOutput(ValueTables& v, double x, double y, bool point, int sx, int sy, int sz) {
  double in[3] = {x, y, 0}, out[3];
  InputToOutput(v, in, point, out);
  v.reals[sx] = out[0];
  v.reals[sy] = out[1];
  v.reals[sz] = out[2];
}

bool OutputUntransform(const ValueTables& v, const double out[3], bool point, double in[3]) {
  return UntransformByFrame(&v.reals[kSrXT_Out], &v.reals[kSrXIT_Out], out, point, in);
}

}  // namespace tornel
