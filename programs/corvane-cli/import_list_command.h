#pragma once
// corvane-cli import list: an import list (".kvi") copied into the data
// folder, its questions answered by --yes / --no.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "base/prompter.h"

namespace corvane {

// `args` is "list" and FILE.kvi. The messages, questions and the summary go
// through `prompter` ("caption: text" on standard error). Returns the exit
// status: 0 nothing failed, 1 the list could not be read or some file failed
// or was refused, 2 a wrong command line.
int ImportListCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                      Prompter& prompter, const std::function<int(std::string_view)>& usage_error);

}  // namespace corvane
