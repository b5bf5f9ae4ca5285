#include "board/point_boxes.h"

#include <algorithm>

namespace corvane {

namespace {

void Widen(std::optional<PixelBox>& box, PixelPoint from, PixelPoint to, int width) {
  const PixelBox rail{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                      std::max(from.y, to.y) + std::max(width - 1, 0)};
  if (!box) {
    box = rail;
    return;
  }
  box->left = std::min(box->left, rail.left);
  box->top = std::min(box->top, rail.top);
  box->right = std::max(box->right, rail.right);
  box->bottom = std::max(box->bottom, rail.bottom);
}

}  // namespace

std::vector<std::optional<PixelBox>> PointBoxes(const BoardView& view, const DiaFile& file,
                                                const RunState& run) {
  const SystemMap& map = file.map;
  std::vector<std::optional<PixelBox>> boxes(static_cast<std::size_t>(map.points.count()) + 1);
  const int width = view.TrackWidth();
  for (int n = 1; n <= map.rails.count(); ++n) {
    const RailRecord& rail = map.rails[n];
    // The run-time list may be shorter than the table it follows (data
    // changed since it was built): only pieces both know.
    const int piece = rail.l_pack;
    if (!map.prails.Contains(piece) || static_cast<std::size_t>(piece) >= run.pieces.size()) {
      continue;
    }
    const int point = run.pieces[static_cast<std::size_t>(piece)].point;
    if (!map.points.Contains(point)) continue;
    const RailLine line = RailOnBoard(view, map.rows, rail);
    Widen(boxes[static_cast<std::size_t>(point)], line.exit, line.entry, width);
  }
  return boxes;
}

}  // namespace corvane
