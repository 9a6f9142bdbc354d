#include "tools/change/change_run.h"

#include <gtest/gtest.h>

#include "tools/change/line_edit.h"
#include "tools/change/memory_files.h"

namespace change {
namespace {

struct ChangeRun : ::testing::Test {
  Outcome Run(std::vector<std::string> args, LineEnds ends = LineEnds::kAsRead) {
    return RunChange(CommandLine{std::move(args)}, fs, boxes, ends);
  }
  MemoryFileSystem fs;
  RecordedBoxes boxes;
};

TEST_F(ChangeRun, WithoutAFileTheHelpBox) {
  EXPECT_EQ(Run({}), Outcome::kHelp);
  ASSERT_EQ(boxes.shown.size(), 1u);
  const ShownBox& box = boxes.shown[0];
  EXPECT_EQ(box.caption, "Ohje");
  EXPECT_EQ(box.icon, platform::Icon::kInformation);
  EXPECT_EQ(box.text.rfind("Tämä apuohjelma korvaa tiedoston tekstin jollain toisella tekstillä\n\n"
                           "Käyttö: CHANGE tiedosto",
                           0),
            0u);
  // The option lines close it, in this order.
  size_t at = box.text.find("Esim: CHANGE tiedosto \"korvattava teksti\" \"korvaava #teksti#\"");
  ASSERT_NE(at, std::string::npos);
  for (const char* option : {"\n /C ", "\n /U ", "\n /L ", "\n /A ", "\n /O ", "\n /B ", "\n /E ",
                             "\n /W ", "\n /Q=[lainausmerkki (\")] teksteissä", "\n /N="}) {
    size_t next = box.text.find(option, at);
    ASSERT_NE(next, std::string::npos) << option;
    at = next + 1;
  }
  EXPECT_EQ(box.text.substr(at), " /N=[rivin vaihto] korvaavassa tekstissä (Oletus on ~)\n");
}

TEST_F(ChangeRun, AFileWithoutBothTextsIsLeftAlone) {
  fs.files["f"] = "abc\n";
  EXPECT_EQ(Run({"f"}), Outcome::kNoTexts);
  EXPECT_EQ(Run({"f", "abc"}), Outcome::kNoTexts);
  EXPECT_EQ(Run({"missing", "abc"}), Outcome::kNoTexts);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(fs.files["f"], "abc\n");
}

TEST_F(ChangeRun, EditsEveryLine) {
  fs.files["f"] = "xABCyabc\r\nno\nabc";
  EXPECT_EQ(Run({"f", "abc", "X"}), Outcome::kReplaced);
  EXPECT_EQ(fs.files["f"], "xXyX\r\nno\nX");  // each line keeps its end
  EXPECT_EQ(fs.open_new_files, 0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ChangeRun, TextModeWritesEveryLineFeedAsCrLf) {
  fs.files["f"] = "a;b\nc\r\nlast";
  EXPECT_EQ(Run({"f", ";", "~"}, LineEnds::kCrLf), Outcome::kReplaced);
  EXPECT_EQ(fs.files["f"], "a\r\nb\r\nc\r\nlast");
  // Kept as read, a line break put in follows its line's end.
  fs.files["g"] = "a;b\r\nc;d\n";
  EXPECT_EQ(Run({"g", ";", "~"}), Outcome::kReplaced);
  EXPECT_EQ(fs.files["g"], "a\r\nb\r\nc\nd\n");
}

TEST_F(ChangeRun, OmitAndUpperOverTheWholeFile) {
  fs.files["f"] = "one\n\ntwo\r\n\r\n";
  EXPECT_EQ(Run({"f", "", "", "/U", "/O"}), Outcome::kReplaced);
  EXPECT_EQ(fs.files["f"], "ONE\nTWO\r\n");
  // A line of exactly one piece and its line feed stays one line.
  std::string long_line(kPieceBytes, 'q');
  fs.files["g"] = long_line + "\n\nend\n";
  EXPECT_EQ(Run({"g", "", "", "/U", "/O"}), Outcome::kReplaced);
  EXPECT_EQ(fs.files["g"], std::string(kPieceBytes, 'Q') + "\nEND\n");
}

TEST_F(ChangeRun, PiecesOfALongLineAreEditedApart) {
  // "ab" across the boundary of the first two pieces is not found; the
  // pieces are written one after the other, so the line stays whole.
  std::string line = std::string(kPieceBytes - 1, '.') + "ab" + "ab\n";
  fs.files["f"] = line;
  EXPECT_EQ(Run({"f", "ab", "X"}), Outcome::kReplaced);
  EXPECT_EQ(fs.files["f"], std::string(kPieceBytes - 1, '.') + "abX\n");
}

TEST_F(ChangeRun, FailuresLeaveTheFileAndWarnOnlyWithW) {
  const std::string original = "abc\nabc\n";
  struct Case {
    const char* name;
    void (*arrange)(MemoryFileSystem&);
    Outcome outcome;
    const char* suffix;
  };
  const Case cases[] = {
      {"missing", [](MemoryFileSystem& fs) { fs.files.erase("dir/f.txt"); }, Outcome::kNotOpened,
       "-tiedostoa ei löytynyt"},
      {"read", [](MemoryFileSystem& fs) { fs.fail_read_after = 5; }, Outcome::kReadFailed,
       "-tiedostoa ei löytynyt"},
      {"create", [](MemoryFileSystem& fs) { fs.refuse_create = true; }, Outcome::kNotCreated,
       "-tiedoston kirjoitusvirhe"},
      {"write", [](MemoryFileSystem& fs) { fs.fail_write_after = 3; }, Outcome::kWriteFailed,
       "-tiedoston kirjoitusvirhe"},
      {"finish", [](MemoryFileSystem& fs) { fs.fail_finish = true; }, Outcome::kWriteFailed,
       "-tiedoston kirjoitusvirhe"},
  };
  for (const Case& c : cases) {
    for (bool warn : {false, true}) {
      MemoryFileSystem files;
      files.files["dir/f.txt"] = original;
      c.arrange(files);
      RecordedBoxes shown;
      std::vector<std::string> args = {"dir/f.txt", "abc", "x"};
      if (warn) args.push_back("/w");
      EXPECT_EQ(RunChange(CommandLine{args}, files, shown, LineEnds::kAsRead), c.outcome)
          << c.name;
      if (files.files.count("dir/f.txt")) {
        EXPECT_EQ(files.files["dir/f.txt"], original) << c.name;
      }
      EXPECT_EQ(files.open_new_files, 0) << c.name;
      if (!warn) {
        EXPECT_TRUE(shown.shown.empty()) << c.name;
        continue;
      }
      ASSERT_EQ(shown.shown.size(), 1u) << c.name;
      EXPECT_EQ(shown.shown[0].text, std::string("dir/f.txt") + c.suffix) << c.name;
      EXPECT_EQ(shown.shown[0].caption, "CHANGE");
      EXPECT_EQ(shown.shown[0].icon, platform::Icon::kExclamation);
    }
  }
}

TEST_F(ChangeRun, ALineThatWouldOutgrowItsBufferStopsTheRun) {
  std::string original = "first\n" + std::string(3000, 'a') + "\n";
  fs.files["f"] = original;
  EXPECT_EQ(Run({"f", "a", "bb", "/W"}), Outcome::kLineTooLong);
  EXPECT_EQ(fs.files["f"], original);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "f-tiedoston kirjoitusvirhe");
}

TEST_F(ChangeRun, TextsLongerThan1024BytesAreRefused) {
  fs.files["f"] = "a\n";
  EXPECT_EQ(Run({"f", std::string(1025, 'a'), "x", "/W"}), Outcome::kTextTooLong);
  EXPECT_EQ(Run({"f", "a", std::string(1025, 'x'), "/W"}), Outcome::kTextTooLong);
  EXPECT_EQ(fs.files["f"], "a\n");
  EXPECT_EQ(Run({"f", "a", std::string(1024, 'x')}), Outcome::kReplaced);
  EXPECT_EQ(fs.files["f"], std::string(1024, 'x') + "\n");
}

}  // namespace
}  // namespace change
