#include "dia_operate_command.h"

#include <cstdio>
#include <iostream>
#include <utility>

#include "app/english_twins.h"
#include "base/text_format.h"
#include "cli_output.h"
#include "data/dia_file.h"
#include "interlocking/operate_script.h"
#include "interlocking/operation_data.h"
#include "run/dia_model.h"

namespace corvane {

namespace {

// One line on standard error, its own trailing line feeds dropped.
void PrintLine(std::string_view prefix, std::string_view text) {
  while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  std::fflush(stdout);
  std::fprintf(stderr, "%s%s\n", std::string(prefix).c_str(), TerminalText(text).c_str());
}

}  // namespace

int OperateCommand(const std::string& path, const DataFolder& data_folder, Prompter& prompter) {
  DiaFile read;
  if (OpenDiaFile(path, data_folder.TempFolder(), prompter, read, data_folder.english) !=
      DiaReadResult::kRead) {
    return 1;
  }
  DiaModel model;
  model.Replace(std::move(read), InitialiseOperationData);
  OperationReport report;
  const bool english = data_folder.english;
  report.line = [english](std::string_view text, bool /*beep*/) {
    PrintLine("message: ", Shown(text, english));
  };
  report.boxes = &prompter;
  OperateScript script(model, PrintData, report);
  std::string error;
  if (script.Run(std::cin, &error) == OperateScript::Outcome::kDone) return 0;
  PrintLine("", error);
  return 2;
}

}  // namespace corvane
