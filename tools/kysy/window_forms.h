// The five dialogs as forms for platform::FormWindows: the message above,
// the list, field or boxes, the extra buttons and the row of "OK" and
// "Peruuta", laid out in dialog units; and the answers read back from
// the controls as the user left them.
#pragma once

#include <array>
#include <vector>

#include "platform/form_window.h"
#include "tools/kysy/seams.h"

namespace kysy {

// A form and where its controls stand in it (-1: not there).
struct DialogForm {
  platform::Form form;
  int content = -1;  // the list, combo box or edit field
  int ok = -1, cancel = -1;
  std::array<int, kMaxBoxes> extras{-1, -1, -1, -1, -1};  // EDITBOX's buttons
  std::vector<int> boxes;                                 // the check boxes or radio buttons
};

DialogForm ListForm(const ListRequest& request);
DialogForm ComboForm(const ListRequest& request);
DialogForm EditForm(const EditRequest& request);
DialogForm CheckForm(const BoxesRequest& request);
DialogForm RadioForm(const BoxesRequest& request);

ListAnswer ListFromForm(const DialogForm& form, const platform::FormAnswer& answer);
ListAnswer ComboFromForm(const DialogForm& form, const platform::FormAnswer& answer);
EditAnswer EditFromForm(const DialogForm& form, const platform::FormAnswer& answer);
// Boxes not shown keep the state the request gave them.
BoxesAnswer CheckFromForm(const DialogForm& form, const BoxesRequest& request,
                          const platform::FormAnswer& answer);
BoxesAnswer RadioFromForm(const DialogForm& form, const platform::FormAnswer& answer);

}  // namespace kysy
