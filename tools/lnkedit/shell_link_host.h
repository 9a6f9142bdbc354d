// lnkedit's host on Windows: shortcuts through the system's shell-link
// object, which keeps everything of a loaded shortcut that lnkedit does
// not change.  IPersistFile::Save writes the file itself.
#pragma once

#include "platform/shell_link.h"
#include "tools/lnkedit/run.h"

namespace lnkedit {

class ShellLinkHost : public LinkHost {
 public:
  void Show(const std::string& text) override;
  bool FullPath(const std::string& path, std::string* full, long* error) override;
  bool Exists(const std::string& path) override;
  StoreResult Start(Message* message) override;
  StoreResult Load(const std::string& link, LinkRecord* record) override;
  // Resolves the link as the object holds it with the record's fields, so
  // that a new shortcut can be resolved too.
  StoreResult Resolve(LinkRecord* record, bool keep_target) override;
  StoreResult Save(const std::string& link, const LinkRecord& record) override;

 private:
  platform::ShellLinkObject object_;
  bool loaded_ = false;
  platform::ShellLinkFields loaded_fields_;  // as Load read them
};

}  // namespace lnkedit
