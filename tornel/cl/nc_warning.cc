#include "tornel/cl/nc_warning.h"

#include "platform/message_box.h"
#include "tornel/kinematics/angle_solution.h"
#include "tornel/output/comments.h"

namespace tornel {

void WarnInNcFile(ClContext& ctx, const std::string& message, int& shown) {
  OutputCommentLine(ctx.nc, message);
  if (shown != 0) return;
  const LanguageTable& lang = ctx.diag.lang;
  int line = ctx.nc.output.ring.written + 10;
  std::string where =
      FormatMessage(LangText(lang, kLangAfterNcLine, kMsgAfterNcLine), {std::to_string(line)});
  platform::ShowWarning(kProgramTitle, message + "\n" + where);
  ctx.diag.last_error = message;
  shown = 1;
}

}  // namespace tornel
