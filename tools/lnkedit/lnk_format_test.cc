#include "tools/lnkedit/lnk_format.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace lnkedit {
namespace {

// Shortcut files the Windows build wrote under Wine and the Linux build wrote.
std::string Fixture(const std::string& name) {
  std::ifstream in(TORNEL_SOURCE_DIR "/tests/tools/lnkedit/data/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

uint32_t U32At(const std::string& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);  // the tests run on little-endian hosts
  return v;
}
uint16_t U16At(const std::string& b, size_t at) {
  uint16_t v;
  std::memcpy(&v, b.data() + at, 2);
  return v;
}
void PutU32(std::string& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

constexpr size_t kFlagsAt = 20;
size_t LinkInfoAt(const std::string& b) {
  return (U32At(b, kFlagsAt) & 1) ? 0x4C + 2 + U16At(b, 0x4C) : 0x4C;
}

// The file without its LinkInfo: the target must come from the ID list.
std::string WithoutLinkInfo(std::string b) {
  const size_t at = LinkInfoAt(b);
  b.erase(at, U32At(b, at));
  PutU32(b, kFlagsAt, U32At(b, kFlagsAt) & ~2u);
  return b;
}

// The file without its ID list.
std::string WithoutIdList(std::string b) {
  b.erase(0x4C, 2 + U16At(b, 0x4C));
  PutU32(b, kFlagsAt, U32At(b, kFlagsAt) & ~1u);
  return b;
}

LinkRecord Decoded(const std::string& bytes) {
  LnkFile file;
  EXPECT_EQ(DecodeLnk(bytes, &file), LnkError::kNone);
  return file.record;
}

std::string Encoded(const LinkRecord& record) {
  LnkFile file;
  file.record = record;
  std::string bytes;
  EXPECT_TRUE(EncodeLnk(file, &bytes));
  return bytes;
}

void ExpectSame(const LinkRecord& a, const LinkRecord& b) {
  EXPECT_EQ(a.target, b.target);
  EXPECT_EQ(a.arguments, b.arguments);
  EXPECT_EQ(a.description, b.description);
  EXPECT_EQ(a.working_dir, b.working_dir);
  EXPECT_EQ(a.hotkey, b.hotkey);
  EXPECT_EQ(a.icon_file, b.icon_file);
  EXPECT_EQ(a.icon_index, b.icon_index);
  EXPECT_EQ(a.show_command, b.show_command);
}

LinkRecord Notepad() {
  LinkRecord r;
  r.target = "C:\\windows\\notepad.exe";
  r.arguments = "/p readme.txt";
  r.description = "Edit the read-me";
  r.working_dir = "C:\\windows\\temp";
  r.hotkey = 0x654;
  r.icon_file = "C:\\windows\\system32\\shell32.dll";
  r.icon_index = 3;
  r.show_command = kShowMinimized;
  return r;
}

TEST(LnkFormat, ReadsWhatWineWrote) {
  // Wine writes an ID list and LinkInfo, and counts a NUL into its strings.
  ExpectSame(Decoded(Fixture("wine_notepad.lnk")), Notepad());
  LinkRecord missing = Decoded(Fixture("wine_missing_target.lnk"));
  EXPECT_EQ(missing.target, "C:\\Programs\\Tornel\\tornel.exe");
  EXPECT_EQ(missing.arguments, "-p iso_mill");
  EXPECT_EQ(missing.description, "Tornel");
  EXPECT_EQ(missing.working_dir, "");
  EXPECT_EQ(Decoded(Fixture("wine_folder.lnk")).target, "C:\\windows\\system32");
}

TEST(LnkFormat, TargetFromIdListOrLinkInfoAlone) {
  for (const char* name : {"wine_notepad.lnk", "wine_missing_target.lnk", "linux_notepad.lnk"}) {
    SCOPED_TRACE(name);
    const std::string bytes = Fixture(name);
    const std::string target = Decoded(bytes).target;
    ASSERT_FALSE(target.empty());
    EXPECT_EQ(Decoded(WithoutLinkInfo(bytes)).target, target);
    EXPECT_EQ(Decoded(WithoutIdList(bytes)).target, target);
    // Neither: nothing names the target, and nothing is made up.
    EXPECT_EQ(Decoded(WithoutIdList(WithoutLinkInfo(bytes))).target, "");
  }
}

TEST(LnkFormat, WritesWhatReadsBack) {
  ExpectSame(Decoded(Encoded(Notepad())), Notepad());
  ExpectSame(Decoded(Fixture("linux_notepad.lnk")), Notepad());
  // A path without a drive letter goes into LinkInfo only.
  LinkRecord posix;
  posix.target = "/usr/bin/tornel";
  posix.icon_index = -2;
  posix.show_command = kShowMaximized;
  const std::string bytes = Encoded(posix);
  EXPECT_EQ(U32At(bytes, kFlagsAt) & 3u, 2u);
  ExpectSame(Decoded(bytes), posix);
}

TEST(LnkFormat, UnicodeTextsAndPaths) {
  LinkRecord r;
  r.target = "C:\\Työ\\€uro\\日本.exe";  // no Windows-1252 byte for the last name
  r.description = "Käyttäjän 𝄞 ohjelma";
  r.arguments = "-x ä";
  const std::string bytes = Encoded(r);
  EXPECT_NE(U32At(bytes, kFlagsAt) & 0x80u, 0u);  // IsUnicode
  ExpectSame(Decoded(bytes), r);
  // Each way to the target keeps the characters: LinkInfo's Unicode path and
  // the ID list's Unicode file entry.
  EXPECT_EQ(Decoded(WithoutIdList(bytes)).target, r.target);
  EXPECT_EQ(Decoded(WithoutLinkInfo(bytes)).target, r.target);
}

TEST(LnkFormat, AnsiStringsAreWindows1252) {
  std::string bytes = Encoded(LinkRecord{});
  // A file without IsUnicode and one description "Ty\xf6 \x80".
  PutU32(bytes, kFlagsAt, 0x4);
  bytes.resize(0x4C);
  bytes += std::string("\x06\x00", 2) + "Ty\xf6 \x80!" + std::string(4, '\0');
  EXPECT_EQ(Decoded(bytes).description, "Työ €!");
}

TEST(LnkFormat, TargetFromEnvironmentBlock) {
  std::string bytes = Encoded(LinkRecord{});
  bytes.resize(bytes.size() - 4);  // the terminal block goes after ours
  std::string block(0x314, '\0');
  PutU32(block, 0, 0x314);
  PutU32(block, 4, 0xA0000001);
  std::memcpy(block.data() + 8, "%windir%\\x.exe", 14);
  bytes += block + std::string(4, '\0');
  PutU32(bytes, kFlagsAt, U32At(bytes, kFlagsAt) | 0x200);
  EXPECT_EQ(Decoded(bytes).target, "%windir%\\x.exe");
  // The Unicode target wins over the ANSI one.
  const char16_t wide[] = u"%ProgramFiles%\\y.exe";
  std::memcpy(bytes.data() + bytes.size() - 4 - 0x314 + 8 + 260, wide, sizeof wide);
  EXPECT_EQ(Decoded(bytes).target, "%ProgramFiles%\\y.exe");
}

TEST(LnkFormat, RefusesWhatIsNoShortcut) {
  LnkFile file;
  EXPECT_EQ(DecodeLnk("", &file), LnkError::kEmpty);
  EXPECT_EQ(DecodeLnk("[InternetShortcut]\r\nURL=x\r\n", &file), LnkError::kNotShortcut);
  std::string other_class = Fixture("wine_notepad.lnk");
  other_class[8] = '\x7f';
  EXPECT_EQ(DecodeLnk(other_class, &file), LnkError::kNotShortcut);
  EXPECT_EQ(DecodeLnk(std::string("L\0\0\0", 4), &file), LnkError::kTruncated);
}

TEST(LnkFormat, EveryCutFileIsRefusedOrReadWhole) {
  // A file cut anywhere never gives a record other than the whole file's:
  // it is refused as truncated, or the cut fell after every field.
  for (const char* name : {"wine_notepad.lnk", "wine_missing_target.lnk", "linux_notepad.lnk"}) {
    const std::string bytes = Fixture(name);
    const LinkRecord whole = Decoded(bytes);
    for (size_t n = 1; n < bytes.size(); ++n) {
      SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(n));
      LnkFile file;
      const LnkError error = DecodeLnk(std::string_view(bytes).substr(0, n), &file);
      if (error == LnkError::kNone) {
        ExpectSame(file.record, whole);
      } else {
        EXPECT_EQ(error, LnkError::kTruncated);
      }
    }
  }
}

TEST(LnkFormat, DamagedOffsetsAreRefused) {
  const std::string bytes = Fixture("wine_notepad.lnk");
  const size_t info = LinkInfoAt(bytes);
  LnkFile file;
  std::string small = bytes;
  PutU32(small, info, 8);  // a LinkInfo smaller than its own header
  EXPECT_EQ(DecodeLnk(small, &file), LnkError::kDamaged);
  std::string wild = bytes;
  PutU32(wild, info + 16, 0xFFFFFFF0u);  // the local base path far outside
  EXPECT_EQ(DecodeLnk(wild, &file), LnkError::kDamaged);
  std::string huge = bytes;
  PutU32(huge, info, 0x7FFFFFFF);
  EXPECT_EQ(DecodeLnk(huge, &file), LnkError::kTruncated);
  // A broken ID list with a good LinkInfo: the target still comes from it.
  std::string ids = bytes;
  ids[0x4C + 2] = '\x01';
  EXPECT_EQ(DecodeLnk(ids, &file), LnkError::kNone);
  EXPECT_EQ(file.record.target, "C:\\windows\\notepad.exe");
}

TEST(LnkFormat, RewriteKeepsWhatIsNotShown) {
  LnkFile file;
  std::string bytes = Fixture("wine_notepad.lnk");
  // Give the file times and an extra block that belongs to the target.
  PutU32(bytes, 0x1C, 0x12345678);
  bytes.resize(bytes.size() - 4);
  std::string tracker(0x60, '\0');
  PutU32(tracker, 0, 0x60);
  PutU32(tracker, 4, 0xA0000003);
  std::string console(0x0C, '\x5a');  // an unknown block, kept as it is
  PutU32(console, 0, 0x0C);
  PutU32(console, 4, 0xA0000099);
  bytes += tracker + console + std::string(4, '\0');
  ASSERT_EQ(DecodeLnk(bytes, &file), LnkError::kNone);

  file.record.arguments = "/p other.txt";
  std::string same_target;
  ASSERT_TRUE(EncodeLnk(file, &same_target));
  LnkFile again;
  ASSERT_EQ(DecodeLnk(same_target, &again), LnkError::kNone);
  EXPECT_EQ(again.record.arguments, "/p other.txt");
  EXPECT_EQ(again.kept.id_list, file.kept.id_list);
  EXPECT_EQ(again.kept.link_info, file.kept.link_info);
  EXPECT_EQ(again.kept.creation_time, file.kept.creation_time);
  EXPECT_EQ(again.kept.extra_blocks.size(), 2u);

  // A new target: its own ID list and LinkInfo, the tracker gone, the
  // unknown block kept, the old target's times dropped.
  file.record.target = "D:\\Tools\\new.exe";
  std::string new_target;
  ASSERT_TRUE(EncodeLnk(file, &new_target));
  ASSERT_EQ(DecodeLnk(new_target, &again), LnkError::kNone);
  EXPECT_EQ(again.record.target, "D:\\Tools\\new.exe");
  EXPECT_EQ(PathFromIdList(std::string_view(again.kept.id_list).substr(2)), "D:\\Tools\\new.exe");
  ASSERT_EQ(again.kept.extra_blocks.size(), 1u);
  EXPECT_EQ(again.kept.extra_blocks[0], console);
  EXPECT_EQ(again.kept.creation_time, 0u);
  EXPECT_EQ(again.record.arguments, "/p other.txt");
}

TEST(LnkFormat, TooLongForTheFormat) {
  LnkFile file;
  file.record.target = "C:\\x";
  file.record.arguments.assign(0x10000, 'a');
  std::string bytes;
  EXPECT_FALSE(EncodeLnk(file, &bytes));
  file.record.arguments.resize(0xFFFF);
  ASSERT_TRUE(EncodeLnk(file, &bytes));
  EXPECT_EQ(Decoded(bytes).arguments.size(), 0xFFFFu);
}

TEST(LnkFormat, IdListsOfOtherPlacesGiveNoPath) {
  // The control panel under the desktop: no drive, no path.
  std::string ids("\x14\x00\x1f\x00", 4);
  ids += std::string("\x21\xec\x20\x20\x3a\xea\x10\x69\xa2\xdd\x08\x00\x2b\x30\x30\x9d", 16);
  ids += std::string("\x00\x00", 2);
  EXPECT_EQ(PathFromIdList(ids), "");
  EXPECT_EQ(PathFromIdList(std::string("\x05\x00\x2f", 3)), "");  // runs past the end
}

}  // namespace
}  // namespace lnkedit
