#pragma once
// The words of a script line (the text commands of corvane-cli): blanks
// trimmed, words split at blanks, whole decimal numbers.

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// `text` without blanks (space, tab, CR, LF) at either end.
std::string_view Trim(std::string_view text);
// The first word of `*rest`, which keeps what follows it (trimmed).
std::string_view NextWord(std::string_view* rest);
// Every word of `text`.
std::vector<std::string_view> Words(std::string_view text);
// A whole decimal number filling `text`; none for anything else or a value
// beyond an int.
std::optional<int> ParseInt(std::string_view text);

// Gives every line of `in` to `run_line(number, line)`, numbered from 1,
// up to the first for which it returns false; true when all were run.
template <typename RunLine>
bool RunScriptLines(std::istream& in, RunLine run_line) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!run_line(number, line)) return false;
  }
  return true;
}

// What one line of an editing script (map edit, dia edit) came to.
enum class ScriptLineOutcome {
  kDone,
  kMalformed,   // the line is not a command; nothing was done
  kSaveFailed,  // the save command failed (already reported)
};

// Runs every line of `in` through `run_line(line, &why)`, stopping at a
// malformed line ("line N: why") or a failed save ("line N: the `saved` was
// not saved"), with `*error` saying which. True when every line ran.
template <typename RunLine>
bool RunEditScriptLines(std::istream& in, std::string_view saved, std::string* error,
                        RunLine run_line) {
  return RunScriptLines(in, [&](int number, std::string_view line) {
    std::string why;
    switch (run_line(line, &why)) {
      case ScriptLineOutcome::kDone:
        return true;
      case ScriptLineOutcome::kMalformed:
        *error = "line " + std::to_string(number) + ": " + why;
        return false;
      case ScriptLineOutcome::kSaveFailed:
        *error =
            "line " + std::to_string(number) + ": the " + std::string(saved) + " was not saved";
        return false;
    }
    return false;
  });
}

}  // namespace corvane
