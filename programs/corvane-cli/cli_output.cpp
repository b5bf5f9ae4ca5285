#include "cli_output.h"

#include <cstdio>

#include "base/text_format.h"

namespace corvane {

void PrintData(std::string_view text) { std::fputs(TerminalText(text).c_str(), stdout); }

void PrintNote(std::string_view text) {
  std::fprintf(stderr, "corvane-cli: %s\n", TerminalText(text).c_str());
}

int FinishOutput(int status) {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
  PrintNote("cannot write to standard output");
  return status == 0 ? 1 : status;
}

}  // namespace corvane
