#include "platform/disk_limit.h"

#include <cerrno>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"

namespace platform {

namespace {

struct Disk {
  std::string dir;  // absolute, with a trailing separator
  long long left;
  DiskFullShows shows;
};

struct OpenOnDisk {
  std::FILE* file;
  size_t disk;
  bool lost_bytes;
};

// The seam's own state: set only by tests, read by every write of this
// layer, so it is a file-level table like the standard streams.
struct Limits {
  std::vector<Disk> disks;
  std::vector<OpenOnDisk> open;
};

Limits& State() {
  static Limits limits;
  return limits;
}

OpenOnDisk* Find(std::FILE* file) {
  for (OpenOnDisk& o : State().open)
    if (o.file == file) return &o;
  return nullptr;
}

bool Under(const std::string& path, const std::string& dir) {
  return path.size() > dir.size() && SamePathText(std::string_view(path).substr(0, dir.size()), dir);
}

}  // namespace

void LimitDisk(const std::string& dir, long long capacity, DiskFullShows shows) {
  std::string full = dir.empty() || dir == "." ? CurrentDirectory() : AbsolutePath(dir);
  State().disks.push_back({WithTrailingSeparator(full), capacity, shows});
}

void ClearDiskLimits() { State() = Limits{}; }

void NoteOpenedForWriting(std::FILE* file, const std::string& path) {
  Limits& s = State();
  if (s.disks.empty() || !file) return;
  // A pointer closed behind the seam's back may come back for a new file.
  NoteClosed(file);
  std::string full = AbsolutePath(path);
  for (size_t d = 0; d < s.disks.size(); ++d)
    if (Under(full, s.disks[d].dir)) {
      s.open.push_back({file, d, false});
      return;
    }
}

void NoteClosed(std::FILE* file) {
  std::vector<OpenOnDisk>& open = State().open;
  for (size_t i = 0; i < open.size(); ++i)
    if (open[i].file == file) {
      open.erase(open.begin() + static_cast<long>(i));
      return;
    }
}

bool LimitedWrite(std::FILE* file, std::string_view bytes) {
  OpenOnDisk* o = State().open.empty() ? nullptr : Find(file);
  if (!o) return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  Disk& disk = State().disks[o->disk];
  size_t fits = disk.left <= 0 ? 0
                : static_cast<unsigned long long>(disk.left) < bytes.size()
                    ? static_cast<size_t>(disk.left)
                    : bytes.size();
  if (fits > 0 && std::fwrite(bytes.data(), 1, fits, file) != fits) return false;
  disk.left -= static_cast<long long>(fits);
  if (fits == bytes.size()) return true;
  if (disk.shows == DiskFullShows::kAtClose) {
    o->lost_bytes = true;
    return true;
  }
  errno = ENOSPC;
  return false;
}

bool LimitAllowsClose(std::FILE* file) {
  OpenOnDisk* o = State().open.empty() ? nullptr : Find(file);
  if (!o || !o->lost_bytes) return true;
  errno = ENOSPC;
  return false;
}

}  // namespace platform
