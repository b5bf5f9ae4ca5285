#pragma once
// A train's state code (0..18) as a text and a colour. The board writes a
// train's number in the colour; the text is what train information shows.

#include <string>

#include "base/text_format.h"
#include "board/line_items.h"
#include "run/run_state.h"

namespace corvane {

// The state texts of codes 5..16, in both languages (the message table's
// train states take them from here). The English ones are six characters
// wide, blanks included.
inline constexpr int kFirstTableState = 5;
inline constexpr Bilingual kTrainStateTexts[] = {
    {"発車待", "Wait  "}, {"信号待", "Signal"}, {"進路待", "Route "},
    {"電化違", "Elec  "}, {"抑止中", "InSusp"}, {"通知待", "Notice"},
    {"発車音", "InBell"}, {"ドア閉", "Close "}, {"", ""},
    {"加速中", "Accel "}, {"走行中", "Run   "}, {"減速中", "Decel "},
};

// What the state of a train depends on besides its run-time values.
struct TrainStateContext {
  bool to_diagram = false;        // its diagram record is above 0
  bool collects_tickets = false;  // its station collects tickets (code 0)
  int safety_device = 0;          // the map's (MapSettings::safety_device)
  bool motion_colours = false;    // codes 14..16 in their own colours
  bool english = false;
};

struct TrainStateLook {
  std::string text;  // UTF-8
  Rgb colour;
};

TrainStateLook TrainStateOf(const TrainRun& train, const TrainStateContext& context);

}  // namespace corvane
