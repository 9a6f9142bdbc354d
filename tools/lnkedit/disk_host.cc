#include "tools/lnkedit/disk_host.h"

#include <cerrno>
#include <cstdio>

#include "platform/files.h"
#include "platform/full_path.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace lnkedit {

const char* LnkErrorText(LnkError error) {
  switch (error) {
    case LnkError::kNone: return "";
    case LnkError::kEmpty: return Text(Message::kEmptyFile);
    case LnkError::kNotShortcut: return Text(Message::kNotShortcut);
    case LnkError::kTruncated: return Text(Message::kTruncated);
    case LnkError::kDamaged: return Text(Message::kDamaged);
  }
  return "";
}

namespace {

long ErrnoCode() { return errno != 0 ? errno : EIO; }

}  // namespace

StoreResult ReadLnkFile(const std::string& path, LnkFile* file) {
  if (!platform::IsRegularFile(path)) return {platform::FileExists(path) ? EISDIR : ENOENT, ""};
  std::FILE* in = platform::OpenBinary(path, "r");
  if (!in) return {ErrnoCode(), ""};
  std::string bytes;
  char block[8192];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, in)) > 0) bytes.append(block, n);
  const bool failed = std::ferror(in) != 0;
  const long code = failed ? ErrnoCode() : 0;
  std::fclose(in);
  if (failed) return {code, ""};
  const LnkError error = DecodeLnk(bytes, file);
  if (error != LnkError::kNone) return {kBadFormat, LnkErrorText(error)};
  return {};
}

StoreResult WriteLnkFile(const std::string& path, const LnkFile& file) {
  std::string bytes;
  if (!EncodeLnk(file, &bytes)) return {kBadFormat, Text(Message::kFieldTooLong)};
  // A name beside the link file that no user file has.
  std::string temp;
  std::FILE* out = nullptr;
  for (int n = 1; n < 1000 && !out; ++n) {
    temp = path + ".lnkedit-" + std::to_string(n) + ".tmp";
    out = platform::CreateNewFile(temp);
    if (!out && errno != EEXIST) break;
  }
  if (!out) return {ErrnoCode(), ""};
  bool written = platform::WriteBytes(out, bytes);
  long code = written ? 0 : ErrnoCode();
  if (!platform::CloseFile(out) && written) {
    written = false;
    code = ErrnoCode();
  }
  if (written && !platform::ReplaceFileWith(temp, path)) {
    written = false;
    code = ErrnoCode();
  }
  if (!written) {
    platform::RemoveFile(temp);
    return {code, ""};
  }
  return {};
}

void DiskHost::Show(const std::string& text) {
  platform::ShowReport(Text(Message::kCaption), text, platform::Icon::kInformation);
}

bool DiskHost::FullPath(const std::string& path, std::string* full, long* error) {
  // A Windows path with a drive letter stays as written; others are made
  // absolute against the current directory, "." and ".." taken out.
  if (platform::HasDriveLetter(path)) {
    *full = path;
    return true;
  }
  std::string absolute;
  if (!platform::FullPathName(path, &absolute, error)) return false;
  *full = platform::ResolvedPathText(absolute);
  return true;
}

bool DiskHost::Exists(const std::string& path) { return platform::FileExists(path); }

StoreResult DiskHost::Start(Message*) { return {}; }

StoreResult DiskHost::Load(const std::string& link, LinkRecord* record) {
  StoreResult result = ReadLnkFile(link, &loaded_);
  if (result.ok()) *record = loaded_.record;
  return result;
}

StoreResult DiskHost::Resolve(LinkRecord* record, bool) {
  if (!platform::FileExists(record->target)) return {ENOENT, ""};
  return {};
}

StoreResult DiskHost::Save(const std::string& link, const LinkRecord& record) {
  LnkFile file = loaded_;
  file.record = record;
  return WriteLnkFile(link, file);
}

}  // namespace lnkedit
