#pragma once
// A small board built in code for the board tests: rails, station frames,
// labels, jumps, levers and buttons at chosen places, with one display row.

#include "data/dia_file.h"

namespace corvane::testing {

class BoardLine {
 public:
  BoardLine() {
    file_.dia.levers = Table<LeverRecord>(16);
    file_.dia.buttons = Table<ButtonRecord>(16);
    file_.map.rows.Store(1, RowRecord{});
  }

  DiaFile& file() { return file_; }
  SystemMap& map() { return file_.map; }

  // A rail drawn from (x1, y1) to (x2, y2), linked so that it is drawn.
  int Rail(int x1, int x2, int y = 60, int row = 1, int y2 = kSameY) {
    RailRecord r;
    r.x_exit = x1;
    r.x_entry = x2;
    r.y_exit = y;
    r.y_entry = y2 == kSameY ? y : y2;
    r.display_row = row;
    r.direction = x1 < x2 ? 1 : 2;
    r.l_next = 1;
    return file_.map.rails.Append(r);
  }
  int Frame(int x1, int x2, int y1 = 10, int y2 = 40, int row = 1) {
    return file_.map.station_draws.Append({1, row, x1, x2, y1, y2});
  }
  int Label(int x, int row = 1) {
    PointRecord p;
    p.label_row = row;
    p.label_x = x;
    return file_.map.points.Append(p);
  }
  int Jump(int x_from, int x_to, int row = 1) {
    return file_.map.jumps.Append({0, row, row, x_from, 10, x_to, 10, {}});
  }
  // A lever at x with its signal button at `button_x` (none when 0).
  int Lever(int x, int button_x = 0, int row = 1) {
    LeverRecord lever;
    lever.values[kLeverRow] = row;
    lever.values[kLeverX] = x;
    lever.values[kLeverHasSignalButton] = button_x != 0 ? 1 : 0;
    lever.values[kSignalButtonRow] = row;
    lever.values[kSignalButtonX] = button_x;
    return file_.dia.levers.Append(lever);
  }
  int Button(int x, int row = 1) {
    ButtonRecord button;
    button.values[kButtonRow] = row;
    button.values[kButtonX] = x;
    return file_.dia.buttons.Append(button);
  }

 private:
  static constexpr int kSameY = -999'999'999;
  DiaFile file_;
};

}  // namespace corvane::testing
