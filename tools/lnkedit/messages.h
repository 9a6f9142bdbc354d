// lnkedit's texts (messages.def) and the ways they are put together.
#pragma once

#include <string>

namespace lnkedit {

enum class Message {
#define LNKEDIT_MESSAGE(name, text) name,
#include "tools/lnkedit/messages.def"
#undef LNKEDIT_MESSAGE
};

const char* Text(Message message);

// "ERROR: <message>\n" and the usage text.
std::string UsageErrorText(const std::string& message);
// A failed call with its code: hexadecimal for a negative (HRESULT) code,
// decimal for a positive one, the message alone for zero.
std::string ErrorCodeText(const std::string& message, long code);

}  // namespace lnkedit

namespace lnkedit {
struct LinkRecord;
// The contents of a shortcut as the dump command shows them.
std::string DumpText(const LinkRecord& record);
}  // namespace lnkedit
