// The shortcut file format of Windows (.lnk, the Shell Link binary file
// format): a 76-byte header with the class identifier of shell links, then
// as the header's flags say an item ID list of the target, a LinkInfo
// block with the target's local path or network share, the string fields
// (Unicode when the IsUnicode flag is set) and extra data blocks.
//
// Reading takes the target from LinkInfo's local base path (or its network
// name and suffix), else from the file entries of the ID list, else from an
// environment variable block, else from the relative path.  Writing makes a
// Unicode file with LinkInfo (and, for a path with a drive letter, an ID
// list of My Computer, the drive and one file entry per folder), which
// Windows opens.  A file that was read keeps what lnkedit does not show
// (times, attributes, flags, extra data, and while the target stays the
// same its ID list and LinkInfo) when it is written again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/lnkedit/link_record.h"

namespace lnkedit {

// What a shortcut file holds beyond the record's fields, kept for writing
// it again.
struct LnkKept {
  bool read = false;            // these come from a file that was read
  std::string target_read;      // the target and icon file as read
  std::string icon_read;
  uint32_t link_flags = 0;
  uint32_t file_attributes = 0;
  uint64_t creation_time = 0, access_time = 0, write_time = 0;
  uint32_t file_size = 0;
  std::string id_list;          // the LinkTargetIDList, its size field included
  std::string link_info;        // the LinkInfo block, whole
  std::string relative_path;    // RELATIVE_PATH, UTF-8
  std::vector<std::string> extra_blocks;  // each extra data block, whole
};

struct LnkFile {
  LinkRecord record;
  LnkKept kept;
};

enum class LnkError { kNone, kEmpty, kNotShortcut, kTruncated, kDamaged };

// Reads the bytes of a shortcut file.  Never reads outside `bytes`.
LnkError DecodeLnk(std::string_view bytes, LnkFile* file);

// The bytes of a shortcut file; false when a string is longer than the
// format holds (65535 UTF-16 units).
bool EncodeLnk(const LnkFile& file, std::string* bytes);

// The path an item ID list names when it is My Computer, a drive and file
// entries; empty for anything else.  `ids` starts at the first item.
std::string PathFromIdList(std::string_view ids);

}  // namespace lnkedit
