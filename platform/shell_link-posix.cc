// No shell-link object off Windows: lnkedit reads and writes the shortcut
// file format itself there.
#include "platform/shell_link.h"

namespace platform {

struct ShellLinkObject::Com {};

ShellLinkObject::ShellLinkObject() = default;
ShellLinkObject::~ShellLinkObject() = default;
bool ShellLinkObject::Available() { return false; }
long ShellLinkObject::StartCom() { return kNotAvailable; }
long ShellLinkObject::Create() { return kNotAvailable; }
long ShellLinkObject::Load(const std::string&) { return kNotAvailable; }
long ShellLinkObject::Read(ShellLinkFields*) { return kNotAvailable; }
long ShellLinkObject::ReadTarget(std::string*) { return kNotAvailable; }
long ShellLinkObject::Resolve() { return kNotAvailable; }
long ShellLinkObject::Write(const ShellLinkFields&, const ShellLinkFields*) {
  return kNotAvailable;
}
long ShellLinkObject::Save(const std::string&) { return kNotAvailable; }

}  // namespace platform
