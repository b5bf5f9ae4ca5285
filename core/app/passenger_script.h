#pragma once
// The passenger number window driven by the lines of a `dia edit` script
// ("passenger WORD ..."), on a window of the default size:
//
//   passenger pair FROM TO      show the curve of stations FROM to TO (TO 0:
//                               every other station)
//   passenger click TIME COUNT  a left click in the graph at TIME (seconds,
//                               H:MM or H:MM:SS; to the nearest 10 minutes,
//                               within 0 … 28:00) and COUNT passengers an hour
//   passenger rclick TIME       a right click: the entry at TIME goes
//   passenger press NAME        a button or menu line by its text or id (＋,
//                               －, 入力 are the curve's; １時間当たり＋ and
//                               １列車当たり－ name the station numbers')
//   passenger key KEY           f2, f5 … f8, left, right, up, down; any other
//                               key (the names of `dia operate`'s press, or
//                               one character) goes to display window 00's
//                               typed keys
//   passenger print             the pair, its entries ("entry TIME COUNT"),
//                               "total N", "reverse N" (or "-"), each
//                               station's "station S N", "per_hour N",
//                               "per_train N" and "view LEFT SECONDS PASSENGERS"
//
// The dialogs the buttons open take the script's "answer" lines.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "app/passenger_window.h"
#include "base/dialog_model.h"
#include "board/layout_editing.h"
#include "board/operation_panel.h"

namespace corvane {

class PassengerScript {
 public:
  // Listings and the board's messages go to `out` (none: nowhere).
  PassengerScript(DiaModel& model, DialogHost& host, std::ostream* out);

  // Runs the words after "passenger"; false with `*error` set for a line
  // that is no passenger line.
  bool RunLine(std::string_view rest, std::string* error);

  PassengerWindow& window() { return window_; }

 private:
  void ForwardKey(PanelKey key, std::string_view text, int function);

  DiaModel& model_;
  DialogHost& host_;
  std::ostream* out_;
  PassengerWindow window_;
  LayoutEditing editing_;
  OperationPanel panel_{editing_};
};

// A time of a script: seconds, "H:MM" or "H:MM:SS"; none for anything else.
std::optional<long long> ParseScriptTime(std::string_view text);

}  // namespace corvane
