// The settings statements: one line that describes a group of machine codes
// or switches, compiled into plain assignments of system variables.
//
//   interp: 0 1 2 3        srcRapid=0  srcLine=1  srcArcCw=2  srcArcCcw=3
//                          srcHelicCw=2  srcHelicCcw=3
//
// The statement's parameters are pieces of expression text: a sign or a
// string starts a new one, blanks separate them ("spindle: 5 3-4" has three).
// A parameter that the post file leaves out leaves its variable alone.  The
// pass runs inside the final text pass, after the built-in names became
// tokens; variables are references by then, and `yes`/`no` become 1/0
// after it.  init: is compiled earlier, by the keyword pass.
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

inline constexpr int kSettingsMaxParameters = 39;  // pieces read; the rest is ignored

inline constexpr const char* kMsgSettingsMissing = "Parameter %d (%s) missing from %s statement in";
inline constexpr const char* kMsgSettingsTooMany = "Too many parameters in %s statement in";
inline constexpr const char* kMsgSettingsUnknown = "Unknown";  // no description for the parameter
inline constexpr const char* kMsgSeqNumsAddress =
    "Invalid parameter 2 (must be Address) in SeqNums statement in";
inline constexpr const char* kMsgCommentString =
    "Invalid parameter 1 (must be String) in Comment statement in";

// `statement` is one statement of the final text pass (no location prefix;
// diag.loc is its location, a blank follows every ':').  Gives false and
// leaves `out` alone when it holds no settings keyword; else fills `out`
// with the assignments, one statement each, and gives true.  A keyword that
// doesn't begin the statement, too few or too many parameters and a wrong
// parameter are reported; nothing is produced then.
bool CompileSettingsStatement(Diagnostics& diag, const std::string& statement,
                              std::vector<std::string>& out);

// The hook of the final text pass: each settings statement in `statements`
// is replaced by its assignments.
void SettingsPass(Diagnostics& diag, std::vector<std::string>& statements);

}  // namespace tornel
