#include "dia_edit_command.h"

#include <fstream>
#include <iostream>
#include <optional>

#include "app/dia_document.h"
#include "app/dia_edit_script.h"
#include "base/output_path.h"
#include "cli_dia.h"
#include "cli_output.h"

namespace corvane {

namespace {

constexpr std::string_view kDiaKinds[] = {"kvb", "kvp", "kvd", "kve", "kvw"};

}  // namespace

int DiaEditCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                   Prompter& prompter, const std::function<int(std::string_view)>& usage_error,
                   const LoadCheckSetup* checks) {
  const bool with_save = args.size() == 4;
  if ((args.size() != 3 && !with_save) ||
      (with_save && (args[3].rfind("--save=", 0) != 0 || args[3].size() <= 7))) {
    return usage_error("dia edit: FILE SCRIPT [--save=OUT] expected");
  }
  const std::optional<std::string> out =
      with_save ? std::optional<std::string>(args[3].substr(7)) : std::nullopt;
  if (out && !OutputPathAllowed(*out, {args[1], args[2]}, kDiaKinds, prompter)) return 2;
  std::ifstream script_file(args[2], std::ios::binary);
  if (!script_file) return usage_error("dia edit: cannot read the script " + args[2]);

  // The script's "answer yes|no" lines answer the questions.
  QueuedAnswers answers(prompter);
  CliDia dia(data_folder, answers, checks);
  if (!dia.ready() || !dia.Open(args[1])) return 1;
  DiaDocument& document = dia.document();
  bool no_output = false;
  const auto save = [&document, &out, &no_output] {
    if (!out) {
      no_output = true;
      return false;
    }
    return document.SaveAsPath(*out);
  };
  DiaDialogOptions options;
  options.extension = checks != nullptr && checks->extension;
  DiaEditScript script(document.model(), answers, save, options);
  script.SetOutput(&std::cout);
  const std::string& sounds = data_folder.table[kSlotSoundStation];
  if (!sounds.empty()) script.set_sound_folder(WithoutTrailingSlash(sounds));
  std::string error;
  const bool ran = script.Run(script_file, &error);
  if (script.HasUnusedAnswers()) {
    PrintNote(
        "an answer was never used: a dialog or question takes the answers given before the "
        "line that opens it");
  }
  if (!ran) {
    PrintNote(no_output ? error + " (no --save=OUT given)" : error);
    return 1;
  }
  if (out && !document.SaveAsPath(*out)) return 1;
  return 0;
}

}  // namespace corvane
