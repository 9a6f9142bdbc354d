// The main dialog: the Surfcam folders and version, the Predator check
// box, the browse buttons and the commands for the postprocessor and the
// extras.  Built as a form; the commands run against a Host.
#pragma once

#include <string>

#include "platform/form_window.h"
#include "tools/setup/detection.h"
#include "tools/setup/seams.h"
#include "tools/setup/version_list.h"

namespace setup {

// The controls by their place in the form.
enum MainControl : int {
  kProgramLabel, kProgramEdit, kProgramBrowse,
  kDataLabel, kDataEdit, kDataBrowse,
  kVersionLabel, kVersionCombo,
  kPredatorCheck, kInstallPostButton,
  kExtrasLabel, kExtrasVersion,
  kTemplatesCheck, kToolsCheck, kDncCheck,
  kInstallButton, kSaveButton, kQuitButton,
};

// The labels and captions come from `host`'s string table.
platform::Form MainForm(const VersionList& list, const Detection& detection, Host& host);

// The versions the extras can be moved for: the list from its first entry
// up to the detected one (all of it when none was found).
size_t ExtrasVersionCount(const VersionList& list, const Detection& detection);

// Runs the command of push button `pressed` with the fields of `form`;
// false when it is "Lopeta".
bool RunMainCommand(int pressed, const VersionList& list, const Detection& detection,
                    platform::Form& form, const std::string& package, Host& host);

}  // namespace setup
