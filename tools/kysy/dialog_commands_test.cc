#include "tools/kysy/dialog_commands.h"

#include <gtest/gtest.h>

#include "tools/kysy/fake_host.h"

namespace kysy {
namespace {

using platform::Buttons;
using platform::Icon;

std::optional<Answer> Kysy(FakeHost& h, std::vector<std::string> args) {
  return RunCommand(Arguments(std::move(args)), h.host);
}

const char kSevenLines[] = "one\ntwo\nthree\nfour\nfive\nsix\nseven\n";

TEST(KysyMessageBox, QuestionYesNoCancelThirdDefault) {
  FakeHost h;
  h.dialogs.ask_answer = 2;  // the default, Cancel
  RunKysy({"MSGBOX", "QUESTION", "YESNOCANCEL", "DEFBUTTON3", "Asennus", "Jatketaanko?~Valitse"},
          h.host);
  EXPECT_EQ(h.dialogs.message.title, "Asennus");
  EXPECT_EQ(h.dialogs.message.text, "Jatketaanko?\nValitse");
  EXPECT_EQ(h.dialogs.message.icon, Icon::kQuestion);
  EXPECT_EQ(h.dialogs.message.buttons, Buttons::kYesNoCancel);
  EXPECT_EQ(h.dialogs.message.default_button, 2);
  EXPECT_EQ(h.AnswerFile(), "set Dlg_Ret1=MB_CANCEL\r\n\r\nset Dlg_Ret2=3\r\n");
}

TEST(KysyMessageBox, EveryButtonsAnswer) {
  struct Case {
    const char* buttons;
    int pressed;
    Answer answer;
  } cases[] = {
      {"OK", 0, {"MB_OK", "1"}},           {"whatever", 0, {"MB_OK", "1"}},
      {"OKCANCEL", 0, {"MB_OK", "1"}},     {"OKCANCEL", 1, {"MB_CANCEL", "2"}},
      {"RETRYCANCEL", 0, {"MB_RETRY", "1"}}, {"RETRYCANCEL", 1, {"MB_CANCEL", "2"}},
      {"YESNO", 0, {"MB_YES", "1"}},       {"yesno", 1, {"MB_NO", "2"}},
      {"YESNOCANCEL", 1, {"MB_NO", "2"}},  {"YESNOCANCEL", 2, {"MB_CANCEL", "3"}},
      {"YESNO", -1, {"", ""}},
  };
  for (const Case& c : cases) {
    FakeHost h;
    h.dialogs.ask_answer = c.pressed;
    EXPECT_EQ(*Kysy(h, {"MSGBOX", "", c.buttons, "", "", "text"}), c.answer)
        << c.buttons << " " << c.pressed;
  }
}

TEST(KysyMessageBox, TextsFromTheEnvironmentAndDefaults) {
  FakeHost h;
  EXPECT_FALSE(Kysy(h, {"MSGBOX"})) << "no message, no box";
  EXPECT_EQ(h.dialogs.asked, 0);
  h.env.Set("Dlg_Message", "From `env`");
  Kysy(h, {"MSGBOX", "STOP", "OKCANCEL", "DEFBUTTON2"});
  EXPECT_EQ(h.dialogs.message.text, "From \"env\"");
  EXPECT_EQ(h.dialogs.message.title, "Info");
  EXPECT_EQ(h.dialogs.message.icon, Icon::kStop);
  EXPECT_EQ(h.dialogs.message.default_button, 1);
  h.env.Set("Dlg_Title", "Otsikko");
  Kysy(h, {"MSGBOX", "EXCLAMATION", "OK", "DEFBUTTON3"});
  EXPECT_EQ(h.dialogs.message.title, "Otsikko");
  EXPECT_EQ(h.dialogs.message.icon, Icon::kExclamation);
  EXPECT_EQ(h.dialogs.message.default_button, 0) << "a box has no third button to take";
  Kysy(h, {"MSGBOX", "INFORMATION"});
  EXPECT_EQ(h.dialogs.message.icon, Icon::kInformation);
  EXPECT_EQ(h.dialogs.message.buttons, Buttons::kOk);
}

TEST(KysyListBox, ItemsFromTheListFileOneBasedDefault) {
  FakeHost h;
  h.files.files["Dlg_List.lst"] = kSevenLines;
  h.env.Set("Dlg_Default", "3");
  h.dialogs.list_answer = {true, 6, ""};
  EXPECT_EQ(*Kysy(h, {"LISTBOX"}), (Answer{"seven", "7"}));
  EXPECT_EQ(h.dialogs.list.items.size(), 7u);
  EXPECT_EQ(h.dialogs.list.selected, 2);
  EXPECT_EQ(h.dialogs.list.title, "Valinta");
  Kysy(h, {"LISTBOX", "5", "Otsikko", "Rivi~toinen"});
  EXPECT_EQ(h.dialogs.list.selected, 4);
  EXPECT_EQ(h.dialogs.list.title, "Otsikko");
  EXPECT_EQ(h.dialogs.list.message, "Rivi\ntoinen");
  Kysy(h, {"LISTBOX", "8"});
  EXPECT_EQ(h.dialogs.list.selected, -1);
  Kysy(h, {"LISTBOX", "0"});
  EXPECT_EQ(h.dialogs.list.selected, -1);
}

TEST(KysyListBox, CancelAndNoSelection) {
  FakeHost h;
  h.files.files["Dlg_List.lst"] = "a\nb\n";
  h.dialogs.list_answer = {false, 1, ""};
  EXPECT_EQ(*Kysy(h, {"LISTBOX"}), (Answer{"@WR_ERR", "-1"}));
  h.dialogs.list_answer = {true, -1, ""};
  EXPECT_EQ(*Kysy(h, {"LISTBOX"}), (Answer{"@WR_ERR", "-1"}));
  h.files.files.erase("Dlg_List.lst");
  h.dialogs.list_answer = {true, 0, ""};
  EXPECT_EQ(*Kysy(h, {"LISTBOX"}), (Answer{"@WR_ERR", "-1"}));
  EXPECT_TRUE(h.dialogs.list.items.empty());
}

TEST(KysyListBox, FilesDirsAndDrivesFromTheFileSystem) {
  FakeHost h;
  h.files.folders = {"C:\\p", "C:\\p\\Sub", "C:\\p\\alpha", "C:\\p\\.git"};
  h.files.files = {{"C:\\p\\b.tr", ""}, {"C:\\p\\A.TR", ""}, {"C:\\p\\c.txt", ""},
                   {"C:\\p\\.hidden.tr", ""}, {"C:\\work\\here.tr", ""}};
  h.dialogs.list_answer = {true, 1, ""};
  EXPECT_EQ(*Kysy(h, {"LISTBOX", "files", "b", "C:\\p", "*.tr", "Postit", "Valitse"}),
            (Answer{"b.tr", "2"}));
  EXPECT_EQ(h.dialogs.list.items, (std::vector<std::string>{"A.TR", "b.tr"}));
  EXPECT_EQ(h.dialogs.list.selected, 1);
  EXPECT_EQ(h.dialogs.list.title, "Postit");
  EXPECT_EQ(h.dialogs.list.message, "Valitse");

  h.dialogs.list_answer = {true, 0, ""};
  EXPECT_EQ(*Kysy(h, {"LISTBOX", "DIRS", "", "C:\\p"}), (Answer{"alpha", "1"}));
  EXPECT_EQ(h.dialogs.list.items, (std::vector<std::string>{"[alpha]", "[Sub]"}));
  EXPECT_EQ(h.dialogs.list.title, "Valinta");
  Kysy(h, {"LISTBOX", "DIRS", "s", "C:\\p"});
  EXPECT_EQ(h.dialogs.list.selected, 1) << "the start text picks the entry";
  Kysy(h, {"LISTBOX", "DIRS", "none", "C:\\p"});
  EXPECT_EQ(h.dialogs.list.selected, 0);

  // The current directory without a folder, every file without a pattern.
  Kysy(h, {"LISTBOX", "Files"});
  EXPECT_EQ(h.dialogs.list.items, (std::vector<std::string>{"here.tr"}));

  h.files.drives = {'A', 'C', 'D'};
  h.dialogs.list_answer = {true, 1, ""};
  EXPECT_EQ(*Kysy(h, {"LISTBOX", "DRIVES"}), (Answer{"c", "2"}));
  EXPECT_EQ(h.dialogs.list.items, (std::vector<std::string>{"[-a-]", "[-c-]", "[-d-]"}));

  // A folder that cannot be read lists nothing.
  EXPECT_EQ(*Kysy(h, {"LISTBOX", "FILES", "", "C:\\none"}), (Answer{"@WR_ERR", "-1"}));
  EXPECT_EQ(h.dialogs.list.selected, -1);
}

TEST(KysyComboBox, ZeroBasedDefaultAndTypedText) {
  FakeHost h;
  h.files.files["Dlg_List.lst"] = kSevenLines;
  h.dialogs.list_answer = {true, 6, "seven"};
  EXPECT_EQ(*Kysy(h, {"COMBOBOX"}), (Answer{"seven", "7"}));
  EXPECT_EQ(h.dialogs.list.items.size(), 7u);
  EXPECT_EQ(h.dialogs.list.selected, 0) << "no default: the first item";
  EXPECT_EQ(h.dialogs.list.title, "Dialogi");
  Kysy(h, {"COMBOBOX", "2", "T", "M"});
  EXPECT_EQ(h.dialogs.list.selected, 2) << "zero-based";
  h.env.Set("Dlg_Default", "6");
  Kysy(h, {"COMBOBOX"});
  EXPECT_EQ(h.dialogs.list.selected, 6);
  Kysy(h, {"COMBOBOX", "7"});
  EXPECT_EQ(h.dialogs.list.selected, -1);
  // Typed text: an item's own text finds it, anything else has no position.
  h.dialogs.list_answer = {true, -1, "Something new"};
  EXPECT_EQ(*Kysy(h, {"COMBOBOX"}), (Answer{"Something new", "-1"}));
  h.dialogs.list_answer = {true, 1, "THREE"};
  EXPECT_EQ(*Kysy(h, {"COMBOBOX"}), (Answer{"THREE", "3"}));
  h.dialogs.list_answer = {false, 1, "two"};
  EXPECT_EQ(*Kysy(h, {"COMBOBOX"}), (Answer{"@WR_ERR", "-1"}));
}

TEST(KysyEditBox, TextButtonsAndCancel) {
  FakeHost h;
  h.files.files["Dlg_List.lst"] = "Selaa\n\nOhje\nfour\nfive\nsix\nseven\n";
  h.env.Set("Dlg_Default", "C:\\Surfcam");
  h.dialogs.edit_answer = {0, "D:\\Surfcam"};
  EXPECT_EQ(*Kysy(h, {"EDITBOX"}), Answer{"D:\\Surfcam"});
  EXPECT_EQ(h.dialogs.edit.text, "C:\\Surfcam");
  EXPECT_EQ(h.dialogs.edit.title, "Dialogi");
  // Five buttons at most, the empty line's hidden.
  EXPECT_EQ(h.dialogs.edit.buttons,
            (std::array<std::string, 5>{"Selaa", "", "Ohje", "four", "five"}));
  Kysy(h, {"EDITBOX", "arg", "Title", "Message"});
  EXPECT_EQ(h.dialogs.edit.text, "arg");
  EXPECT_EQ(h.dialogs.edit.message, "Message");
  h.dialogs.edit_answer = {3, "ignored"};
  EXPECT_EQ(*Kysy(h, {"EDITBOX"}), Answer{"@BUTTON3"});
  h.dialogs.edit_answer = {5, ""};
  EXPECT_EQ(*Kysy(h, {"EDITBOX"}), Answer{"@BUTTON5"});
  h.dialogs.edit_answer = {2, ""};  // hidden: cannot have been pressed
  EXPECT_EQ(*Kysy(h, {"EDITBOX"}), Answer{"@WR_ERR"});
  h.dialogs.edit_answer = {-1, "typed"};
  EXPECT_EQ(*Kysy(h, {"EDITBOX"}), Answer{"@WR_ERR"});
  h.files.files["Dlg_List.lst"] = "only\n";
  Kysy(h, {"EDITBOX"});
  EXPECT_EQ(h.dialogs.edit.buttons, (std::array<std::string, 5>{"only", "", "", "", ""}));
}

TEST(KysyCheckBox, FiveBoxesFromTheDefaultString) {
  FakeHost h;
  h.files.files["Dlg_List.lst"] = kSevenLines;
  h.dialogs.boxes_answer.ok = true;
  h.dialogs.boxes_answer.ticked = {true, false, false, true, true};
  EXPECT_EQ(*Kysy(h, {"CHECKBOX", "01x1"}), (Answer{"1", "0", "0", "1", "1"}));
  EXPECT_EQ(h.dialogs.boxes.labels, (std::vector<std::string>{"one", "two", "three", "four", "five"}));
  EXPECT_EQ(h.dialogs.boxes.ticked, (std::array<bool, 5>{false, true, false, true, false}));
  h.dialogs.boxes_answer.ok = false;
  EXPECT_EQ(*Kysy(h, {"CHECKBOX", "11111"}), (Answer{"0", "0", "0", "0", "0"}));
  EXPECT_EQ(h.dialogs.boxes.ticked, (std::array<bool, 5>{true, true, true, true, true}));
  h.files.files["Dlg_List.lst"] = "a\nb\n";
  Kysy(h, {"CHECKBOX"});
  EXPECT_EQ(h.dialogs.boxes.labels.size(), 2u);
}

TEST(KysyRadioBox, LabelAndPosition) {
  FakeHost h;
  h.files.files["Dlg_List.lst"] = kSevenLines;
  h.dialogs.boxes_answer.ok = true;
  h.dialogs.boxes_answer.selected = 3;
  EXPECT_EQ(*Kysy(h, {"RADIOBOX", "2"}), (Answer{"four", "4"}));
  EXPECT_EQ(h.dialogs.boxes.labels.size(), 5u);
  EXPECT_EQ(h.dialogs.boxes.selected, 1);
  Kysy(h, {"RADIOBOX", "6"});
  EXPECT_EQ(h.dialogs.boxes.selected, -1) << "only five buttons";
  h.dialogs.boxes_answer.selected = -1;
  EXPECT_EQ(*Kysy(h, {"RADIOBOX"}), (Answer{"@WR_ERR", "-1"}));
  h.dialogs.boxes_answer = {false, {}, 2};
  EXPECT_EQ(*Kysy(h, {"RADIOBOX"}), (Answer{"@WR_ERR", "-1"}));
}

TEST(KysyFileDialog, PiecesOfTheChosenPath) {
  FakeHost h;
  h.dialogs.path_answer = "C:\\Posts\\mill.v2.tr";
  EXPECT_EQ(*Kysy(h, {"FILEDLG", "open", "mill.tr", "C:\\Posts", "Posts|*.tr|All|*.*", "tr"}),
            (Answer{"C:\\Posts\\mill.v2.tr", "mill.v2.tr", "C:\\Posts", "mill.v2", "tr"}));
  EXPECT_TRUE(h.dialogs.file.open);
  EXPECT_EQ(h.dialogs.file.name, "mill.tr");
  EXPECT_EQ(h.dialogs.file.folder, "C:\\Posts");
  EXPECT_EQ(h.dialogs.file.extension, "tr");
  ASSERT_EQ(h.dialogs.file.filters.size(), 2u);
  EXPECT_EQ(h.dialogs.file.filters[1].text, "All");
  EXPECT_EQ(h.dialogs.file.filters[1].patterns, "*.*");
  Kysy(h, {"FILEDLG", "SAVE"});
  EXPECT_FALSE(h.dialogs.file.open);
  h.dialogs.path_answer.reset();
  EXPECT_EQ(*Kysy(h, {"FILEDLG", "OPEN"}), Answer(5, ""));
  EXPECT_FALSE(Kysy(h, {"FILEDLG"}));
}

TEST(KysyFileDialog, FilterStrings) {
  EXPECT_TRUE(ParseFileFilters("").empty());
  auto one = ParseFileFilters("*.nc");
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].text, "*.nc");
  EXPECT_EQ(one[0].patterns, "*.nc");
  auto odd = ParseFileFilters("NC|*.nc;*.tap|*.*");
  ASSERT_EQ(odd.size(), 2u);
  EXPECT_EQ(odd[0].patterns, "*.nc;*.tap");
  EXPECT_EQ(odd[1].text, "*.*");
  EXPECT_TRUE(ParseFileFilters("||").empty());
}

TEST(KysyFolderDialog, StartFolderAndTrailingSeparator) {
  FakeHost h;
  h.dialogs.path_answer = "D:\\";
  EXPECT_EQ(*Kysy(h, {"FOLDERDLG", ""}), Answer{"D:"});
  EXPECT_EQ(h.dialogs.folder.start, "C:\\work") << "empty: the current directory";
  h.dialogs.path_answer = "C:\\Surfcam\\Posts";
  EXPECT_EQ(*Kysy(h, {"FOLDERDLG", "C:\\Surfcam"}), Answer{"C:\\Surfcam\\Posts"});
  EXPECT_EQ(h.dialogs.folder.start, "C:\\Surfcam");
  h.dialogs.path_answer.reset();
  EXPECT_EQ(*Kysy(h, {"FOLDERDLG", "x"}), Answer{""});
}

TEST(KysyNumbers, ReadAsAtoiDoes) {
  EXPECT_EQ(LeadingNumber(" 12abc"), 12);
  EXPECT_EQ(LeadingNumber("-3"), -3);
  EXPECT_EQ(LeadingNumber("x1"), 0);
  EXPECT_EQ(LeadingNumber("99999999999999999999"), 2147483647);
}

}  // namespace
}  // namespace kysy
