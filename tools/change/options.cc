#include "tools/change/options.h"

#include "tools/change/texts.h"

namespace change {

namespace {

// The character after the "=" of `key` ("/Q=") in `arg`: '\0' when the
// argument ends with it, `current` when the key is not there.
char KeyedCharacter(const std::string& arg, const char* key, char current) {
  size_t at = arg.find(key);
  if (at == std::string::npos) return current;
  size_t after = at + 3;
  return after < arg.size() ? arg[after] : '\0';
}

}  // namespace

Options ParseOptions(const CommandLine& line) {
  Options o;
  for (size_t i = 3; i < line.args.size(); ++i) {
    const std::string arg = o.case_sensitive ? line.args[i] : UpperAscii(line.args[i]);
    if (arg.size() >= 2 && arg[0] == '/') {
      switch (arg[1]) {
        case 'C': o.case_sensitive = true; break;
        case 'U': o.upper = true; break;
        case 'L': o.lower = true; break;
        case 'A': o.ansi = true; break;
        case 'O': o.omit_empty = true; break;
        case 'B': o.at_start = true; break;
        case 'E': o.at_end = true; break;
        case 'W': o.warn = true; break;
        default: break;
      }
    }
    o.quote = KeyedCharacter(arg, "/Q=", o.quote);
    o.line_break = KeyedCharacter(arg, "/N=", o.line_break);
  }
  return o;
}

}  // namespace change
