// Splitting a list file into one file per post.  A list file holds many
// posts one after another, each beginning with a line "NAME <name>"; every
// post goes, NAME line and all, into a split file called after its name
// with the list file's name as extension ("Mill 3X" in "m3" gives
// "Mill 3X.m3").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/menugen/lines.h"

namespace menugen {

inline constexpr std::string_view kNameWord = "NAME ";

// The upper-case copy of the line begins with "NAME ".
bool IsNameLine(std::string_view line);

// The name a NAME line gives its post, made fit for a file name: the rest
// of the line after "NAME " without its line end; each of \ / : * ? " < > |
// becomes "-"; white space is trimmed from both ends, then trailing dots
// are removed one at a time, trimming again after each; control
// characters left inside become "-" (no file name can hold them); a name
// that Windows takes for a device (CON, NUL, COM1 ... before the first dot)
// gets a "-" after that part ("con" becomes "con-").  Empty when nothing is
// left: such a line starts no post.
std::string PostNameOf(std::string_view name_line);

// Where the posts of a list file go.
struct SplitSink {
  virtual ~SplitSink() = default;
  // A post begins: the lines that follow belong to its split file.
  virtual void StartPost(const std::string& file_name) = 0;
  virtual void Line(std::string_view line) = 0;
  // The post that began last is complete.
  virtual void EndPost() = 0;
};

// Reads the list file `list_name` and hands each post to `sink`, adding its
// split file name to `files` (post 1 first).  Lines before the first usable
// NAME line belong to no post.  A NAME line whose name is empty starts no
// post; it and the lines after it stay with the post before.  Two posts of
// one name (letter case aside, as Windows sees file names) are both kept:
// the second is called "<name> (2).<list>", a third "<name> (3).<list>" and
// so on, so no post overwrites another.  There is no limit on the number of
// posts or the length of lines.
void SplitList(LineSource& list, std::string_view list_name, std::vector<std::string>& files,
               SplitSink& sink);

// The posts of a list in memory, for tests and the fuzz target.
struct SplitTexts : SplitSink {
  struct File {
    std::string name;
    std::string text;
    bool complete = false;
  };
  void StartPost(const std::string& file_name) override { files.push_back({file_name, {}}); }
  void Line(std::string_view line) override { files.back().text += line; }
  void EndPost() override { files.back().complete = true; }
  std::vector<File> files;
};

}  // namespace menugen
