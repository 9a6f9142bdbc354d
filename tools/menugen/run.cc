#include "tools/menugen/run.h"

#include <algorithm>
#include <cerrno>

#include "platform/directories.h"
#include "platform/files.h"
#include "platform/stop_requests.h"
#include "tornel/base/file_open.h"
#include "tools/menugen/file_lines.h"
#include "tools/menugen/list_split.h"
#include "tools/menugen/menu_rebuild.h"
#include "tools/menugen/menugen_paths.h"

namespace menugen {

namespace {

// A complete file of ours waiting to be renamed into the place of `target`.
struct WorkFile {
  std::string work;
  std::string target;
};

struct RunFiles {
  std::vector<WorkFile> written;  // split files, then the menu file
  FilePtr open_split;             // the split file being written
  std::string open_split_work;    // and its name
};

// Each post into a work file beside its split file in "MPost".
class SplitFiles : public SplitSink {
 public:
  SplitFiles(tornel::Diagnostics& diag, const std::string& dir, RunFiles& files)
      : diag_(diag), dir_(dir), files_(files) {}

  void StartPost(const std::string& file_name) override {
    target_ = JoinPath(dir_, file_name);
    files_.open_split.reset(tornel::CreateBeside(diag_, target_, files_.open_split_work));
  }
  void Line(std::string_view line) override {
    if (!platform::WriteText(files_.open_split.get(), line))
      tornel::FatalWriteError(diag_, target_, errno);
  }
  void EndPost() override {
    CloseChecked(diag_, files_.open_split, target_);
    files_.written.push_back({std::move(files_.open_split_work), target_});
    files_.open_split_work.clear();
  }

 private:
  tornel::Diagnostics& diag_;
  const std::string& dir_;
  RunFiles& files_;
  std::string target_;
};

[[noreturn]] void AccessDenied(tornel::Diagnostics& diag, const std::string& path) {
  tornel::FatalPlain(diag, tornel::LangFormat(diag, tornel::kMsgAccessDenied, {path}));
}

void SplitListFiles(tornel::Diagnostics& diag, const MenugenPaths& paths, PostTables& posts,
                    RunFiles& files) {
  SplitFiles sink(diag, paths.split_dir, files);
  for (int k = 0; k < kKindCount; ++k) {
    std::string path = JoinPath(paths.base, kMachineKinds[k].list_file);
    if (!platform::FileExists(path)) continue;  // a kind the package has no posts of
    FilePtr file = OpenForReading(diag, path);
    FileSource list(diag, file.get(), path);
    SplitList(list, kMachineKinds[k].list_file, posts.files[static_cast<size_t>(k)], sink);
  }
}

// Renames every work file into its place, the menu last, once none of the
// places is marked read-only.
void Deliver(tornel::Diagnostics& diag, RunFiles& files) {
  for (const WorkFile& f : files.written)
    if (platform::IsReadOnlyFile(f.target)) AccessDenied(diag, f.target);
  for (size_t i = 0; i < files.written.size(); ++i) {
    const WorkFile& f = files.written[i];
    if (!platform::ReplaceFileWith(f.work, f.target)) {
      int err = errno;
      std::string target = f.target;
      files.written.erase(files.written.begin(), files.written.begin() + static_cast<long>(i));
      tornel::FatalWriteError(diag, target, err);
    }
  }
  files.written.clear();
}

void Run(tornel::Diagnostics& diag, const MenugenPaths& paths, RunFiles& files) {
  platform::MakeFolder(paths.split_dir);  // there already, or a failure that shows when a split file is made

  FilePtr post_list_file = OpenForReading(diag, paths.post_list);
  FilePtr menu_file = OpenForReading(diag, paths.menu);
  if (platform::IsReadOnlyFile(paths.menu)) AccessDenied(diag, paths.menu);
  std::string menu_work;
  FilePtr out(tornel::CreateBeside(diag, paths.menu, menu_work));
  files.written.push_back({menu_work, paths.menu});  // removed again on failure

  PostTables posts;
  SplitListFiles(diag, paths, posts, files);

  FileSource menu(diag, menu_file.get(), paths.menu);
  FileSource post_list(diag, post_list_file.get(), paths.post_list);
  FileSink sink(diag, out.get(), paths.menu);
  RebuildMenu(menu, post_list, posts, sink);
  CloseChecked(diag, out, paths.menu);

  // The menu goes last: it never names a split file that is not there yet.
  std::rotate(files.written.begin(), files.written.begin() + 1, files.written.end());
  menu_file.reset();
  post_list_file.reset();
  Deliver(diag, files);
}

}  // namespace

int RunMenugen(const std::vector<std::string>& args) {
  tornel::Diagnostics diag;
  diag.title = kProgramTitle;
  MenugenPaths paths = PathsFromArguments(args);
  RunFiles files;
  int status = 0;
  platform::ArmStopRequests();
  try {
    Run(diag, paths, files);
  } catch (const tornel::RunEnded& ended) {
    status = ended.status;
  }
  files.open_split.reset();
  if (!files.open_split_work.empty()) platform::RemoveFile(files.open_split_work);
  for (const WorkFile& f : files.written) platform::RemoveFile(f.work);
  platform::RemoveFolder(paths.split_dir);
  platform::DisarmStopRequests();
  return status;
}

}  // namespace menugen
