#pragma once
// The checks, version conversions and repairs that dia data goes through
// after it is read and before it is used: links between the timetable's
// records, the map settings of data made by the timetable import, series
// held twice or from older versions, the signal aspect conversion of old
// maps, the display rows' jumps of old data, destination numbers and, last,
// the rail links of the compiled map. Repairs ask first (some are silent)
// and are one DiaChange; every number read from the file is range-checked
// before it indexes a table, and a number out of range is itself reported.

#include <functional>
#include <optional>
#include <string_view>

#include "base/prompter.h"
#include "run/dia_model.h"
#include "stock/series_file.h"

namespace corvane {

// What the opener gives the checks.
struct LoadCheckSetup {
  bool extension = false;  // the program's "拡張機能" option
  // Where the series files are found for the version-up of old series
  // (empty folder: none is found).
  SeriesFolders series_folders;
  // The status line's text while a step runs ("" when done).
  std::function<void(std::string_view)> status;
  // The signal settings dialog of the main window, shown over `settings`:
  // true on OK with the values taken into `settings`. Without one the
  // proposed values are taken as they are.
  std::function<bool(MapSettings& settings)> signal_settings;
  // Answers the checks' boxes instead of the opener's prompter, when set.
  Prompter* prompter = nullptr;
};

// Shows every box through `shown` and answers it without asking: Yes/No
// questions with `question`, Abort/Retry/Ignore reports with `report`;
// `taken` hears each answer given to a question or report.
class FixedAnswers : public Prompter {
 public:
  FixedAnswers(Prompter& shown, PromptAnswer question, PromptAnswer report,
               std::function<void(PromptAnswer)> taken = {})
      : shown_(shown), question_(question), report_(report), taken_(std::move(taken)) {}
  PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons,
                   PromptIcon icon) override;

 private:
  Prompter& shown_;
  PromptAnswer question_;
  PromptAnswer report_;
  std::function<void(PromptAnswer)> taken_;
};

// "Yes", "No", "Abort", "Retry", "Ignore", "OK", "Cancel".
const char* AnswerName(PromptAnswer answer);

struct LoadCheckResult {
  bool aborted = false;    // the rail link check was aborted: the load fails
  int prompts = 0;         // boxes shown (questions, reports, messages)
  bool converted = false;  // the signal aspects were converted: save under a new name
};

// Runs every step in order on the data `model` holds (as read: the header's
// version is the data's). Repairs are one action; when aborted, nothing of
// them is left.
LoadCheckResult RunLoadChecks(DiaModel& model, const LoadCheckSetup& setup, Prompter& prompter);

// The signal aspect conversion of a map older than signal version 1042
// (also a command of the signal settings): the deceleration the signals
// are calculated with follows the smallest ATC brake of the series held,
// the stop margin shrinks by 5, and the signal settings dialog confirms
// them. True when converted; refusals are shown.
bool ConvertSignalAspects(DiaModel& model, const LoadCheckSetup& setup, Prompter& prompter);

// The deceleration for signal calculation (km/h/s × 100) a smallest ATC
// brake of `brake` (1/1024 km/h/s) allows, nothing without series.
std::optional<int> ConvertedHandleAtc(std::optional<int> brake, int handle_atc);

}  // namespace corvane
