#pragma once
// corvane-cli dia operate: the interlocking of a dia data file driven by a
// script on standard input, with its state dumped on standard output.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "base/prompter.h"

namespace corvane {

// `args` is "operate", FILE and the board options of dia board (--size,
// --scale, --scroll: the client, zoom and scroll of display window 00 for
// the panel lines, the same defaults). Opens FILE as the main window's open
// reads it, brings it into its working state and runs the script of
// standard input over it (the interlocking lines of OperateScript and the
// panel lines of PanelScript); writes no file. The operations' message-line
// texts go to standard error as "message: TEXT", their message boxes
// through `prompter`. Returns the exit status: 0 the script ran to its end,
// 1 the file could not be read, 2 a wrong command line or a bad script line
// (reported as "line N: ..." last).
int OperateCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                   Prompter& prompter, const std::function<int(std::string_view)>& usage_error);

}  // namespace corvane
