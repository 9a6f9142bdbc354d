// Path texts as users and post files write them: both '\' and '/' separate,
// a leading separator or "X:" makes a path absolute.  Pure string work, the
// same on every target; only kNativeSeparator differs.
#pragma once

#include <string>
#include <string_view>

namespace platform {

#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The four parts of a path, as the Windows C library splits it:
// "C:\cam\part.cl" gives "C:", "\cam\", "part", ".cl".
struct PathParts {
  std::string drive;  // "X:" or empty
  std::string dir;    // up to and including the last separator
  std::string name;   // base name without extension
  std::string ext;    // from the last dot of the file name, dot included
};

PathParts SplitPath(std::string_view path);

// Begins with a separator, or with a drive letter and a colon.
bool IsAbsolutePath(std::string_view path);

// True when the path begins with a drive letter and a colon.
bool HasDriveLetter(std::string_view path);

// Appends the native separator unless the text is empty or already ends in one.
std::string WithTrailingSeparator(std::string dir);

// Every separator turned into the target's own, for handing a path to the OS.
std::string NativePath(std::string_view path);

// The path with its "." parts dropped and each ".." taking the part before
// it away, separators as '/' (a leading separator or "\\server" kept):
// two ways of writing one path give the same text.
std::string ResolvedPathText(std::string_view path);

// Case-insensitive comparison of two paths (ASCII letters only), treating
// both separators as equal.
bool SamePathText(std::string_view a, std::string_view b);

}  // namespace platform
