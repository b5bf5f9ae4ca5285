#pragma once
// Where each point lies on a display window: the bounding box of the rails
// of its track pieces as the board draws them (track width included), for
// the clicks that pick a point.

#include <optional>
#include <vector>

#include "board/board_view.h"
#include "data/dia_file.h"
#include "run/run_state.h"

namespace corvane {

struct PixelBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// Per point, indexed as the point table (entry 0 unused): its box, none for
// a point none of whose pieces carries a rail.
std::vector<std::optional<PixelBox>> PointBoxes(const BoardView& view, const DiaFile& file,
                                                const RunState& run);

}  // namespace corvane
