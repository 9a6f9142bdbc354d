#include "tools/setup/extras.h"

#include "tools/setup/detection.h"
#include "tools/setup/install_post.h"
#include "tools/setup/texts.h"

namespace setup {

using platform::Icon;

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  std::string ext = pattern.substr(1);  // ".EXT"
  if (name.size() <= ext.size()) return false;
  for (size_t k = 0; k < ext.size(); ++k) {
    char a = name[name.size() - ext.size() + k], b = ext[k];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

std::string ToolLibraryFolder(const std::string& data) {
  if (data.find('\\') == std::string::npos) return "C:\\Users\\Public\\Surfcam\\ToolLibrary";
  return ParentFolder(data) + "\\ToolLibrary";
}

namespace {

// One extra's copies: `ok` stays true while every copy made holds, and
// `files` counts the files that belong to it.
struct Copies {
  Host& host;
  bool ok = true;
  int files = 0;

  void One(const std::string& from, const std::string& to, bool over = true) {
    ++files;
    if (!PathFits(from, host) || !PathFits(to, host)) {
      ok = false;
      return;
    }
    if (!over && host.FileExists(to)) return;
    if (!host.CopyFile(from, to)) ok = false;
  }
  // A file that may be missing from the source.
  void IfThere(const std::string& from, const std::string& to) {
    if (host.FileExists(from)) One(from, to);
  }
  void Matching(const std::string& from, const std::string& pattern, const std::string& to,
                bool over) {
    for (const std::string& name : host.ListFiles(from))
      if (MatchesPattern(name, pattern)) One(from + "\\" + name, to + "\\" + name, over);
  }
  bool Done() const { return ok && files > 0; }
};

bool HasMatching(Host& host, const std::string& folder, const std::string& pattern) {
  for (const std::string& name : host.ListFiles(folder))
    if (MatchesPattern(name, pattern)) return true;
  return false;
}

std::string TemplateBase(const VersionList& list, const std::string& data) {
  return list.modern < list.entries.size() ? data : ParentFolder(data);
}

void MakeFolders(Host& host, std::initializer_list<std::string> folders) {
  for (const std::string& f : folders)
    if (!host.FolderExists(f)) host.MakeFolder(f);
}

// The report's texts: the heading, a line per extra that succeeded, a
// box per extra that failed, and the box for nothing selected.
struct ReportTexts {
  TextId done;
  TextId lines[3];
  TextId failed[3];
  TextId nothing;
};

constexpr ReportTexts kInstallReport{
    kInstallDone,
    {kTemplatesInstalled, kToolsInstalled, kDncInstalled},
    {kTemplatesInstallFailed, kToolsInstallFailed, kDncInstallFailed},
    kNothingToInstall};
constexpr ReportTexts kSaveReport{
    kSaveDone,
    {kTemplatesSaved, kToolsSaved, kDncSaved},
    {kTemplatesSaveFailed, kToolsSaveFailed, kDncSaveFailed},
    kNothingToSave};

void Report(const ExtrasRequest& r, const ExtrasResult& result, const ReportTexts& t, Host& host) {
  bool selected[3] = {r.templates, r.tools, r.dnc};
  bool succeeded[3] = {result.templates, result.tools, result.dnc};
  if (!selected[0] && !selected[1] && !selected[2]) {
    host.Message(Text(host, t.nothing), Icon::kInformation);
    return;
  }
  std::string done = Text(host, t.done);
  bool any = false;
  for (int k = 0; k < 3; ++k)
    if (succeeded[k]) {
      done += Text(host, t.lines[k]);
      any = true;
    }
  if (any) host.Message(done, Icon::kInformation);
  for (int k = 0; k < 3; ++k)
    if (selected[k] && !succeeded[k]) host.Message(Text(host, t.failed[k]), Icon::kExclamation);
}

bool Fits(const ExtrasRequest& r, Host& host) {
  return PathFits(r.package, host) && PathFits(r.data, host);
}

}  // namespace

ExtrasResult InstallExtras(const VersionList& list, const ExtrasRequest& r0, Host& host) {
  ExtrasRequest r = r0;
  r.data = WithoutTrailingBackslash(r.data);
  ExtrasResult result;
  const std::string pkg = r.package;
  if (!Fits(r, host)) {
    Report(r, result, kInstallReport, host);
    return result;
  }
  if (r.templates) {
    std::string base = TemplateBase(list, r.data);
    Copies c{host};
    c.Matching(pkg + "\\Template", "*.SCTPL", base + "\\Template", true);
    c.IfThere(pkg + "\\Template\\Templates.XML", base + "\\Template\\Templates.XML");
    c.Matching(pkg + "\\Template\\Hole Processes", "*.SCHPT", base + "\\Hole Processes", false);
    result.templates = c.Done();
  }
  if (r.tools) {
    const std::string tool = pkg + "\\Tool";
    Copies c{host};
    if (r.version < list.modern) {
      host.RunCommand("\\pkzip25 -ext -over=never tool.zip tool", pkg);
      c.Matching(tool, "*.mdb", r.data, true);
    } else if (r.version < list.sql) {
      c.One(tool + "\\SurfcamLibrary.FDB", r.data + "\\Config\\SurfcamLibrary.FDB");
    } else {
      std::string library = ToolLibraryFolder(r.data);
      c.Matching(tool, "*.mdf", library, true);
      c.Matching(tool, "*.ldf", library, true);
    }
    bool library_ok = c.Done();
    c.Matching(tool + "\\ToolCustm", "*.SCCTL", r.data + "\\ToolCustm", false);
    result.tools = library_ok && c.ok;
    if (HasMatching(host, tool, "*.mdb")) host.RemoveFile(pkg + "\\tool.zip");
  }
  if (r.dnc) {
    const std::string dnc = pkg + "\\DNC";
    Copies c{host};
    c.One(dnc + "\\sdnc.sdnccfg", r.data + "\\sdnc\\sdnc.sdnccfg");
    if (std::optional<std::string> app = host.Environment("AppData")) {
      std::string edit = WithoutTrailingBackslash(*app) + "\\editNC";
      if (host.FolderExists(edit)) c.One(dnc + "\\editNCdnc.ini", edit + "\\editNCdnc.ini");
    }
    bool reg = host.FileExists(dnc + "\\EditNCx.reg");
    if (reg) host.RunCommand("regedit.exe /s DNC\\EditNCx.reg", pkg);
    result.dnc = c.Done() && reg;
  }
  Report(r, result, kInstallReport, host);
  return result;
}

ExtrasResult SaveExtras(const VersionList& list, const ExtrasRequest& r0, Host& host) {
  ExtrasRequest r = r0;
  r.data = WithoutTrailingBackslash(r.data);
  ExtrasResult result;
  const std::string pkg = r.package;
  if (!Fits(r, host)) {
    Report(r, result, kSaveReport, host);
    return result;
  }
  if (r.templates) {
    std::string base = TemplateBase(list, r.data);
    const std::string t = pkg + "\\Template", h = t + "\\Hole Processes";
    MakeFolders(host, {t, h});
    Copies c{host};
    c.Matching(base + "\\Template", "*.SCTPL", t, true);
    c.IfThere(base + "\\Template\\Templates.XML", t + "\\Templates.XML");
    c.Matching(base + "\\Hole Processes", "*.SCHPT", h, true);
    result.templates = c.Done();
  }
  if (r.tools) {
    // The tool files go where installing them takes them from.
    const std::string tool = pkg + "\\Tool", custom = tool + "\\ToolCustm";
    MakeFolders(host, {tool, custom});
    Copies c{host};
    if (r.version < list.modern) {
      c.Matching(r.data, "*.mdb", tool, true);
    } else if (r.version < list.sql) {
      c.One(r.data + "\\Config\\SurfcamLibrary.FDB", tool + "\\SurfcamLibrary.FDB");
    } else {
      std::string library = ToolLibraryFolder(r.data);
      c.Matching(library, "*.mdf", tool, true);
      c.Matching(library, "*.ldf", tool, true);
    }
    bool library_ok = c.Done();
    c.Matching(r.data + "\\ToolCustm", "*.SCCTL", custom, true);
    result.tools = library_ok && c.ok;
  }
  if (r.dnc) {
    const std::string dnc = pkg + "\\DNC";
    MakeFolders(host, {dnc});
    Copies c{host};
    host.RunCommand("regedit.exe /e DNC\\EditNCx.reg HKEY_CURRENT_USER\\Software\\EditNCx", pkg);
    bool reg = host.FileExists(dnc + "\\EditNCx.reg");
    c.One(r.data + "\\sdnc\\sdnc.sdnccfg", dnc + "\\sdnc.sdnccfg");
    if (std::optional<std::string> app = host.Environment("AppData")) {
      std::string edit = WithoutTrailingBackslash(*app) + "\\editNC";
      c.IfThere(edit + "\\editNCdnc.ini", dnc + "\\editNCdnc.ini");
    }
    result.dnc = c.Done() && reg;
  }
  Report(r, result, kSaveReport, host);
  return result;
}

}  // namespace setup
