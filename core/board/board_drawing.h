#pragma once
// Drawing one display window of the operation board onto a Canvas: the
// layers in their order (point labels, jump labels, station frames, rails,
// route buttons, route levers, trains, the clock) over a black background.

#include "base/canvas.h"
#include "board/board_view.h"
#include "board/line_items.h"
#include "data/dia_file.h"
#include "data/view_settings.h"
#include "run/run_state.h"

namespace corvane {

// Everything one window's picture depends on.
struct BoardScene {
  const DiaFile& file;
  const RunState& run;
  BoardView view;
  ViewSettings settings;
  const LineItems& items = DefaultLineItems();
  int chosen_lever = 0;   // the rail of the lever chosen as a route's start, 0 none
  int placing_label = 0;  // the point whose label is being placed, 0 none
  int selected_rail = 0;  // highlighted in rail-property selection, 0 none
  int layout_row = 0;     // the row being edited in the layout modes
  bool english = false;
};

void DrawBoard(const BoardScene& scene, Canvas& canvas);

}  // namespace corvane
