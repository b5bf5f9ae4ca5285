#include "dia_operate_command.h"

#include <cstdio>
#include <iostream>
#include <utility>

#include "app/english_twins.h"
#include "base/file_io.h"
#include "base/text_format.h"
#include "board/panel_script.h"
#include "cli_output.h"
#include "data/dia_file.h"
#include "dia_board_command.h"
#include "interlocking/operate_script.h"
#include "interlocking/operation_data.h"
#include "run/dia_model.h"
#include "run/rollback_list.h"

namespace corvane {

namespace {

// One line on standard error, its own trailing line feeds dropped.
void PrintLine(std::string_view prefix, std::string_view text) {
  while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  std::fflush(stdout);
  std::fprintf(stderr, "%s%s\n", std::string(prefix).c_str(), TerminalText(text).c_str());
}

}  // namespace

int OperateCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                   Prompter& prompter, const std::function<int(std::string_view)>& usage_error) {
  BoardOptions options;
  std::string problem;
  if (!ReadBoardOptions(args, false, &options, &problem)) {
    return usage_error("dia operate: " + problem);
  }
  if (options.files.size() != 1) return usage_error("dia operate: FILE expected");
  DiaFile read;
  if (OpenDiaFile(options.files[0], data_folder.TempFolder(), prompter, read,
                  data_folder.english) != DiaReadResult::kRead) {
    return 1;
  }
  DiaModel model;
  model.Replace(std::move(read), InitialiseOperationData);
  // Executed data goes on from the run-time state it was saved with.
  RestoreStackMember(model, JoinPath(data_folder.TempFolder(), kStackMember), prompter);
  // Window 00 shows the board as dia board prints it.
  DisplayWindowSection window = model.windows()[0];
  const auto [scale_x, scale_y] = options.scale.value_or(std::pair{kOneToOneScale, kOneToOneScale});
  const auto [scroll_x, scroll_y] = options.scroll.value_or(std::pair{0, 0});
  window.view.scale_x = scale_x;
  window.view.scale_y = scale_y;
  window.view.scroll_pos_x = scroll_x;
  window.view.scroll_pos_y = scroll_y;
  model.SetDisplayWindow(0, window);
  const auto [width, height] = options.size.value_or(std::pair{1000, 700});

  OperationReport report;
  const bool english = data_folder.english;
  report.line = [english](std::string_view text, bool /*beep*/) {
    PrintLine("message: ", Shown(text, english));
  };
  report.boxes = &prompter;
  PanelScript script(model, PanelWindow{0, width, height}, PrintData, report, english);
  script.SetNameTablesFolder(data_folder.path + "/");
  std::string error;
  if (script.Run(std::cin, &error) == OperateScript::Outcome::kDone) return 0;
  PrintLine("", error);
  return 2;
}

}  // namespace corvane
