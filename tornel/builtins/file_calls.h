// The post's own files by handle: FileOpen, FileTemp, FileRead, FileWrite,
// FileClose, FileEmpty, FileSel, FileIns.  Lines are written with CR LF on
// every target, as the NC file is, and read without their line end.
#pragma once

#include "tornel/builtins/builtin_context.h"
#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/builtins/builtin_table.h"

namespace tornel {

inline constexpr const char* kMsgFileOpenMode =
    "Invalid read/write mode select value in Parameter 2 in FileOpen function in";
inline constexpr const char* kMsgFileReadWriteMode =
    "FileRead function can't read from file which is opened for writing in";
inline constexpr const char* kMsgFileWriteReadMode =
    "FileWrite function can't write to file which is opened for reading in";
inline constexpr const char* kMsgFileEmptyReadMode = "Can't empty file which is in read mode in";
inline constexpr const char* kMsgFileSelMode = "File selected for NC-output must be in write mode in";
inline constexpr const char* kMsgFileInsMode = "File to insert must be in read mode in";

// The longest piece of a line that one FileRead gives; the rest of a
// longer line comes with the next reads.
inline constexpr size_t kFileReadPiece = 4095;

// Runs `e` when it is one of them (the numeric ones put their result in
// `result`); false otherwise.
bool CallFileFunction(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args,
                      double& result);

}  // namespace tornel
