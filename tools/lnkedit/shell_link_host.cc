#include "tools/lnkedit/shell_link_host.h"

#include "platform/files.h"
#include "platform/full_path.h"
#include "platform/message_box.h"

namespace lnkedit {
namespace {

platform::ShellLinkFields FieldsOf(const LinkRecord& r) {
  platform::ShellLinkFields f;
  f.target = r.target;
  f.arguments = r.arguments;
  f.description = r.description;
  f.working_dir = r.working_dir;
  f.hotkey = r.hotkey;
  f.icon_file = r.icon_file;
  f.icon_index = r.icon_index;
  f.show_command = r.show_command;
  return f;
}

}  // namespace

void ShellLinkHost::Show(const std::string& text) {
  platform::ShowReport(Text(Message::kCaption), text, platform::Icon::kInformation);
}

bool ShellLinkHost::FullPath(const std::string& path, std::string* full, long* error) {
  return platform::FullPathName(path, full, error);
}

bool ShellLinkHost::Exists(const std::string& path) { return platform::FileExists(path); }

StoreResult ShellLinkHost::Start(Message* message) {
  long hr = object_.StartCom();
  if (hr < 0) {
    *message = Message::kCoInitializeFailed;
    return {hr, ""};
  }
  hr = object_.Create();
  if (hr < 0) {
    *message = Message::kNoShellLinkObject;
    return {hr, ""};
  }
  return {};
}

StoreResult ShellLinkHost::Load(const std::string& link, LinkRecord* record) {
  long hr = object_.Load(link);
  if (hr < 0) return {hr, ""};
  platform::ShellLinkFields f;
  if ((hr = object_.Read(&f)) < 0) return {hr, ""};
  loaded_ = true;
  loaded_fields_ = f;
  record->target = f.target;
  record->arguments = f.arguments;
  record->description = f.description;
  record->working_dir = f.working_dir;
  record->hotkey = static_cast<uint16_t>(f.hotkey);
  record->icon_file = f.icon_file;
  record->icon_index = f.icon_index;
  record->show_command = f.show_command;
  return {};
}

StoreResult ShellLinkHost::Resolve(LinkRecord* record, bool keep_target) {
  long hr = object_.Write(FieldsOf(*record), loaded_ ? &loaded_fields_ : nullptr);
  if (hr < 0) return {hr, ""};
  // S_FALSE and other remarks count as failures: the link was not resolved.
  if ((hr = object_.Resolve()) != 0) return {hr, ""};
  std::string found;
  if (!keep_target && object_.ReadTarget(&found) == 0 && !found.empty()) record->target = found;
  return {};
}

StoreResult ShellLinkHost::Save(const std::string& link, const LinkRecord& record) {
  long hr = object_.Write(FieldsOf(record), loaded_ ? &loaded_fields_ : nullptr);
  if (hr < 0) return {hr, ""};
  if ((hr = object_.Save(link)) < 0) return {hr, ""};
  return {};
}

}  // namespace lnkedit
