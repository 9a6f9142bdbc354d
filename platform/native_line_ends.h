// How the host's own text files end their lines: CR LF on Windows, where
// the C library's text mode reads CR LF as a line feed and writes a line
// feed as CR LF; a bare LF elsewhere.  For the programs that edit a user's
// text file in place and keep it in the host's own form.
#pragma once

namespace platform {

#ifdef _WIN32
inline constexpr bool kNativeCrLf = true;
#else
inline constexpr bool kNativeCrLf = false;
#endif

}  // namespace platform
