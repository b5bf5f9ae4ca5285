#pragma once
// corvane-cli dia edit: the main window's dia dialogs driven by a script
// file over dia data; the result written only to --save=OUT.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "base/prompter.h"
#include "run/load_checks.h"

namespace corvane {

// `args` is "edit", FILE, SCRIPT and an optional --save=OUT. Opens FILE as
// the main window does and runs SCRIPT (DiaEditScript); its "save" lines
// and the end of the script write OUT, never FILE. Returns the exit status:
// 0 the script ran to its end, 1 FILE could not be read, a script line was
// wrong (reported as "line N: ...") or a save failed, 2 a wrong command line.
int DiaEditCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                   Prompter& prompter, const std::function<int(std::string_view)>& usage_error,
                   const LoadCheckSetup* checks);

}  // namespace corvane
