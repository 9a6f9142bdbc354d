// A post dialog as the post defines it, statement by statement: its
// items (texts, fields bound to variables, choice lists, buttons), their
// pages and column layout, and its option flags.  The definitions nest: a
// dialog opened from a button's function is a child of the one on screen.
// Over plain values; the messages of a refused definition go back to the
// caller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tornel {

inline constexpr int kDialogItemLimit = 400;  // further items are ignored
inline constexpr int kPageItemLimit = 34;     // the 35th item starts a new page
inline constexpr int kDialogColumns = 200;
inline constexpr int kSelectBtnLimit = 35;    // option buttons of one SelectBtn

// Alignment codes of DialogField ($left, $right, $table) and the
// directions of SelectBtn ($horiz, $vert).
inline constexpr int kAlignLeft = 4;
inline constexpr int kAlignRight = 5;
inline constexpr int kAlignTable = 12;
inline constexpr int kDirHoriz = 36;
inline constexpr int kDirVert = 37;

enum class ItemKind {
  kText,
  kSpace,
  kPageBreak,
  kInputInt,
  kInputReal,
  kInputStr,
  kSelectVal,
  kSelectStr,
  kSelectInd,
  kSelectBtn,  // one option button of a group
  kCheckBox,
  kButton,
  kButtonSys,
  kShowVal,
  kShowStr,
};

// The column layout of DialogField: where an item's field starts and how
// wide it is, in columns of 200.
struct ColumnLayout {
  int start = 100;
  int width = 100;
  int align = kAlignRight;
  bool table = false;
};

// The variable an item shows and sets.
struct BoundSlot {
  char type = 0;  // kTokIntVar, kTokRealVar or kTokStringRef
  int slot = -1;
};

struct DialogItem {
  ItemKind kind = ItemKind::kText;
  std::string text;    // the text, prompt or button caption
  std::vector<std::string> entries;  // a choice list's entries
  ColumnLayout layout;
  int x = -1, y = -1;  // the item's own layout numbers (-1: none)
  BoundSlot var;
  int function_label = -1;  // a button's post function
  double min = 0, max = 0;  // input limits
  bool has_limits = false;
  int option = 0;   // SelectBtn: the button's number from 1; ButtonSys: the side
  int group = 0;    // SelectBtn: the number of the group's first item + 1
  std::string prompt;  // SelectBtn: the group's prompt, on its first button
  int direction = 0;  // SelectBtn: kDirHoriz or kDirVert
  int count = 1;      // DialogSpace: empty lines
};

struct DialogFlags {
  bool reset = false;      // ResetBtn
  bool reset_all = false;  // ResetAllBtn
  bool next = false;       // ButtonNext
  bool back = false;       // ButtonBack: Back on the first page too
  bool save = false;       // a variable marked "!": the save button
};

struct DialogDef {
  std::string title;
  std::vector<DialogItem> items;
  DialogFlags flags;
  ColumnLayout layout;   // in force for the next item
  int page_items = 0;    // items on the page being filled
};

// Adds an item to the page being filled: a page that holds 34 items is
// ended first; beyond 400 items nothing is added.  False when ignored.
bool AddItem(DialogDef& d, DialogItem item);

// Ends the page being filled (DialogNext).
void EndPage(DialogDef& d);

// A SelectBtn group of `count` buttons: a page break in front of it when
// it would not fit the page being filled.
void KeepGroupOnPage(DialogDef& d, int count);

// The pages: the index of each page's first item and one past its last;
// a page break as the last item makes no empty page.
struct PageRange {
  int first = 0, end = 0;
};
std::vector<PageRange> Pages(const DialogDef& d);

// The entries of a choice list: the text split at ";".  SelectBtn takes
// at most 35.
std::vector<std::string> SplitChoices(const std::string& list);

// Whether DialogField's numbers are valid: start ≥ 0, width ≥ 1,
// start + width ≤ 200.
bool ValidLayout(double start, double width);

inline constexpr const char* kMsgDialogNotStarted = "Dialog definition haven't started in";
inline constexpr const char* kMsgDialogStartedTwice = "Dialog definition started twice in";
inline constexpr const char* kMsgInvalidDialogField = "Invalid Dialog Field settings in";
inline constexpr const char* kMsgDialogFieldParam3 =
    "Parameter 3 in Dialog Field settings must be $Left, $Right or $Table in";
inline constexpr const char* kMsgDialogFieldParam4 =
    "Parameter 4 in Dialog Field settings must be $Table in";
inline constexpr const char* kMsgSelectBtnParam4 =
    "Parameter 4 in SelectBtn function must be $Horiz or $Vert in";
inline constexpr const char* kMsgButtonFunction =
    "Parameter 1 must be USER VOID FUNC in %s function in";
inline constexpr const char* kMsgButtonSysSide =
    "Parameter 3 in ButtonSys function must be $Left or $Right in";
inline constexpr const char* kMsgStoreValVariable = "No variable given for StoreVal";

}  // namespace tornel
