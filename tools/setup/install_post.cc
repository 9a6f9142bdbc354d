#include "tools/setup/install_post.h"

#include <initializer_list>

#include "tools/setup/texts.h"

namespace setup {

using platform::Icon;

std::string MenuFile(const VersionList& list, const std::string& data_folder) {
  if (list.modern < list.entries.size()) return data_folder + "\\Config\\PostMenu.cfg";
  return data_folder + "\\SURFCAM.PST";
}

std::string QuotedFolder(const std::string& folder) {
  if (folder.find(' ') == std::string::npos || folder.find('"') != std::string::npos) return folder;
  return "\"" + folder + "\"";
}

std::string InstallCommand(const std::string& program, const std::string& data, bool nt35) {
  std::string command = "install " + QuotedFolder(program) + " " + QuotedFolder(data);
  if (nt35) command += " nt35";
  return command;
}

bool PathFits(const std::string& path, Host& host) {
  if (path.size() < kMaxPath) return true;
  host.Message(Fill(Text(host, kPathTooLong), path), Icon::kExclamation);
  return false;
}

namespace {

bool Detected(const VersionList& list, const Detection& d, const std::string& version) {
  for (size_t k = 0; k < list.entries.size() && k < d.folders.size(); ++k)
    if (list.entries[k].name == version && d.folders[k].found) return true;
  return false;
}

}  // namespace

InstallOutcome InstallPostprocessor(const VersionList& list, const Detection& detection,
                                    const InstallRequest& request, Host& host) {
  std::string program = WithoutTrailingBackslash(request.program);
  std::string data = WithoutTrailingBackslash(request.data);
  std::string menu = MenuFile(list, data);
  std::string renamed = menu + kRenamedSuffix;
  std::string predator = program + "\\Predator Software\\Editor 6.0" + "\\Peditor.exe";
  for (const std::string* p :
       std::initializer_list<const std::string*>{&request.package, &program, &data, &renamed, &predator})
    if (!PathFits(*p, host)) return InstallOutcome::kRefused;

  if (!Detected(list, detection, request.version) &&
      !host.AskYesNo(Fill(Text(host, kAskNoVersion), request.version), Icon::kExclamation, false))
    return InstallOutcome::kCancelled;

  if (!host.FolderExists(program)) {
    host.Message(Fill(Text(host, kNoProgramFolder), program), Icon::kExclamation);
    return InstallOutcome::kRefused;
  }
  if (!host.FolderExists(data)) {
    host.Message(Fill(Text(host, kNoDataFolder), data), Icon::kExclamation);
    return InstallOutcome::kRefused;
  }
  if (!host.FolderExists(ParentFolder(menu))) {
    host.Message(Fill(Text(host, kBadDataFolder), data), Icon::kExclamation);
    return InstallOutcome::kRefused;
  }

  // The menu file is deleted only once a complete copy is beside it, and
  // that copy stays until the new menu file is known to be there.  With
  // no menu file, a copy left by an interrupted run is the one to keep.
  bool aside = false;
  bool deleted = true;
  if (host.FileExists(menu)) {
    if (!host.CopyFile(menu, renamed)) {
      host.Message(Fill(Text(host, kMenuNotSaved), menu), Icon::kExclamation);
      return InstallOutcome::kRefused;
    }
    aside = true;
    host.RemoveFile(menu);
    deleted = !host.FileExists(menu);
  } else {
    aside = host.FileExists(renamed);
  }

  bool nt35 = false;
  if (request.predator) {
    if (host.FileExists(predator))
      nt35 = true;
    else
      host.Message(Fill(Text(host, kNoPredator), ParentFolder(predator)), Icon::kExclamation);
  }

  bool ran = deleted && host.RunCommand(InstallCommand(program, data, nt35), request.package);
  if (ran && host.FileExists(menu)) {
    host.Message(Fill(Text(host, kInstalled), request.version), Icon::kInformation);
    return InstallOutcome::kInstalled;
  }
  if (aside && !host.MoveOver(renamed, menu))
    host.Message(Fill(Text(host, kMenuNotRestored), renamed), Icon::kStop);
  host.Message(InstallFailedText(host), Icon::kExclamation);
  return InstallOutcome::kFailed;
}

}  // namespace setup
