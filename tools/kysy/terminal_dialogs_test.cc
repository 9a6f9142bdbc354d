#include "tools/kysy/terminal_dialogs.h"

#include <gtest/gtest.h>

#include <deque>

#include "platform/paths.h"

namespace kysy {
namespace {

class ScriptIo : public LineIo {
 public:
  explicit ScriptIo(std::deque<std::string> lines) : lines_(std::move(lines)) {}
  bool ReadLine(std::string& line) override {
    if (lines_.empty()) return false;
    line = lines_.front();
    lines_.pop_front();
    return true;
  }
  void Write(const std::string& text) override { shown += text; }
  std::string shown;

 private:
  std::deque<std::string> lines_;
};

TEST(KysyTerminal, ListPicksByNumberOrTakesTheMarkedOne) {
  ListRequest r{"Valinta", "Pick one", {"alpha", "beta", "gamma"}, 1};
  ScriptIo io({"9", "x", "3"});
  ListAnswer a = TerminalDialogs(io, "/w").List(r);
  EXPECT_TRUE(a.ok);
  EXPECT_EQ(a.selected, 2);
  EXPECT_NE(io.shown.find("== Valinta =="), std::string::npos);
  EXPECT_NE(io.shown.find("Pick one\n"), std::string::npos);
  EXPECT_NE(io.shown.find(">  2  beta\n"), std::string::npos);
  ScriptIo enter({""});
  EXPECT_EQ(TerminalDialogs(enter, "/w").List(r).selected, 1);
  ScriptIo cancel({"q"});
  EXPECT_FALSE(TerminalDialogs(cancel, "/w").List(r).ok);
  ScriptIo end({});
  EXPECT_FALSE(TerminalDialogs(end, "/w").List(r).ok) << "the end of the input cancels";
}

TEST(KysyTerminal, ComboTakesANumberOrText) {
  ListRequest r{"Dialogi", "", {"alpha", "beta"}, 0};
  ScriptIo io({"2"});
  ListAnswer a = TerminalDialogs(io, "/w").Combo(r);
  EXPECT_EQ(a.selected, 1);
  EXPECT_EQ(a.text, "beta");
  ScriptIo typed({"delta"});
  a = TerminalDialogs(typed, "/w").Combo(r);
  EXPECT_EQ(a.selected, -1);
  EXPECT_EQ(a.text, "delta");
  ScriptIo keep({""});
  EXPECT_EQ(TerminalDialogs(keep, "/w").Combo(r).text, "alpha");
}

TEST(KysyTerminal, EditTextThenAButton) {
  EditRequest r;
  r.title = "Dialogi";
  r.text = "C:\\Old";
  r.buttons = {"Selaa", "", "", "", ""};
  ScriptIo io({"C:\\New", ""});
  EditAnswer a = TerminalDialogs(io, "/w").Edit(r);
  EXPECT_EQ(a.pressed, 0);
  EXPECT_EQ(a.text, "C:\\New");
  EXPECT_NE(io.shown.find("[C:\\Old]"), std::string::npos);
  EXPECT_NE(io.shown.find("<Selaa>"), std::string::npos);
  ScriptIo button({"", "2", "1"});  // button 2 is hidden
  a = TerminalDialogs(button, "/w").Edit(r);
  EXPECT_EQ(a.pressed, 1);
  EXPECT_EQ(a.text, "C:\\Old");
  ScriptIo cancel({"", "q"});
  EXPECT_EQ(TerminalDialogs(cancel, "/w").Edit(r).pressed, -1);
}

TEST(KysyTerminal, BoxesToggleAndChoose) {
  BoxesRequest r;
  r.title = "Dialogi";
  r.labels = {"a", "b", "c"};
  r.ticked = {true, false, false, false, true};
  ScriptIo io({"2", "1", "7", ""});
  BoxesAnswer a = TerminalDialogs(io, "/w").Check(r);
  EXPECT_TRUE(a.ok);
  EXPECT_EQ(a.ticked, (std::array<bool, 5>{false, true, false, false, true}));
  EXPECT_NE(io.shown.find("[x]  2  b"), std::string::npos);
  r.selected = 0;
  ScriptIo radio({"3", ""});
  a = TerminalDialogs(radio, "/w").Radio(r);
  EXPECT_TRUE(a.ok);
  EXPECT_EQ(a.selected, 2);
  EXPECT_NE(radio.shown.find("(*)  3  c"), std::string::npos);
}

TEST(KysyTerminal, FileAndFolderPaths) {
  const std::string sep(1, platform::kNativeSeparator);
  FileRequest r;
  r.name = "part";
  r.folder = "out";
  r.extension = "nc";
  ScriptIo io({""});
  EXPECT_EQ(TerminalDialogs(io, "/w").ChooseFile(r).value(), "/w" + sep + "out" + sep + "part.nc");
  ScriptIo abs({"/abs/x.tap"});
  EXPECT_EQ(TerminalDialogs(abs, "/w").ChooseFile(r).value(), "/abs/x.tap");
  ScriptIo cancel({"q"});
  EXPECT_FALSE(TerminalDialogs(cancel, "/w").ChooseFile(r));
  ScriptIo folder({""});
  EXPECT_EQ(TerminalDialogs(folder, "/w").ChooseFolder({"/start"}).value(), "/start");
  ScriptIo rel({"sub"});
  EXPECT_EQ(TerminalDialogs(rel, "/w").ChooseFolder({"/start"}).value(), "/w" + sep + "sub");
}

}  // namespace
}  // namespace kysy
