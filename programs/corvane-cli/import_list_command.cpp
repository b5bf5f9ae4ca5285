#include "import_list_command.h"

#include "interchange/import_list.h"

namespace corvane {

int ImportListCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                      Prompter& prompter, const std::function<int(std::string_view)>& usage_error) {
  if (args.size() != 2 || args[0] != "list") {
    return usage_error("import list: FILE.kvi expected");
  }
  const auto counts = ImportListFile(args[1], data_folder.path, prompter);
  return counts && counts->failed == 0 ? 0 : 1;
}

}  // namespace corvane
