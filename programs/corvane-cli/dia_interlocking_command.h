#pragma once
// corvane-cli dia interlocking: the relay-interlocking panel mode switched
// on or off on a dia data file, saved to another.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "base/prompter.h"
#include "run/load_checks.h"

namespace corvane {

// `args`: "interlocking", IN, OUT, "on" or "off". The question after the
// generation is answered No when `answer_no`, else Yes; IN is opened with
// the load-time checks `checks` (none when null). `usage_error` reports a
// wrong command line and gives its status. Returns the exit status: 0 done,
// 1 refused or IN unreadable (OUT not written), 2 a wrong command line or a
// refused OUT.
int InterlockingCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                        Prompter& prompter, const std::function<int(std::string_view)>& usage_error,
                        bool answer_no, const LoadCheckSetup* checks);

}  // namespace corvane
