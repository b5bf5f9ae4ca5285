#pragma once
// The check stages a map under edit passes before it is compiled. Each
// finding is a line for the message window, counted as an error or a
// warning and marked on its object; after each stage an error stops the
// compile and warnings ask whether to go on. Two stages repair the map.

#include <functional>
#include <string>
#include <string_view>

#include "base/prompter.h"
#include "map/check_marks.h"
#include "map/edit_map.h"

namespace corvane {

// Where the checks report to.
struct CheckOutput {
  std::function<void()> clear_messages;                // the message window is emptied
  std::function<void(std::string_view utf8)> message;  // a message-window line
  // A finding's line with the map object it marks (when set; otherwise
  // findings are plain lines too).
  std::function<void(std::string_view utf8, MapTable table, int index)> finding;
  std::function<void(std::string_view utf8)> progress;  // the stage's text, shown in the title
  Prompter* prompter = nullptr;                         // the stop and go-on boxes
};

// The counters and marks of one compile, shared by its check stages and the
// later stages of the conversion.
class CheckRun {
 public:
  CheckRun(MapCheckMarks& marks, const CheckOutput& output);

  void Progress(std::string_view text) const;
  // A finding, marked on `table`'s record `index` (no mark for index 0).
  void Error(std::string_view text, MapTable table = MapTable::kRail, int index = 0);
  void Warning(std::string_view text, MapTable table = MapTable::kRail, int index = 0);

  // After a stage: the counter line when anything was found, then an error
  // stops (false) and warnings ask; Yes forgets them and goes on.
  bool EndOfStage();
  // A plain message-window line (the compile's report).
  void Message(std::string_view text) const;
  // After the last stage of the compile: the counter line always, then the
  // stop or go-on box, whose answer no longer changes anything.
  void FinalReport();

  int errors() const { return errors_; }
  int warnings() const { return warnings_; }

 private:
  // The finding's line, with its object when it names one.
  void Finding(std::string_view text, MapTable table, int index) const;

  MapCheckMarks& marks_;
  const CheckOutput& output_;
  int errors_ = 0;
  int warnings_ = 0;
};

// The nine stages in order, each followed by EndOfStage; false as soon as
// one says stop. The repairs of stages 4 and 5 change the map (and stay).
bool RunCompileChecks(EditMap& map, CheckRun& run);

// How the compile command starts the checks: marks cleared, the message
// window emptied and given an empty line.
void StartChecks(MapCheckMarks& marks, const CheckOutput& output);

// The checks as the compile command starts them: StartChecks, then the
// stages.
bool CheckForCompile(EditMap& map, MapCheckMarks& marks, const CheckOutput& output);

}  // namespace corvane
