// Sizes of the predefined system variables: the post file's own variables
// and string literals are numbered after these slots.
#pragma once

namespace tornel {

inline constexpr int kIntegerSystemVariables = 192;
inline constexpr int kIntegerSystemSlots = 2280;
inline constexpr int kRealSystemVariables = 567;
inline constexpr int kRealSystemSlots = 5043;
inline constexpr int kStringSystemVariables = 28;
inline constexpr int kStringSystemSlots = 822;

// The post file's string literals take the string slots right behind the
// system variables': the first literal is entry kFirstStringLiteral.
inline constexpr int kFirstStringLiteral = kStringSystemSlots;

}  // namespace tornel
