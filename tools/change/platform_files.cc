#include "tools/change/platform_files.h"

#include <cerrno>
#include <cstdio>

#include "platform/file_mode.h"
#include "platform/files.h"
#include "platform/text_file.h"

namespace change {

namespace {

// Leftovers of runs that were stopped can hold the first names.
constexpr int kBesideAttempts = 100;

class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  ~FileSource() override { std::fclose(file_); }
  size_t Read(char* buffer, size_t size) override { return std::fread(buffer, 1, size, file_); }
  bool Failed() const override { return std::ferror(file_) != 0; }

 private:
  std::FILE* file_;
};

class BesideFile : public NewFile {
 public:
  BesideFile(std::FILE* file, std::string scratch, std::string target)
      : file_(file), scratch_(std::move(scratch)), target_(std::move(target)) {}
  ~BesideFile() override {
    if (file_) platform::CloseFile(file_);
    if (!done_) platform::RemoveFile(scratch_);
  }
  bool Write(std::string_view bytes) override { return platform::WriteBytes(file_, bytes); }
  bool Finish() override {
    std::FILE* file = file_;
    file_ = nullptr;
    if (!platform::CloseFile(file)) return false;
    // Permissions are kept where they can be; a file that cannot take them
    // still holds the right text.
    platform::CopyFileMode(target_, scratch_);
    done_ = platform::ReplaceFileWith(scratch_, target_);
    return done_;
  }

 private:
  std::FILE* file_;
  std::string scratch_, target_;
  bool done_ = false;
};

}  // namespace

std::string BesideName(const std::string& path, int k) {
  return path + ".change-" + std::to_string(k) + ".tmp";
}

std::unique_ptr<ByteSource> PlatformFileSystem::OpenToRead(const std::string& path) {
  if (!platform::IsRegularFile(path)) return nullptr;
  std::FILE* file = platform::OpenBinary(path, "r");
  if (!file) return nullptr;
  return std::make_unique<FileSource>(file);
}

std::unique_ptr<NewFile> PlatformFileSystem::CreateBeside(const std::string& path) {
  const std::string target = platform::LinkedFilePath(path);
  if (!platform::MayWriteFile(target)) return nullptr;
  for (int k = 1; k <= kBesideAttempts; ++k) {
    std::string scratch = BesideName(target, k);
    errno = 0;
    if (std::FILE* file = platform::CreateNewFile(scratch))
      return std::make_unique<BesideFile>(file, std::move(scratch), target);
    if (errno != EEXIST) break;
  }
  return nullptr;
}

void PlatformMessageBoxes::Show(const std::string& caption, const std::string& text,
                                platform::Icon icon) {
  platform::ShowMessage(caption, text, icon);
}

}  // namespace change
