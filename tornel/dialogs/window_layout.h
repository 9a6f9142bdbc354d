// How a page of a post dialog is laid out as a window: the 200 columns of
// the definition across the window, one row per item, the button row at
// the bottom.  Over plain values, so that the layout is the same on every
// platform and can be checked without a window.
//
// - An item's field takes the columns of the layout in force when it was
//   added (DialogField: start and width); its prompt stands in the
//   columns left of the field, against the field ($right, the default) or
//   from the left edge ($left).  A field that starts too far left for its
//   prompt gets the prompt on a row of its own above it.
// - An item's own two layout numbers, where given, are its start column
//   and its width in columns, for that item alone.
// - Texts take the whole width unless they have numbers of their own.
// - $table: an item stays on the row of the table item before it when it
//   starts to the right of it, so that one DialogField per column makes a
//   table; its cell holds the field alone (the headings are texts in the
//   same columns).
// - Option buttons stand one under the other, or side by side in the
//   field's columns with $horiz; their prompt, if any, stands left of the
//   first.
// - Button: the item's columns; ButtonSys: in the button row, left or
//   right, its second number the width in columns.
// - Every page of a dialog has the height of the tallest, so that the
//   button row stays in place when the page changes.
#pragma once

#include <string>
#include <vector>

#include "platform/form_window.h"
#include "tornel/dialogs/dialog_def.h"
#include "tornel/dialogs/dialog_run.h"

namespace tornel {

// Dialog units.
inline constexpr int kFormMargin = 7;
inline constexpr int kFormRow = 15;
inline constexpr int kFormColumnsWidth = 300;  // the 200 columns
inline constexpr int kFormButtonWidth = 50;
inline constexpr int kFormButtonHeight = 14;
inline constexpr int kFormButtonGap = 4;

// A page as a form, and what each of its controls stands for: the
// dialog item it shows (-1 a prompt or a row button), and for a push
// button the action it starts.
struct PageForm {
  platform::Form form;
  std::vector<int> item;
  std::vector<DialogAction> action;
};

PageForm LayoutPage(const DialogDef& d, int page, const std::vector<PageRange>& pages,
                    const std::vector<FieldState>& fields, const PageButtons& buttons, int focus);

// The answer of the window as the dialog runner takes it: the action of
// the button pressed (Cancel when none) and the fields as the user left
// them.
PageAnswer AnswerOf(const DialogDef& d, const PageForm& page, const platform::FormAnswer& answer,
                    const std::vector<FieldState>& fields);

}  // namespace tornel
