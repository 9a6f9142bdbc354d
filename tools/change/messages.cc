#include "tools/change/messages.h"

namespace change {

#define CHANGE_TEXT(name, text) const char name[] = text;
#define CHANGE_HELP(text)
#include "tools/change/messages.def"
#undef CHANGE_TEXT
#undef CHANGE_HELP

std::string HelpText() {
  static const char* const kLines[] = {
#define CHANGE_TEXT(name, text)
#define CHANGE_HELP(text) text,
#include "tools/change/messages.def"
#undef CHANGE_TEXT
#undef CHANGE_HELP
  };
  std::string text;
  for (const char* line : kLines) text += line;
  return text;
}

}  // namespace change
