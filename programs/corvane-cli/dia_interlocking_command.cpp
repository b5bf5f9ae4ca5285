#include "dia_interlocking_command.h"

#include "app/dia_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "base/output_path.h"
#include "cli_dia.h"
#include "cli_output.h"
#include "interlocking/interlocking_panel.h"

namespace corvane {

namespace {

constexpr std::string_view kDiaKinds[] = {"kvb", "kvp", "kvd", "kve", "kvw"};

}  // namespace

int InterlockingCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                        Prompter& prompter, const std::function<int(std::string_view)>& usage_error,
                        bool answer_no, const LoadCheckSetup* checks) {
  if (args.size() != 4 || (args[3] != "on" && args[3] != "off")) {
    return usage_error("dia interlocking: IN OUT on|off [--yes|--no] expected");
  }
  if (!OutputPathAllowed(args[2], {args[1]}, kDiaKinds, prompter)) return 2;
  CliDia dia(data_folder, prompter, checks);
  if (!dia.ready() || !dia.Open(args[1])) return 1;
  DiaDocument& document = dia.document();
  const bool wanted_on = args[3] == "on";
  const bool on = document.file().header.settings.use_interlocking != 0;
  if (on != wanted_on) {
    // The question after the generation is shown, then answered as asked.
    QueuedAnswers answers(prompter);
    answers.Queue(answer_no ? PromptAnswer::kNo : PromptAnswer::kYes);
    OperationReport report;
    report.boxes = &answers;
    if (ToggleInterlockingPanel(document.model(), report) == PanelToggle::kRefused) return 1;
  }
  return document.SaveAsPath(args[2]) ? 0 : 1;
}

}  // namespace corvane
