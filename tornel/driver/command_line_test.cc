#include "tornel/driver/command_line.h"

#include <gtest/gtest.h>

#include "platform/paths.h"

namespace tornel {
namespace {

const std::string kSep(1, platform::kNativeSeparator);

std::string Nc(std::vector<std::string> args) { return NcPath(ParseCommandLine(args)); }

TEST(CommandLine, ScansTwoAtATimeAndIgnoresALoneLastWord) {
  CommandLine cmd = ParseCommandLine({"-P", "mill", "-I", "part.cl", "-x", "-ED", "notepad", "-q"});
  EXPECT_EQ(cmd.post, "mill");
  EXPECT_EQ(cmd.apt, "part.cl");
  EXPECT_TRUE(cmd.companion);
  EXPECT_EQ(cmd.editor, "notepad");
  EXPECT_EQ(cmd.invalid, "");  // "-q" stands last and alone: never examined

  // A final -x needs no value: it counts.
  EXPECT_TRUE(ParseCommandLine({"-i", "part.cl", "-x"}).companion);
  EXPECT_FALSE(ParseCommandLine({"-i", "part.cl", "-p"}).companion);
  // An option's value is never taken for an option.
  EXPECT_EQ(ParseCommandLine({"-p", "-i", "-i", "a.cl"}).post, "-i");
}

TEST(CommandLine, ReportsAnUnknownOptionFollowedByAValue) {
  CommandLine cmd = ParseCommandLine({"-i", "part.cl", "-z", "value"});
  EXPECT_EQ(cmd.invalid, "-z");
  EXPECT_EQ(ParseCommandLine({"part.cl", "-i"}).invalid, "part.cl");
}

TEST(PostFileNames, APostNamedWithItsEndingIsThatFile) {
  auto names = [](const std::string& post) {
    PostNames n = PostFileNames(post);
    return n.name + " | " + n.file;
  };
  EXPECT_EQ(names("iso_mill"), "iso_mill | iso_mill.tr");
  EXPECT_EQ(names("iso_mill.tr"), "iso_mill | iso_mill.tr");
  EXPECT_EQ(names("posts/ISO_MILL.TR"), "posts/ISO_MILL | posts/ISO_MILL.TR");  // as typed
  EXPECT_EQ(names("mill.Tr"), "mill | mill.Tr");
  EXPECT_EQ(names("mill.trx"), "mill.trx | mill.trx.tr");
  EXPECT_EQ(names("mill.t"), "mill.t | mill.t.tr");
  EXPECT_EQ(names(".tr"), ".tr | .tr.tr");  // a name, not only an ending
}

TEST(NcPath, DefaultsBesideTheAptFile) {
  EXPECT_EQ(Nc({"-i", "part.cl"}), "part.nc");
  EXPECT_EQ(Nc({"-i", "C:\\cam\\part.cl"}), "C:\\cam\\part.nc");
  EXPECT_EQ(Nc({"-i", "cam/part.cl"}), "cam/part.nc");
}

TEST(NcPath, ExtensionFromOe) {
  EXPECT_EQ(Nc({"-i", "part.cl", "-oe", "txt"}), "part.txt");
  EXPECT_EQ(Nc({"-i", "part.cl", "-oe", ".txt"}), "part.txt");
  EXPECT_EQ(Nc({"-i", "part.cl", "-oe", ""}), "part");
  // A name from -o brings its own extension (or none); -oe is ignored then.
  EXPECT_EQ(Nc({"-i", "part.cl", "-o", "job", "-oe", "txt"}), "job");
}

TEST(NcPath, NameAndDirectoryFromO) {
  EXPECT_EQ(Nc({"-i", "C:\\cam\\part.cl", "-o", "D:\\out\\"}), "D:\\out\\part.nc");
  EXPECT_EQ(Nc({"-i", "C:\\cam\\part.cl", "-o", "job.tap"}), "C:\\cam\\job.tap");
  EXPECT_EQ(Nc({"-i", "C:\\cam\\part.cl", "-o", "D:\\out\\job.tap", "-op", "x"}),
            "D:\\out\\job.tap");
}

TEST(NcPath, DirectoryFromOp) {
  EXPECT_EQ(Nc({"-i", "C:\\cam\\part.cl", "-op", "sub"}), "C:\\cam\\sub" + kSep + "part.nc");
  EXPECT_EQ(Nc({"-i", "C:\\cam\\part.cl", "-op", "C:\\nc"}), "C:\\nc" + kSep + "part.nc");
  EXPECT_EQ(Nc({"-i", "C:\\cam\\part.cl", "-op", "\\nc\\"}), "\\nc\\part.nc");
  EXPECT_EQ(Nc({"-i", "part.cl", "-op", "out"}), "out" + kSep + "part.nc");
  // -op only counts when -o names no directory.
  EXPECT_EQ(Nc({"-i", "C:\\cam\\part.cl", "-op", "sub", "-o", "job.tap"}),
            "C:\\cam\\sub" + kSep + "job.tap");
}

TEST(CompanionFiles, NamesBesideTheAptFile) {
  EXPECT_EQ(CompanionClPath("C:\\cam\\part.cl"), "C:\\cam\\partx.cl");
  EXPECT_EQ(CompanionClPath("part"), "partx");
  EXPECT_EQ(ValuesFilePath("C:\\cam\\part.cl"), "C:\\cam\\part.val");
}

}  // namespace
}  // namespace tornel
