// One run of lnkedit over the services of its host: the message boxes,
// paths, and the store the shortcuts are kept in (the system's shell-link
// object, or the shortcut file format read and written here).
#pragma once

#include <string>
#include <vector>

#include "tools/lnkedit/link_record.h"
#include "tools/lnkedit/messages.h"

namespace lnkedit {

// How a call of the store went: code 0 for success, else the system's code
// (an HRESULT is negative, an errno or Win32 error positive) and, where the
// code alone does not say it, why (a text of messages.def).
struct StoreResult {
  long code = 0;
  std::string why;
  bool ok() const { return code == 0; }
};

class LinkHost {
 public:
  virtual ~LinkHost() = default;

  // A message box titled "Notification" with the information icon.
  virtual void Show(const std::string& text) = 0;
  virtual bool FullPath(const std::string& path, std::string* full, long* error) = 0;
  virtual bool Exists(const std::string& path) = 0;

  // Prepares the store (COM and the shell-link object); on failure sets
  // `message` to what failed.
  virtual StoreResult Start(Message* message) = 0;
  // Reads every field of the shortcut `link`.
  virtual StoreResult Load(const std::string& link, LinkRecord* record) = 0;
  // Looks for the target of a broken shortcut; updates record->target
  // unless `keep_target`.
  virtual StoreResult Resolve(LinkRecord* record, bool keep_target) = 0;
  // Writes `record` as the shortcut `link`, replacing one that is there.
  virtual StoreResult Save(const std::string& link, const LinkRecord& record) = 0;
};

// Runs the command line `args` (the program name first); gives the exit code.
int RunLnkedit(const std::vector<std::string>& args, LinkHost& host);

}  // namespace lnkedit
