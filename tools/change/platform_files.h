// The file system and message boxes of a real run: the platform's.
#pragma once

#include "tools/change/change_run.h"

namespace change {

// Reads the file in binary mode (line ends are CHANGE's own work) and
// writes its new contents beside it as "<file>.change-<n>.tmp", a name no
// other file has, then renames that over the file.  A symbolic link is
// followed, so the file it names is replaced and the link kept.
class PlatformFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteSource> OpenToRead(const std::string& path) override;
  std::unique_ptr<NewFile> CreateBeside(const std::string& path) override;
};

class PlatformMessageBoxes : public MessageBoxes {
 public:
  void Show(const std::string& caption, const std::string& text, platform::Icon icon) override;
};

// The name of the k-th new file tried beside `path`.
std::string BesideName(const std::string& path, int k);

}  // namespace change
