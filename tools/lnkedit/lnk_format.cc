#include "tools/lnkedit/lnk_format.h"

#include <algorithm>
#include <cstring>

#include "tools/lnkedit/text_encoding.h"

namespace lnkedit {
namespace {

// LinkFlags.
constexpr uint32_t kHasLinkTargetIdList = 0x1;
constexpr uint32_t kHasLinkInfo = 0x2;
constexpr uint32_t kHasName = 0x4;
constexpr uint32_t kHasRelativePath = 0x8;
constexpr uint32_t kHasWorkingDir = 0x10;
constexpr uint32_t kHasArguments = 0x20;
constexpr uint32_t kHasIconLocation = 0x40;
constexpr uint32_t kIsUnicode = 0x80;
constexpr uint32_t kForceNoLinkInfo = 0x100;
constexpr uint32_t kHasExpString = 0x200;
constexpr uint32_t kHasExpIcon = 0x4000;
// The flags that follow from the fields written.
constexpr uint32_t kWrittenFlags = kHasLinkTargetIdList | kHasLinkInfo | kHasName |
                                   kHasRelativePath | kHasWorkingDir | kHasArguments |
                                   kHasIconLocation | kIsUnicode | kForceNoLinkInfo |
                                   kHasExpString | kHasExpIcon;

// LinkInfoFlags.
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kCommonNetworkRelativeLinkAndPathSuffix = 0x2;

// Extra data block signatures.
constexpr uint32_t kEnvironmentBlock = 0xA0000001;
constexpr uint32_t kTrackerBlock = 0xA0000003;
constexpr uint32_t kSpecialFolderBlock = 0xA0000005;
constexpr uint32_t kIconEnvironmentBlock = 0xA0000007;
constexpr uint32_t kKnownFolderBlock = 0xA000000B;
constexpr uint32_t kVistaIdListBlock = 0xA000000C;
constexpr size_t kEnvironmentBlockSize = 0x314;  // size, signature, 260 ANSI, 520 Unicode bytes

constexpr size_t kHeaderSize = 0x4C;
// 00021401-0000-0000-C000-000000000046, as stored.
constexpr unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// My Computer, 20D04FE0-3AEA-1069-A2D8-08002B30309D, as stored.
constexpr unsigned char kMyComputerClsid[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                                0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeArchive = 0x20;

// Little-endian reads that never pass the end of the bytes.
struct Reader {
  std::string_view bytes;
  size_t at = 0;
  bool failed = false;

  size_t left() const { return at <= bytes.size() ? bytes.size() - at : 0; }
  bool Need(size_t n) {
    if (failed || left() < n) failed = true;
    return !failed;
  }
  uint64_t Int(size_t n) {
    if (!Need(n)) return 0;
    uint64_t v = 0;
    for (size_t k = 0; k < n; ++k) v |= uint64_t{static_cast<unsigned char>(bytes[at + k])} << (8 * k);
    at += n;
    return v;
  }
  std::string_view Bytes(size_t n) {
    if (!Need(n)) return {};
    std::string_view v = bytes.substr(at, n);
    at += n;
    return v;
  }
};

uint32_t U32(std::string_view b, size_t at) {
  uint32_t v = 0;
  for (size_t k = 0; k < 4; ++k) v |= uint32_t{static_cast<unsigned char>(b[at + k])} << (8 * k);
  return v;
}
uint16_t U16(std::string_view b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                               (static_cast<unsigned char>(b[at + 1]) << 8));
}

// A NUL-terminated ANSI string at `at` inside `b`; false when it has no end.
bool AnsiAt(std::string_view b, size_t at, std::string* out) {
  if (at >= b.size()) return false;
  const size_t end = b.find('\0', at);
  if (end == std::string_view::npos) return false;
  *out = Cp1252ToUtf8(b.substr(at, end - at));
  return true;
}

// A NUL-terminated UTF-16LE string at `at` inside `b`.
bool UnicodeAt(std::string_view b, size_t at, std::string* out) {
  std::u16string text;
  for (size_t i = at; i + 1 < b.size(); i += 2) {
    const char16_t c = U16(b, i);
    if (c == 0) {
      *out = Utf16ToUtf8(text);
      return true;
    }
    text += c;
  }
  return false;
}

// The path LinkInfo gives: the local base path, or the network share's
// name; either followed by the common path suffix.
bool PathFromLinkInfo(std::string_view info, std::string* path) {
  if (info.size() < 0x1C) return false;
  const uint32_t header = U32(info, 4);
  const uint32_t flags = U32(info, 8);
  const uint32_t volume_offset = U32(info, 12);
  const uint32_t base_offset = U32(info, 16);
  const uint32_t network_offset = U32(info, 20);
  const uint32_t suffix_offset = U32(info, 24);
  if (header < 0x1C || header > info.size()) return false;
  const bool unicode = header >= 0x24;
  std::string base, suffix;
  if (unicode && U32(info, 0x20) != 0) {
    if (!UnicodeAt(info, U32(info, 0x20), &suffix)) return false;
  } else if (suffix_offset != 0 && !AnsiAt(info, suffix_offset, &suffix)) {
    return false;
  }
  if (flags & kVolumeIdAndLocalBasePath) {
    if (volume_offset > info.size() || info.size() - volume_offset < 4) return false;
    if (unicode && U32(info, 0x1C) != 0) {
      if (!UnicodeAt(info, U32(info, 0x1C), &base)) return false;
    } else if (!AnsiAt(info, base_offset, &base)) {
      return false;
    }
  } else if (flags & kCommonNetworkRelativeLinkAndPathSuffix) {
    if (network_offset > info.size() || info.size() - network_offset < 0x14) return false;
    std::string_view link = info.substr(network_offset);
    const uint32_t size = U32(link, 0);
    if (size < 0x14 || size > link.size()) return false;
    link = link.substr(0, size);
    const uint32_t name_offset = U32(link, 8);
    if (name_offset > 0x14 && size >= 0x1C && U32(link, 0x14) != 0) {
      if (!UnicodeAt(link, U32(link, 0x14), &base)) return false;
    } else if (!AnsiAt(link, name_offset, &base)) {
      return false;
    }
    if (!suffix.empty() && !base.empty() && base.back() != '\\') base += '\\';
  } else {
    return true;  // neither a local path nor a share: no target here
  }
  *path = base + suffix;
  return true;
}

// The long name of a file entry's extension block (signature 0xBEEF0004),
// by the block's version; false when there is none.
bool LongNameFromExtension(std::string_view block, std::string* name) {
  if (block.size() < 0x14 || U32(block, 4) != 0xBEEF0004) return false;
  const uint16_t version = U16(block, 2);
  size_t at = 0x12;             // after size, version, signature, two times, identifier
  if (version < 3) return false;
  if (version >= 7) at += 2 + 8 + 8;
  at += 2;                      // the size of the localised name
  if (version >= 9) at += 4;
  if (version >= 8) at += 4;
  return at < block.size() && UnicodeAt(block, at, name) && !name->empty();
}

// The name of a file entry item (its bytes after the size field).
bool NameOfFileEntry(std::string_view item, std::string* name) {
  // type, a byte, file size (4), modification time (4), attributes (2)
  constexpr size_t kNameAt = 12;
  if (item.size() <= kNameAt) return false;
  const bool unicode = (static_cast<unsigned char>(item[0]) & 0x04) != 0;
  std::string primary;
  size_t after;
  if (unicode) {
    if (!UnicodeAt(item, kNameAt, &primary)) return false;
    after = kNameAt + 2 * (Utf8ToUtf16(primary).size() + 1);
  } else {
    if (!AnsiAt(item, kNameAt, &primary)) return false;
    after = item.find('\0', kNameAt) + 1;
    if (after % 2) ++after;  // the name is padded to an even length
  }
  // Extension blocks follow the name: each with its size, version and
  // signature.
  while (after + 8 <= item.size()) {
    const uint16_t size = U16(item, after);
    if (size < 8 || size > item.size() - after) break;
    if (LongNameFromExtension(item.substr(after, size), name)) return true;
    after += size;
  }
  *name = primary;
  return !primary.empty();
}

}  // namespace

std::string PathFromIdList(std::string_view ids) {
  std::string path;
  bool have_volume = false;
  size_t at = 0;
  while (at + 2 <= ids.size()) {
    const uint16_t size = U16(ids, at);
    if (size == 0) break;
    if (size < 3 || size > ids.size() - at) return "";
    std::string_view item = ids.substr(at + 2, size - 2);
    const auto type = static_cast<unsigned char>(item[0]);
    if (type == 0x1F && !have_volume && path.empty()) {
      // A root folder: only My Computer leads to drives.
      if (item.size() < 18 || std::memcmp(item.data() + 2, kMyComputerClsid, 16) != 0) return "";
    } else if ((type & 0x70) == 0x20 && !have_volume) {
      if (!AnsiAt(item, 1, &path) || path.empty()) return "";
      have_volume = true;
    } else if ((type & 0x70) == 0x30 && have_volume) {
      std::string name;
      if (!NameOfFileEntry(item, &name)) return "";
      if (!path.empty() && path.back() != '\\') path += '\\';
      path += name;
    } else {
      return "";
    }
    at += size;
  }
  return have_volume ? path : "";
}

LnkError DecodeLnk(std::string_view bytes, LnkFile* file) {
  *file = LnkFile{};
  if (bytes.empty()) return LnkError::kEmpty;
  // The header size and the class identifier, as far as the bytes go: a
  // shortcut cut short inside them is truncated, anything else no shortcut.
  unsigned char magic[20] = {static_cast<unsigned char>(kHeaderSize), 0, 0, 0};
  std::memcpy(magic + 4, kLinkClsid, 16);
  if (std::memcmp(bytes.data(), magic, std::min(bytes.size(), sizeof magic)) != 0)
    return LnkError::kNotShortcut;
  if (bytes.size() < kHeaderSize) return LnkError::kTruncated;

  Reader in{bytes, 20};
  LinkRecord& r = file->record;
  LnkKept& kept = file->kept;
  const auto flags = static_cast<uint32_t>(in.Int(4));
  kept.link_flags = flags;
  kept.file_attributes = static_cast<uint32_t>(in.Int(4));
  kept.creation_time = in.Int(8);
  kept.access_time = in.Int(8);
  kept.write_time = in.Int(8);
  kept.file_size = static_cast<uint32_t>(in.Int(4));
  r.icon_index = static_cast<int32_t>(static_cast<uint32_t>(in.Int(4)));
  r.show_command = static_cast<int32_t>(static_cast<uint32_t>(in.Int(4)));
  r.hotkey = static_cast<uint16_t>(in.Int(2));
  in.at = kHeaderSize;

  std::string from_ids, from_info, from_environment;
  if (flags & kHasLinkTargetIdList) {
    const auto size = static_cast<size_t>(in.Int(2));
    std::string_view ids = in.Bytes(size);
    if (in.failed) return LnkError::kTruncated;
    kept.id_list = std::string(bytes.substr(in.at - size - 2, size + 2));
    from_ids = PathFromIdList(ids);
  }
  if (flags & kHasLinkInfo) {
    if (!in.Need(4)) return LnkError::kTruncated;
    const uint32_t size = U32(bytes, in.at);
    if (size < 0x1C) return LnkError::kDamaged;
    std::string_view info = in.Bytes(size);
    if (in.failed) return LnkError::kTruncated;
    kept.link_info = std::string(info);
    if (!PathFromLinkInfo(info, &from_info)) return LnkError::kDamaged;
    if (flags & kForceNoLinkInfo) from_info.clear();
  }

  // NAME_STRING, RELATIVE_PATH, WORKING_DIR, COMMAND_LINE_ARGUMENTS,
  // ICON_LOCATION, each present when its flag is set.
  const struct {
    uint32_t flag;
    std::string* field;
  } strings[] = {{kHasName, &r.description},
                 {kHasRelativePath, &kept.relative_path},
                 {kHasWorkingDir, &r.working_dir},
                 {kHasArguments, &r.arguments},
                 {kHasIconLocation, &r.icon_file}};
  for (const auto& s : strings) {
    if (!(flags & s.flag)) continue;
    const auto count = static_cast<size_t>(in.Int(2));
    if (flags & kIsUnicode) {
      std::string_view raw = in.Bytes(2 * count);
      if (in.failed) return LnkError::kTruncated;
      std::u16string text;
      for (size_t k = 0; k < count; ++k) text += static_cast<char16_t>(U16(raw, 2 * k));
      // Some writers count a terminating NUL in: the text ends there.
      text.resize(std::min(text.size(), text.find(u'\0')));
      *s.field = Utf16ToUtf8(text);
    } else {
      std::string_view raw = in.Bytes(count);
      if (in.failed) return LnkError::kTruncated;
      *s.field = Cp1252ToUtf8(raw.substr(0, raw.find('\0')));
    }
  }

  // Extra data: blocks until one of fewer than four bytes (or the end).
  while (in.left() >= 4) {
    const uint32_t size = U32(bytes, in.at);
    if (size < 4) break;
    if (size < 8) return LnkError::kDamaged;
    std::string_view block = in.Bytes(size);
    if (in.failed) return LnkError::kTruncated;
    if (U32(block, 4) == kEnvironmentBlock && size >= kEnvironmentBlockSize) {
      std::string unicode, ansi;
      // The Unicode target (520 bytes) after the ANSI one (260 bytes).
      std::string_view wide = block.substr(8 + 260, 520);
      if (UnicodeAt(wide, 0, &unicode) && !unicode.empty()) {
        from_environment = unicode;
      } else if (AnsiAt(block.substr(8, 260), 0, &ansi)) {
        from_environment = ansi;
      }
    }
    kept.extra_blocks.emplace_back(block);
  }
  if (in.left() > 0 && in.left() < 4) return LnkError::kTruncated;

  if (!from_info.empty()) {
    r.target = from_info;
  } else if (!from_ids.empty()) {
    r.target = from_ids;
  } else if (!from_environment.empty()) {
    r.target = from_environment;
  } else {
    r.target = kept.relative_path;
  }
  kept.read = true;
  kept.target_read = r.target;
  kept.icon_read = r.icon_file;
  return LnkError::kNone;
}

namespace {

void PutInt(std::string& out, uint64_t v, size_t n) {
  for (size_t k = 0; k < n; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

void PutUnicode(std::string& out, const std::u16string& text) {
  for (char16_t c : text) PutInt(out, c, 2);
}

bool IsDrivePath(const std::string& path) {
  return path.size() >= 3 &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
         path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

// One file entry item: a folder or the target file itself, its name in
// Windows-1252 ('?' for what the code page lacks) and whole in the
// extension block that Windows XP and later write (version 3, signature
// 0xBEEF0004, the Unicode long name, and last the block's offset in the
// item).
std::string FileEntry(const std::string& name, bool folder) {
  std::string item;
  std::string ansi;
  Utf8ToCp1252(name, &ansi);
  PutInt(item, folder ? 0x31 : 0x32, 1);
  PutInt(item, 0, 1);
  PutInt(item, 0, 4);  // file size
  PutInt(item, 0, 4);  // modification time
  PutInt(item, folder ? kAttributeDirectory : kAttributeArchive, 2);
  item += ansi;
  item += '\0';
  if (item.size() % 2) item += '\0';
  const size_t extension_at = item.size() + 2;  // from the item's size field
  std::string extension;
  PutInt(extension, 0, 2);  // its size, set below
  PutInt(extension, 3, 2);
  PutInt(extension, 0xBEEF0004, 4);
  PutInt(extension, 0, 4);  // creation time
  PutInt(extension, 0, 4);  // access time
  PutInt(extension, 0x14, 2);
  PutInt(extension, 0, 2);  // no localised name
  PutUnicode(extension, Utf8ToUtf16(name));
  PutInt(extension, 0, 2);
  PutInt(extension, extension_at, 2);
  extension[0] = static_cast<char>(extension.size() & 0xFF);
  extension[1] = static_cast<char>(extension.size() >> 8);
  return item + extension;
}

// My Computer, the drive and a file entry for each part of the path.
std::string IdListFor(const std::string& path) {
  std::vector<std::string> items;
  std::string root(1, '\x1F');
  root += '\x50';
  root.append(reinterpret_cast<const char*>(kMyComputerClsid), 16);
  items.push_back(root);
  std::string volume(1, '\x2F');
  volume += static_cast<char>(path[0] >= 'a' ? path[0] - 'a' + 'A' : path[0]);
  volume += ":\\";
  volume.resize(23, '\0');
  items.push_back(volume);
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = 3; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += path[i];
    }
  }
  for (size_t k = 0; k < parts.size(); ++k)
    items.push_back(FileEntry(parts[k], k + 1 < parts.size()));
  std::string ids;
  for (const std::string& item : items) {
    PutInt(ids, item.size() + 2, 2);
    ids += item;
  }
  PutInt(ids, 0, 2);  // the terminal ID
  std::string out;
  PutInt(out, ids.size(), 2);
  return out + ids;
}

// LinkInfo with a volume of unknown serial number and no label, and the
// path as the local base path; with the Unicode path too when the ANSI one
// cannot hold it.
std::string LinkInfoFor(const std::string& path) {
  std::string ansi;
  const bool exact = Utf8ToCp1252(path, &ansi);
  const uint32_t header = exact ? 0x1C : 0x24;
  std::string volume;
  PutInt(volume, 0x11, 4);                          // VolumeIDSize
  PutInt(volume, IsDrivePath(path) ? 3 : 0, 4);      // DRIVE_FIXED or unknown
  PutInt(volume, 0, 4);                             // serial number
  PutInt(volume, 0x10, 4);                          // the label's offset
  volume += '\0';                                   // an empty label
  const uint32_t volume_at = header;
  const uint32_t base_at = volume_at + static_cast<uint32_t>(volume.size());
  const uint32_t suffix_at = base_at + static_cast<uint32_t>(ansi.size()) + 1;
  std::string tail = volume + ansi + '\0' + '\0';    // the base path, an empty suffix
  uint32_t base_unicode_at = 0, suffix_unicode_at = 0;
  if (!exact) {
    if (tail.size() % 2) tail += '\0';
    base_unicode_at = header + static_cast<uint32_t>(tail.size());
    PutUnicode(tail, Utf8ToUtf16(path));
    PutInt(tail, 0, 2);
    suffix_unicode_at = header + static_cast<uint32_t>(tail.size());
    PutInt(tail, 0, 2);
  }
  std::string info;
  PutInt(info, header + tail.size(), 4);
  PutInt(info, header, 4);
  PutInt(info, kVolumeIdAndLocalBasePath, 4);
  PutInt(info, volume_at, 4);
  PutInt(info, base_at, 4);
  PutInt(info, 0, 4);  // no network link
  PutInt(info, suffix_at, 4);
  if (!exact) {
    PutInt(info, base_unicode_at, 4);
    PutInt(info, suffix_unicode_at, 4);
  }
  return info + tail;
}

}  // namespace

bool EncodeLnk(const LnkFile& file, std::string* bytes) {
  const LinkRecord& r = file.record;
  const LnkKept& kept = file.kept;
  const bool same_target = kept.read && r.target == kept.target_read;
  const bool same_icon = kept.read && r.icon_file == kept.icon_read;

  std::string ids, info, relative;
  if (same_target) {
    ids = kept.id_list;
    info = kept.link_info;
    relative = kept.relative_path;
  } else if (!r.target.empty()) {
    if (IsDrivePath(r.target)) ids = IdListFor(r.target);
    info = LinkInfoFor(r.target);
  }

  // Extra blocks that describe the old target or icon go with them.
  std::vector<const std::string*> extra;
  bool environment_kept = false, icon_environment_kept = false;
  for (const std::string& block : kept.extra_blocks) {
    const uint32_t signature = U32(block, 4);
    const bool about_target = signature == kEnvironmentBlock || signature == kTrackerBlock ||
                              signature == kSpecialFolderBlock ||
                              signature == kKnownFolderBlock || signature == kVistaIdListBlock;
    if (about_target && !same_target) continue;
    if (signature == kIconEnvironmentBlock && !same_icon) continue;
    environment_kept |= signature == kEnvironmentBlock;
    icon_environment_kept |= signature == kIconEnvironmentBlock;
    extra.push_back(&block);
  }

  uint32_t flags = (kept.link_flags & ~kWrittenFlags) | kIsUnicode;
  if (same_target) flags |= kept.link_flags & kForceNoLinkInfo;
  if (environment_kept) flags |= kept.link_flags & kHasExpString;
  if (icon_environment_kept) flags |= kept.link_flags & kHasExpIcon;
  if (!ids.empty()) flags |= kHasLinkTargetIdList;
  if (!info.empty()) flags |= kHasLinkInfo;
  const struct {
    uint32_t flag;
    const std::string* text;
  } strings[] = {{kHasName, &r.description},
                 {kHasRelativePath, &relative},
                 {kHasWorkingDir, &r.working_dir},
                 {kHasArguments, &r.arguments},
                 {kHasIconLocation, &r.icon_file}};
  for (const auto& s : strings)
    if (!s.text->empty()) flags |= s.flag;

  std::string out;
  PutInt(out, kHeaderSize, 4);
  out.append(reinterpret_cast<const char*>(kLinkClsid), 16);
  PutInt(out, flags, 4);
  // The attributes, times and size are the target's: unknown for a new one.
  PutInt(out, same_target ? kept.file_attributes : 0, 4);
  PutInt(out, same_target ? kept.creation_time : 0, 8);
  PutInt(out, same_target ? kept.access_time : 0, 8);
  PutInt(out, same_target ? kept.write_time : 0, 8);
  PutInt(out, same_target ? kept.file_size : 0, 4);
  PutInt(out, static_cast<uint32_t>(r.icon_index), 4);
  PutInt(out, static_cast<uint32_t>(r.show_command), 4);
  PutInt(out, r.hotkey, 2);
  out.append(2 + 4 + 4, '\0');  // reserved
  out += ids;
  out += info;
  for (const auto& s : strings) {
    if (s.text->empty()) continue;
    const std::u16string text = Utf8ToUtf16(*s.text);
    if (text.size() > 0xFFFF) return false;
    PutInt(out, text.size(), 2);
    PutUnicode(out, text);
  }
  for (const std::string* block : extra) out += *block;
  PutInt(out, 0, 4);  // the terminal block
  *bytes = std::move(out);
  return true;
}

}  // namespace lnkedit
