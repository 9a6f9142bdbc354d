// lnkedit's host where the system has no shell-link object: shortcut files
// are read and written here in their own format (lnk_format.h).  A file
// that is written anew goes beside the old one under a name of its own and
// is then renamed over it, so that a failed write never leaves half a
// shortcut.
#pragma once

#include <string>

#include "tools/lnkedit/lnk_format.h"
#include "tools/lnkedit/run.h"

namespace lnkedit {

// The code of a file that is not a shortcut or is damaged, as Windows
// gives it (HRESULT_FROM_WIN32(ERROR_BAD_FORMAT)).
inline constexpr long kBadFormat = static_cast<long>(static_cast<int>(0x8007000B));

// The text of a reading fault.
const char* LnkErrorText(LnkError error);

// Reads a shortcut file whole and decodes it.
StoreResult ReadLnkFile(const std::string& path, LnkFile* file);
// Encodes `file` and puts it in the place of `path`.
StoreResult WriteLnkFile(const std::string& path, const LnkFile& file);

class DiskHost : public LinkHost {
 public:
  void Show(const std::string& text) override;
  bool FullPath(const std::string& path, std::string* full, long* error) override;
  bool Exists(const std::string& path) override;
  StoreResult Start(Message* message) override;
  StoreResult Load(const std::string& link, LinkRecord* record) override;
  // Without a shell to search for a moved target, a shortcut resolves when
  // its target is there.
  StoreResult Resolve(LinkRecord* record, bool keep_target) override;
  StoreResult Save(const std::string& link, const LinkRecord& record) override;

 private:
  LnkFile loaded_;  // what was read, kept for writing the file again
};

}  // namespace lnkedit
