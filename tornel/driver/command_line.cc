#include "tornel/driver/command_line.h"

#include <cctype>

#include "platform/paths.h"
#include "tornel/base/run_context.h"

namespace tornel {

namespace {

bool SameWord(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return i == a.size() && !b[i];
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cmd;
  size_t i = 0;
  while (i + 1 < args.size()) {
    const std::string& word = args[i];
    const std::string& value = args[i + 1];
    if (SameWord(word, "-x")) {
      cmd.companion = true;
      i += 1;
      continue;
    }
    if (SameWord(word, "-p")) cmd.post = value;
    else if (SameWord(word, "-i")) cmd.apt = value;
    else if (SameWord(word, "-o")) cmd.out = value;
    else if (SameWord(word, "-op")) cmd.out_dir = value;
    else if (SameWord(word, "-oe")) cmd.out_ext = value;
    else if (SameWord(word, "-ed")) cmd.editor = value;
    else {
      cmd.invalid = word;
      break;
    }
    i += 2;
  }
  // A lone last word is never examined, but a final -x needs no value: left
  // out, a wire EDM run would cut both guides along one profile, silently.
  if (cmd.invalid.empty() && i + 1 == args.size() && SameWord(args[i], "-x")) cmd.companion = true;
  return cmd;
}

std::string NcPath(const CommandLine& cmd) {
  platform::PathParts apt = platform::SplitPath(cmd.apt.value_or(""));
  platform::PathParts out;
  if (cmd.out) out = platform::SplitPath(*cmd.out);

  std::string name = out.name, ext = out.ext;
  if (out.name.empty()) {
    name = apt.name;
    ext = cmd.out_ext.value_or(kDefaultNcExtension);
    if (!ext.empty() && ext[0] != '.') ext.insert(ext.begin(), '.');
  }

  std::string dir = out.drive + out.dir;
  if (dir.empty()) {
    dir = apt.drive + apt.dir;
    if (cmd.out_dir) {
      if (platform::IsAbsolutePath(*cmd.out_dir))
        dir = *cmd.out_dir;
      else
        dir += *cmd.out_dir;
    }
  }
  return platform::WithTrailingSeparator(dir) + name + ext;
}

PostNames PostFileNames(const std::string& post) {
  std::string_view ext = kPostFileExtension;
  bool has_ext = post.size() > ext.size();
  for (size_t i = 0; has_ext && i < ext.size(); ++i)
    has_ext = std::tolower(static_cast<unsigned char>(post[post.size() - ext.size() + i])) == ext[i];
  if (has_ext) return {post.substr(0, post.size() - ext.size()), post};
  return {post, post + kPostFileExtension};
}

std::string CompanionClPath(const std::string& apt_path) {
  platform::PathParts p = platform::SplitPath(apt_path);
  return p.drive + p.dir + p.name + "x" + p.ext;
}

std::string ValuesFilePath(const std::string& apt_path) {
  platform::PathParts p = platform::SplitPath(apt_path);
  return p.drive + p.dir + p.name + ".val";
}

}  // namespace tornel
