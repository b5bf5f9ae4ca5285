#pragma once
// What the tool prints: data on standard output, its own messages on
// standard error as "corvane-cli: text", both with the control characters
// of data escaped.

#include <string_view>

namespace corvane {

// Data on standard output: names and values read from files, with their
// control characters escaped.
void PrintData(std::string_view text);

// The tool's own message on standard error; `text` may hold data.
void PrintNote(std::string_view text);

// The exit status of a command that returned `status`, once its output is
// written: 1 when standard output could not take it (a full disk, a closed
// pipe), so that lost data is never reported as success.
int FinishOutput(int status);

}  // namespace corvane
