// The character sets of shortcut files: UTF-16LE for Unicode strings and
// Windows-1252 for the ANSI ones, to and from the UTF-8 of the program's
// texts off Windows.
#pragma once

#include <string>
#include <string_view>

namespace lnkedit {

// UTF-8 to UTF-16 code units; a malformed byte becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-16 code units to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Windows-1252 bytes to UTF-8 (the five unassigned bytes become U+FFFD).
std::string Cp1252ToUtf8(std::string_view text);
// UTF-8 to Windows-1252; false when a character has no Windows-1252 byte
// (it is then written as '?').
bool Utf8ToCp1252(std::string_view text, std::string* out);

}  // namespace lnkedit
