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
// A write, flush or close that failed, and a read that failed midway: the
// file and the reason.
inline constexpr LangMessage kMsgErrorWriting{0, "Error writing file %s: %s."};
inline constexpr LangMessage kMsgErrorReading{0, "Error reading file %s: %s."};
// The reasons, by what the system said.
inline constexpr const char* kReasonDiskFull = "the disk is full";
inline constexpr const char* kReasonTooLarge = "the file is too large";
inline constexpr const char* kReasonAccessDenied = "access denied";
inline constexpr const char* kReasonReadOnly = "the disk is read-only";
inline constexpr const char* kReasonNotFound = "the file or its folder is missing";
inline constexpr const char* kReasonOther = "system error %d";

// A file of ours beside a file the user keeps, which the run writes and
// then renames into its place: the user's path with this added, and a
// number from 1 up to the first name that is free.
inline constexpr const char* kBesideInfix = ".tornel-";
inline constexpr const char* kBesideSuffix = ".tmp";
inline constexpr int kBesideAttempts = 1000;

// The message's text as the language file may have replaced it, formatted.
std::string LangFormat(const Diagnostics& diag, LangMessage msg,
                       std::initializer_list<std::string_view> args);

// fopen in binary mode (text translation is ours) that reports failure:
// "w"/"a"... modes beginning with w report a create error, others tell a
// missing file, denied access and other failures apart.  Never null.
std::FILE* OpenFile(Diagnostics& diag, const std::string& path, const char* mode);
// The same for a file of ours that stands for another: the report names
// `shown` (the NC file for its work file).
std::FILE* OpenFileAs(Diagnostics& diag, const std::string& path, const char* mode,
                      const std::string& shown);

// The reason text for an errno value.
std::string FileFailureReason(int err);

// "Error writing file %s: %s." / "Error reading file %s: %s." with the
// reason of `err`.
[[noreturn]] void FatalWriteError(Diagnostics& diag, std::string_view name, int err);
[[noreturn]] void FatalReadError(Diagnostics& diag, std::string_view name, int err);

// Creates a new file of ours beside `path` (exclusively: never a file that
// is already there) and gives its name in `created`.  Null when none can be
// made; CreateBeside then reports "Error creating file <path>.".
std::FILE* TryCreateBeside(const std::string& path, std::string& created);
std::FILE* CreateBeside(Diagnostics& diag, const std::string& path, std::string& created);

}  // namespace tornel
