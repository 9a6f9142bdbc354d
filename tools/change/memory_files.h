// An in-memory file system and message boxes for the tests and the fuzz
// target: files are strings, failures are switched on by hand.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tools/change/change_run.h"

namespace change {

struct StringSource : ByteSource {
  StringSource(std::string bytes, size_t fail_after = std::string::npos, size_t chunk = 7)
      : bytes(std::move(bytes)), fail_after(fail_after), chunk(chunk) {}
  // Hands the bytes out in small chunks, so that line ends fall across
  // reads; fails once `fail_after` bytes are read.
  size_t Read(char* buffer, size_t size) override {
    if (at >= fail_after) {
      failed = true;
      return 0;
    }
    size_t n = std::min({size, chunk, bytes.size() - at, fail_after - at});
    bytes.copy(buffer, n, at);
    at += n;
    return n;
  }
  bool Failed() const override { return failed; }
  std::string bytes;
  size_t fail_after, chunk, at = 0;
  bool failed = false;
};

struct MemoryFileSystem : FileSystem {
  std::map<std::string, std::string> files;
  size_t fail_read_after = std::string::npos;  // bytes read before a read fails
  bool refuse_create = false;
  size_t fail_write_after = std::string::npos;  // bytes written before a write fails
  bool fail_finish = false;
  int open_new_files = 0;  // new files made and not yet dropped or finished

  struct Written : NewFile {
    Written(MemoryFileSystem& fs, std::string path) : fs(fs), path(std::move(path)) {
      ++fs.open_new_files;
    }
    ~Written() override {
      if (!finished) --fs.open_new_files;
    }
    bool Write(std::string_view bytes) override {
      if (text.size() + bytes.size() > fs.fail_write_after) return false;
      text += bytes;
      return true;
    }
    bool Finish() override {
      if (fs.fail_finish) return false;
      fs.files[path] = text;
      finished = true;
      --fs.open_new_files;
      return true;
    }
    MemoryFileSystem& fs;
    std::string path, text;
    bool finished = false;
  };

  std::unique_ptr<ByteSource> OpenToRead(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return nullptr;
    return std::make_unique<StringSource>(it->second, fail_read_after);
  }
  std::unique_ptr<NewFile> CreateBeside(const std::string& path) override {
    if (refuse_create) return nullptr;
    return std::make_unique<Written>(*this, path);
  }
};

struct ShownBox {
  std::string caption, text;
  platform::Icon icon;
};

struct RecordedBoxes : MessageBoxes {
  void Show(const std::string& caption, const std::string& text, platform::Icon icon) override {
    shown.push_back({caption, text, icon});
  }
  std::vector<ShownBox> shown;
};

}  // namespace change
