#include "platform/select_list.h"
#include "platform/select_list_console.h"

namespace platform {

ListChoice SelectFromList(const ListRequest& r) {
  return console::SelectFromList(r.caption, r.prompt, r.entries, r.preselected);
}

}  // namespace platform
