#include "tools/kysy/answer_file.h"

#include "platform/code_pages.h"
#include "platform/paths.h"
#include "tools/kysy/text_lines.h"
#include "tools/kysy/texts.h"

namespace kysy {

namespace {

std::string Line(size_t k, const std::string& value) {
  return std::string(kAnswerLine) + std::to_string(k + 1) + "=" + value;
}

}  // namespace

std::string AnswerText(const Answer& values) {
  if (values.empty()) return {};
  std::string text = Line(0, values[0]) + "\n";
  if (values.size() == 2) return text + "\n" + Line(1, values[1]) + "\n";
  for (size_t k = 1; k < values.size(); ++k) text += Line(k, values[k]) + "\n";
  return text;
}

std::optional<std::string> AnswerPath(const Environment& env) {
  std::optional<std::string> temp = env.Get(kEnvTemp);
  // Windows has no empty variables; an empty one counts as not set.
  if (!temp || temp->empty()) return std::nullopt;
  return platform::WithTrailingSeparator(*temp) + kAnswerFile;
}

bool WriteAnswer(Host& host, const Answer& values) {
  std::optional<std::string> path = AnswerPath(host.env);
  if (!path) return false;
  std::string scratch;
  std::unique_ptr<OutputFile> out = host.files.CreateBeside(*path, scratch);
  if (!out) return false;
  bool ok = WriteText(*out, platform::AnsiToOem(AnswerText(values)));
  ok = out->Close() && ok;
  if (ok) ok = host.files.Replace(scratch, *path);
  if (!ok) host.files.RemoveFile(scratch);
  return ok;
}

}  // namespace kysy
