#include "board/panel_hits.h"

#include <cstdint>
#include <cstdlib>

#include "data/view_settings.h"

namespace corvane {

namespace {

std::int64_t Square(std::int64_t v) { return v * v; }

// Keeps the nearest candidate: the first of equals stays.
class Nearest {
 public:
  void Offer(int record, std::int64_t distance) {
    if (record_ == 0 || distance < best_) {
      record_ = record;
      best_ = distance;
    }
  }
  int record() const { return record_; }

 private:
  int record_ = 0;
  std::int64_t best_ = 0;
};

// Twice the squared distance terms of a box's centre, kept in 64 bits.
std::int64_t CentreDistance(std::int64_t left, std::int64_t top, std::int64_t right,
                            std::int64_t bottom, PixelPoint click) {
  return Square(left + right - 2 * std::int64_t{click.x}) +
         Square(top + bottom - 2 * std::int64_t{click.y});
}

std::int64_t DistanceSquared(PixelPoint a, PixelPoint b) {
  return Square(std::int64_t{a.x} - b.x) + Square(std::int64_t{a.y} - b.y);
}

bool Shown(const BoardScene& scene, int main) {
  return scene.settings.inter_view == kFullPanel ||
         (scene.settings.inter_view == kMainPanel && main != 0);
}

// The lever record on `rail` when the window draws it, else null.
const LeverRecord* DrawnLever(const BoardScene& scene, const RailRecord& rail) {
  const Table<LeverRecord>& levers = scene.file.dia.levers;
  if (!levers.Contains(rail.lever)) return nullptr;
  const LeverRecord& lever = levers[rail.lever];
  return Shown(scene, lever.values[kLeverMain]) ? &lever : nullptr;
}

}  // namespace

int TrainAt(const BoardScene& scene, PixelPoint click) {
  Nearest nearest;
  for (int t = 1; t <= scene.file.dia.trains.count(); ++t) {
    const std::optional<PixelPoint> at = TrainPlace(scene, t);
    if (!at) continue;
    const std::int64_t dx = std::int64_t{click.x} - at->x;
    const std::int64_t dy = std::int64_t{click.y} - at->y;
    if (std::llabs(dx) < kTrainHitHalfWidth && std::llabs(dy) < kTrainHitHalfHeight) {
      nearest.Offer(t, dx * dx + dy * dy);
    }
  }
  return nearest.record();
}

int PointAt(const std::vector<std::optional<PixelBox>>& boxes, PixelPoint click) {
  Nearest nearest;
  for (std::size_t p = 1; p < boxes.size(); ++p) {
    if (!boxes[p]) continue;
    const PixelBox& b = *boxes[p];
    if (b.left < click.x && click.x < b.right && b.top < click.y && click.y < b.bottom) {
      nearest.Offer(static_cast<int>(p), CentreDistance(b.left, b.top, b.right, b.bottom, click));
    }
  }
  return nearest.record();
}

int FrameAt(const BoardView& view, const SystemMap& map, PixelPoint click) {
  Nearest nearest;
  for (int n = 1; n <= map.station_draws.count(); ++n) {
    const StationDrawRecord& d = map.station_draws[n];
    const PixelPoint a = MapToPixel(view, map.rows, d.kind, d.x_left, d.y_top);
    const PixelPoint b = MapToPixel(view, map.rows, d.kind, d.x_right, d.y_bottom);
    const int left = std::min(a.x, b.x);
    const int right = std::max(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int bottom = std::max(a.y, b.y);
    if (left < click.x && click.x < right && top < click.y && click.y < bottom) {
      nearest.Offer(n, CentreDistance(left, top, right, bottom, click));
    }
  }
  return nearest.record();
}

bool PanelDrawn(const BoardScene& scene) {
  return scene.file.header.settings.use_interlocking != 0 && scene.settings.inter_view != kNoPanel;
}

int LeverAt(const BoardScene& scene, PixelPoint click) {
  Nearest nearest;
  if (!PanelDrawn(scene)) return 0;
  const SystemMap& map = scene.file.map;
  for (int r = 1; r <= map.rails.count(); ++r) {
    const LeverRecord* lever = DrawnLever(scene, map.rails[r]);
    if (lever == nullptr) continue;
    const auto& v = lever->values;
    const PixelPoint pivot =
        PanelPlace(scene.view, map.rows, v[kLeverRow], v[kLeverX], v[kLeverY], v[kLeverDirection]);
    const std::int64_t distance = DistanceSquared(pivot, click);
    if (distance < kLeverHitSquare) nearest.Offer(r, distance);
  }
  return nearest.record();
}

int SignalButtonAt(const BoardScene& scene, PixelPoint click) {
  Nearest nearest;
  if (!PanelDrawn(scene)) return 0;
  const SystemMap& map = scene.file.map;
  for (int r = 1; r <= map.rails.count(); ++r) {
    const LeverRecord* lever = DrawnLever(scene, map.rails[r]);
    if (lever == nullptr || lever->values[kLeverHasSignalButton] == 0) continue;
    const auto& v = lever->values;
    const PixelPoint at = PanelPlace(scene.view, map.rows, v[kSignalButtonRow], v[kSignalButtonX],
                                     v[kSignalButtonY], v[kLeverDirection]);
    const std::int64_t distance = DistanceSquared(at, click);
    if (distance < kLeverHitSquare) nearest.Offer(r, distance);
  }
  return nearest.record();
}

int EndButtonAt(const BoardScene& scene, PixelPoint click) {
  Nearest nearest;
  if (!PanelDrawn(scene)) return 0;
  const SystemMap& map = scene.file.map;
  const Table<ButtonRecord>& buttons = scene.file.dia.buttons;
  for (int r = 1; r <= map.rails.count(); ++r) {
    if (!buttons.Contains(map.rails[r].button)) continue;
    const auto& b = buttons[map.rails[r].button].values;
    if (!Shown(scene, b[kButtonMain])) continue;
    const PixelPoint at = PanelPlace(scene.view, map.rows, b[kButtonRow], b[kButtonX], b[kButtonY],
                                     b[kButtonDirection]);
    const std::int64_t distance = DistanceSquared(at, click);
    if (distance < kEndButtonHitSquare) nearest.Offer(r, distance);
  }
  return nearest.record();
}

}  // namespace corvane
