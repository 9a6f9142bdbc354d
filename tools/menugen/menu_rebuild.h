// Rebuilding the menu file: after the menu header of each machine kind the
// items of the matching post list section are inserted, each reference to
// a post rewritten to the full path of that post's split file.
//
// The menu file is copied line by line, looking for the header of one kind
// at a time (mill, then lathe, then EDM): a kind's items are inserted after
// the first line that holds its header, and only then is the next kind's
// header looked for.  A menu without the mill header therefore gets no
// items at all, and an empty post list inserts nothing.
//
// Inside a post list section (its header line and its "ENDPOST" line are
// not copied) the lines before the first "POSTITEM" line are copied as they
// are; from there on each "POSTITEM" line begins an item that is written
// when its section ends or the next item begins, unless it is dropped:
//   - an item whose "POSTITEM" line holds "APT-CL" is dropped;
//   - a line holding the kind's reference word ends in the number of a
//     post of the kind's list file (post 1 first): the line is cut after
//     its last blank and completed with the split file's full path in
//     double quotes; when no such post was found the item is dropped.
// A section that the post list does not end with "ENDPOST" inserts only
// what came before its first item, and the kind stays the one looked for.
#pragma once

#include <string_view>

#include "tools/menugen/lines.h"
#include "tools/menugen/machine_kinds.h"

namespace menugen {

// Where Surfcam 6 keeps the split files; written into the menu whatever
// the base directory of the run.
inline constexpr std::string_view kPostLibrary =
    "C:\\Users\\Public\\SURFCAM\\SURFCAM6\\Config\\POSTLIB\\MPOST\\";

inline constexpr std::string_view kEndWord = "ENDPOST";
inline constexpr std::string_view kItemWord = "POSTITEM";
inline constexpr std::string_view kAptClWord = "APT-CL";

// The number after the last blank of a reference line, as C's atol reads
// it (leading white space, a sign, digits up to the first other byte; 0
// when there are none), kept within the range of long long.
long long ReferenceNumber(std::string_view line);

// Copies `menu` to `out` with the items of `post_list` inserted.
void RebuildMenu(LineSource& menu, LineSource& post_list, const PostTables& posts,
                 LineSink& out, std::string_view library = kPostLibrary);

}  // namespace menugen
