// The file commands: COPY, REN, DEL, RD, MD, CWD, APPEND and FINDSTR.
// Failures of the first five are silent, as batch files expect.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/kysy/answer_file.h"
#include "tools/kysy/seams.h"

namespace kysy {

// Copies the bytes of `from` over `to`: a complete copy or none, an older
// `to` stays whole when the copy fails.
bool CopyOver(FileSystem& files, const std::string& from, const std::string& to);
// REN refuses a new name that is already there, as Windows does.
bool RenameTo(FileSystem& files, const std::string& from, const std::string& to);

// CWD: the current directory and its drive letter (empty without one).
Answer CurrentDirectoryAnswer(FileSystem& files);

// The longest piece APPEND copies at a time.
inline constexpr size_t kAppendPieceBytes = 4095;

// APPEND: `target` becomes the text of the sources, in order; a missing
// first source adds nothing, the first other one that cannot be opened
// ends the list; a line feed is put between a source whose text did not
// end in one and the next.  The new text is written beside the target and
// renamed over it, so a failed run leaves the target as it was.
bool Append(FileSystem& files, const std::vector<std::string>& sources, const std::string& target);

// FINDSTR: "1" when a line of `path` holds `text`, "0" when none does,
// "@WR_ERR" when the file cannot be read.
std::string FindText(FileSystem& files, const std::string& path, const std::string& text,
                     bool case_sensitive);

}  // namespace kysy
