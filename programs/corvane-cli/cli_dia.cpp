#include "cli_dia.h"

#include "cli_output.h"

namespace corvane {

CliDia::CliDia(const DataFolder& data_folder, Prompter& prompter, const LoadCheckSetup* checks)
    : scratch_(data_folder.TempFolder(), "cli-") {
  if (scratch_.path().empty()) {
    PrintNote("cannot create a scratch folder");
    return;
  }
  document_ =
      std::make_unique<DiaDocument>(ScratchDiaFolders(scratch_.path()), prompter, chooser_, log_);
  if (checks != nullptr) document_->SetLoadChecks(*checks);
}

}  // namespace corvane
