#pragma once
// Drawing one display window of the operation board onto a Canvas: the
// layers in their order (point labels, jump labels, station frames, rails,
// route buttons, route levers, trains, the clock) over a black background.

#include <optional>
#include <string_view>

#include "base/canvas.h"
#include "board/board_index.h"
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
  int layout_cut = 0;     // row-division editing: the map x of that row's right end
  bool english = false;
  // The window's index of the data; without one (or with one built for the
  // other row layout) the drawing makes its own.
  const BoardIndex* index = nullptr;
};

// Where a text stands at its anchor: left edge, centre or right edge; top
// edge or middle (raised by half its height) or bottom edge.
enum class HAlign { kLeft, kCenter, kRight };
enum class VAlign { kTop, kMiddle, kBottom };

// One text of the board with the record it belongs to.
struct BoardText {
  int record = 0;
  std::string_view utf8;
  PixelPoint anchor;
  HAlign h = HAlign::kLeft;
  VAlign v = VAlign::kTop;
  Rgb colour;
};

// Told of each label, frame and rail as it is drawn, in drawing order.
// While one listens, the drawing visits every record of those layers,
// also those that lie outside the window.
class BoardObserver {
 public:
  virtual ~BoardObserver() = default;
  virtual void PointLabel(const BoardText& text) = 0;
  virtual void JumpLabel(const BoardText& text) = 0;
  // A frame from (x_left, y_top) to (x_right, y_bottom) of its record.
  virtual void Frame(int record, int station, PixelPoint corner, PixelPoint opposite,
                     Rgb colour) = 0;
  virtual void FrameName(const BoardText& text) = 0;
  virtual void Rail(int record, const RailLine& line, int width, Rgb colour) = 0;
};

void DrawBoard(const BoardScene& scene, Canvas& canvas, BoardObserver* observer = nullptr);

// Where train `train` (1..count) is drawn: on its rail at its position, or
// at the rail's middle in the track-circuit view; none for a train whose
// rail the map does not have.
std::optional<PixelPoint> TrainPlace(const BoardScene& scene, int train);

// A window that follows a train scrolls when the train has moved more than
// a fifth of the client from the place it last scrolled it to. `last_x`
// and `last_y` are those places (pixels from the board's origin, 0 at
// first), kept by the window; the new scroll-bar positions come back.
struct FollowedPlace {
  int last_x = 0;
  int last_y = 0;
};
struct ScrollPositions {
  std::optional<int> x;
  std::optional<int> y;
};
ScrollPositions FollowTrain(const BoardScene& scene, FollowedPlace& followed);

// The clock's text for a time of day in seconds ("HH:MM:SS").
std::string ClockText(int seconds);

}  // namespace corvane
