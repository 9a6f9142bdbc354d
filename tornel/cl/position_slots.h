// The slots of the position variables, X, Y, Z, I, J, K of each family:
// as in the CL record (_In), in working coordinates (_CL), as written
// (srX ...), with their previous, next and increment forms.
#pragma once

#include "tornel/sysvars/system_variables.h"

namespace tornel {

inline constexpr int kPosIn[6] = {kSrX_In, kSrY_In, kSrZ_In, kSrI_In, kSrJ_In, kSrK_In};
inline constexpr int kPosInPrev[6] = {kSrX_In_Prev, kSrY_In_Prev, kSrZ_In_Prev,
                                      kSrI_In_Prev, kSrJ_In_Prev, kSrK_In_Prev};
inline constexpr int kPosInInc[6] = {kSrX_In_Inc, kSrY_In_Inc, kSrZ_In_Inc,
                                     kSrI_In_Inc, kSrJ_In_Inc, kSrK_In_Inc};
inline constexpr int kPosCl[6] = {kSrX_CL, kSrY_CL, kSrZ_CL, kSrI_CL, kSrJ_CL, kSrK_CL};
inline constexpr int kPosClPrev[6] = {kSrX_CL_Prev, kSrY_CL_Prev, kSrZ_CL_Prev,
                                      kSrI_CL_Prev, kSrJ_CL_Prev, kSrK_CL_Prev};
inline constexpr int kPosClInc[6] = {kSrX_CL_Inc, kSrY_CL_Inc, kSrZ_CL_Inc,
                                     kSrI_CL_Inc, kSrJ_CL_Inc, kSrK_CL_Inc};
inline constexpr int kPosClNext[6] = {kSrX_CL_Next, kSrY_CL_Next, kSrZ_CL_Next,
                                      kSrI_CL_Next, kSrJ_CL_Next, kSrK_CL_Next};
inline constexpr int kPosOut[6] = {kSrX, kSrY, kSrZ, kSrI, kSrJ, kSrK};
inline constexpr int kPosOutPrev[6] = {kSrX_Prev, kSrY_Prev, kSrZ_Prev,
                                       kSrI_Prev, kSrJ_Prev, kSrK_Prev};
inline constexpr int kPosOutNext[6] = {kSrX_Next, kSrY_Next, kSrZ_Next,
                                       kSrI_Next, kSrJ_Next, kSrK_Next};

}  // namespace tornel
