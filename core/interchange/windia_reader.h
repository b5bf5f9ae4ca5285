#pragma once
// Reading a WinDIA timetable (".dia"): a Shift-JIS text of sections
// "[WinDIA]", "[駅]", "[線種]", "[下り]" and "[上り]" holding the title, the
// station list, the train types' line codes and names, and one line per
// train with a field per station. What is read here is turned into a
// straight line by BuildWindiaLine (windia_line.h).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/dia_data.h"

namespace corvane {

// Train types a WinDIA file can name.
inline constexpr int kWindiaTrainTypes = 17;

struct WindiaStation {
  int scale = 2;         // 3 major station, 2 staffed station
  int time_display = 0;  // 1 arrival and departure, 2 down, 3 up, 0 none
  std::string name;      // Shift-JIS, as written
};

struct WindiaTypeNames {
  std::string name;        // full name
  std::string short_name;  // abbreviated name
};

// One stop event of a train as read; `timed` is false for a pass written
// without a time (stored as time 0).
struct WindiaEvent {
  StopEvent event;
  bool timed = true;
};

struct WindiaTrain {
  bool down = true;
  int type = 0;  // as written: 0-based
  std::string number;
  std::string text3;
  int value17 = 0;
  std::string remark;
  std::vector<WindiaEvent> events;  // running order, no end event
};

struct WindiaTimetable {
  std::string title;
  std::vector<WindiaStation> stations;
  std::optional<std::vector<int>> line_codes;  // the "LINES=" values, at most 17
  std::array<std::optional<WindiaTypeNames>, kWindiaTrainTypes> type_names;
  std::vector<WindiaTrain> trains;
};

// True when the text holds a line that is exactly "[WinDIA]".
bool IsWindiaText(std::string_view sjis);

// Reads the text as the member text form does: lines end at a line feed (a
// carriage return before it dropped), a last line without one is not read,
// empty lines are skipped. A train's stations are those read so far.
WindiaTimetable ReadWindiaText(std::string_view sjis);

// The seconds of a field's time "hhmm" (hours × 100 + minutes), kept in
// the range of an int.
int WindiaSeconds(long long hhmm);

}  // namespace corvane
