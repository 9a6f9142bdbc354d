// Opening a file with a reported failure.
#pragma once

#include <cstdio>
#include <string>

#include "tornel/base/diagnostics.h"

namespace tornel {

struct LangMessage {
  int entry;         // language file entry that may replace it; 0 for none
  const char* text;  // the built-in text, also the format
};

inline constexpr LangMessage kMsgErrorCreating{17, "Error creating file %s."};
inline constexpr LangMessage kMsgFileNotFound{18, "File %s not found."};
inline constexpr LangMessage kMsgAccessDenied{19, "Acces denied to file %s."};
inline constexpr LangMessage kMsgErrorOpening{20, "Error opening file %s."};
inline constexpr const char* kMsgFileError = "File error.";

// The message's text as the language file may have replaced it, formatted.
std::string LangFormat(const Diagnostics& diag, LangMessage msg,
                       std::initializer_list<std::string_view> args);

// fopen in binary mode (text translation is ours) that reports failure:
// "w"/"a"... modes beginning with w report a create error, others tell a
// missing file, denied access and other failures apart.  Never null.
std::FILE* OpenFile(Diagnostics& diag, const std::string& path, const char* mode);

}  // namespace tornel
