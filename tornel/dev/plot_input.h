// Which reader a file to plot goes to: the extension when it is a known
// one (.cl .apt .cls: APT-CL; .nc .iso .tap .ngc .mpf .pim: NC), else the
// content: the first line that holds more than a comment is an APT-CL
// record when it begins with a word and "/" (or is a lone major word such
// as RAPID), an NC block otherwise.
#pragma once

#include <string>
#include <string_view>

namespace tornel::dev {

enum class InputKind { kCl, kNc };

InputKind TellInputKind(const std::string& path, std::string_view text);

}  // namespace tornel::dev
