#include "import_command.h"

#include <optional>

#include "app/dia_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "interchange/windia_line.h"

namespace corvane {

int ImportWindiaCommand(const std::string& windia_path, const std::string& out_path,
                        const DataFolder& data_folder, Prompter& prompter) {
  std::optional<DiaFile> imported = ImportWindiaFile(windia_path, prompter);
  if (!imported) return 1;
  const TemporaryFolder scratch(data_folder.TempFolder(), "cli-");
  ScriptedChooser chooser;  // never asked: the path comes from the command line
  MessageLog log;
  DiaDocument dia(ScratchDiaFolders(scratch.path()), prompter, chooser, log);
  dia.set_english(data_folder.english);
  dia.Replace(std::move(*imported));
  return dia.SaveAsPath(out_path) ? 0 : 1;
}

}  // namespace corvane
