#include "board/layout_editing.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "board/board_layout.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

constexpr const char* kRowDivisionPrompt =
    "%d行目の右端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。";
constexpr const char* kRowPositionPrompt =
    "%d行目の左端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。";

// Where row-division editing puts the board vertically.
constexpr int kRowDivisionScrollY = 50;
// A cut nearer the window's edge than this is scrolled into view.
constexpr int kCutMargin = 100;

// The horizontal scroll offset that puts map x `x` (no row offsets) in the
// middle of the window.
int CentredOn(const BoardView& view, std::int64_t x) {
  BoardView flat = view;
  flat.scroll_x = 0;
  return ClampToInt(std::int64_t{view.width} / 2 - MapToPixelX(flat, x));
}

bool Drawn(const RailRecord& rail) { return rail.l_next != 0 || rail.l_back != 0; }

}  // namespace

std::string LayoutEditing::Prompt() const {
  const char* format = mode_ == LayoutMode::kRowDivision ? kRowDivisionPrompt : kRowPositionPrompt;
  char text[256];
  std::snprintf(text, sizeof text, format, row_);
  return text;
}

bool LayoutEditing::StillEditing(const DiaModel& model, LayoutEffects& effects) {
  if (mode_ == LayoutMode::kNormal) return false;
  const int rows = model.map().rows.count();
  if (rows == 0) {
    effects = Leave();
    return false;
  }
  if (row_ < 1 || row_ > rows) row_ = 1;
  if (!model.map().rails.Contains(selected_rail_)) selected_rail_ = 0;
  return true;
}

LayoutEffects LayoutEditing::ToggleRowDivision(const DiaModel& model, const BoardView& view) {
  if (mode_ == LayoutMode::kRowDivision) return Leave();
  if (model.map().rows.empty()) return {};
  mode_ = LayoutMode::kRowDivision;
  row_ = 1;
  LayoutEffects effects;
  effects.prompt = Prompt();
  effects.redraw = true;
  effects.scroll_y = kRowDivisionScrollY;
  effects.scroll_x = CentredOn(view, BoundsOfRow(model.file(), row_).right_end);
  return effects;
}

LayoutEffects LayoutEditing::ToggleRowPosition(const DiaModel& model) {
  if (mode_ == LayoutMode::kRowPosition) return Leave();
  if (model.map().rows.empty()) return {};
  mode_ = LayoutMode::kRowPosition;
  row_ = 1;
  LayoutEffects effects;
  effects.prompt = Prompt();
  effects.redraw = true;
  return effects;
}

LayoutEffects LayoutEditing::ToggleRailProperty(const DiaModel& model) {
  if (mode_ == LayoutMode::kRailProperty) return Leave();
  if (model.map().rows.empty()) return {};
  const bool prompted = mode_ != LayoutMode::kNormal;
  mode_ = LayoutMode::kRailProperty;
  selected_rail_ = 0;
  LayoutEffects effects;
  if (prompted) effects.prompt = "";
  effects.redraw = true;
  return effects;
}

LayoutEffects LayoutEditing::Leave() {
  LayoutEffects effects;
  if (mode_ == LayoutMode::kNormal) return effects;
  if (mode_ != LayoutMode::kRailProperty) effects.prompt = "";
  mode_ = LayoutMode::kNormal;
  selected_rail_ = 0;
  effects.redraw = true;
  return effects;
}

LayoutEffects LayoutEditing::LeftClick(DiaModel& model, const BoardView& view, PixelPoint click) {
  LayoutEffects effects;
  if (!StillEditing(model, effects)) return effects;
  switch (mode_) {
    case LayoutMode::kRowDivision: {
      const std::optional<int> cut =
          CutNearestTo(model.file(), CutPositions(model.map()), row_, PixelToMapX(view, click.x));
      if (!cut) {
        effects.beep = true;
        return effects;
      }
      if (!MoveRightEnd(model, view, *cut, effects)) return effects;
      BoardView flat = view;
      flat.layout = LayoutMode::kRowDivision;
      const int px = MapToPixelX(flat, *cut);
      if (px < kCutMargin || px > view.width - kCutMargin) effects.scroll_x = CentredOn(view, *cut);
      effects.redraw = true;
      return effects;
    }
    case LayoutMode::kRowPosition: {
      DiaChange change(model);
      const RowRecord& row = model.map().rows[row_];
      const int x = static_cast<int>(
          std::clamp<std::int64_t>(PixelToMapX(view, click.x), -kBoardLimit, kBoardLimit));
      const int y = static_cast<int>(
          std::clamp<std::int64_t>(PixelToMapY(view, click.y), -kBoardLimit, kBoardLimit));
      if (row.x != x || row.y != y) {
        RowRecord& changed = change.rows()[row_];
        changed.x = x;
        changed.y = y;
      }
      effects.redraw = true;
      return effects;
    }
    case LayoutMode::kRailProperty: {
      BoardView shown = view;
      shown.layout = mode_;
      const int rail = NearestRail(shown, model.map(), click, selected_rail_);
      if (rail != 0) selected_rail_ = rail;
      effects.redraw = true;
      return effects;
    }
    case LayoutMode::kNormal:
      break;
  }
  return effects;
}

LayoutEffects LayoutEditing::RightClick(const DiaModel& model) {
  LayoutEffects effects;
  if (!StillEditing(model, effects)) return effects;
  if (mode_ != LayoutMode::kRowDivision && mode_ != LayoutMode::kRowPosition) return effects;
  row_ = row_ >= model.map().rows.count() ? 1 : row_ + 1;
  effects.prompt = Prompt();
  effects.redraw = true;
  return effects;
}

LayoutEffects LayoutEditing::DoubleClick(const DiaModel& model, const BoardView& view,
                                         PixelPoint click) {
  LayoutEffects effects;
  if (!StillEditing(model, effects) || mode_ != LayoutMode::kRailProperty) return effects;
  BoardView shown = view;
  shown.layout = mode_;
  const int rail = NearestRail(shown, model.map(), click);
  if (rail == 0) return effects;
  selected_rail_ = rail;
  effects.redraw = true;
  effects.open_rail_properties = rail;
  return effects;
}

LayoutEffects LayoutEditing::PressKey(DiaModel& model, const BoardView& view, Key key,
                                      bool* taken) {
  *taken = false;
  LayoutEffects effects;
  if (!StillEditing(model, effects)) {
    *taken = effects.redraw;
    return effects;
  }
  const bool rows_mode = mode_ == LayoutMode::kRowDivision || mode_ == LayoutMode::kRowPosition;
  const SystemMap& map = model.map();
  switch (key) {
    case Key::kSpace:
      *taken = true;
      if (rows_mode) return RightClick(model);
      return SelectRail(
          map.rails.Contains(selected_rail_) ? std::abs(map.rails[selected_rail_].l_dual) : 0);
    case Key::kEnter:
      *taken = mode_ == LayoutMode::kRailProperty;
      if (*taken) effects.open_rail_properties = selected_rail_;
      return effects;
    case Key::kLeft:
    case Key::kRight: {
      const int towards = key == Key::kLeft ? -1 : 1;
      *taken = true;
      if (mode_ == LayoutMode::kRowDivision) return MoveCut(model, view, towards);
      if (mode_ == LayoutMode::kRowPosition) return MoveOrigin(model, towards * kRowOriginStep, 0);
      if (!map.rails.Contains(selected_rail_)) return effects;
      // A leftward rail leads on to the left through its next link.
      const RailRecord& rail = map.rails[selected_rail_];
      const bool forward = (rail.x_exit < rail.x_entry) == (towards < 0);
      return SelectRail(std::abs(forward ? rail.l_next : rail.l_back));
    }
    case Key::kUp:
    case Key::kDown: {
      const int towards = key == Key::kUp ? -1 : 1;
      if (mode_ == LayoutMode::kRowDivision) return effects;
      *taken = true;
      if (mode_ == LayoutMode::kRowPosition) return MoveOrigin(model, 0, towards * kRowOriginStep);
      BoardView shown = view;
      shown.layout = mode_;
      return SelectRail(RailAboveOrBelow(shown, map, selected_rail_, towards));
    }
  }
  return effects;
}

LayoutEffects LayoutEditing::MoveCut(DiaModel& model, const BoardView& view, int towards) {
  LayoutEffects effects;
  const std::int64_t end = BoundsOfRow(model.file(), row_).right_end;
  std::optional<int> cut;
  for (const int c : CutPositions(model.map())) {
    const bool beyond = towards < 0 ? c < end : c > end;
    if (beyond && (!cut || (towards < 0 ? c > *cut : c < *cut))) cut = c;
  }
  if (!cut) {
    effects.beep = true;
    return effects;
  }
  if (MoveRightEnd(model, view, *cut, effects)) effects.redraw = true;
  return effects;
}

bool LayoutEditing::MoveRightEnd(DiaModel& model, const BoardView& view, int cut,
                                 LayoutEffects& effects) {
  {
    DiaChange change(model);
    if (SetRowRightEnd(change, row_, cut, view.scale_x) == 0) {
      change.Cancel();
      effects.beep = true;
      return false;
    }
  }
  row_ = std::min(row_, model.map().rows.count());
  return true;
}

LayoutEffects LayoutEditing::MoveOrigin(DiaModel& model, int dx, int dy) {
  LayoutEffects effects;
  DiaChange change(model);
  const RowRecord& row = model.map().rows[row_];
  const auto moved = [](int value, int step) {
    return static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{value} + step, -kBoardLimit, kBoardLimit));
  };
  const int x = moved(row.x, dx);
  const int y = moved(row.y, dy);
  if (x != row.x || y != row.y) {
    RowRecord& changed = change.rows()[row_];
    changed.x = x;
    changed.y = y;
  }
  effects.redraw = true;
  return effects;
}

LayoutEffects LayoutEditing::SelectRail(int rail) {
  LayoutEffects effects;
  if (rail == 0 || rail == selected_rail_) return effects;
  selected_rail_ = rail;
  effects.redraw = true;
  return effects;
}

int RailAboveOrBelow(const BoardView& view, const SystemMap& map, int rail, int towards) {
  if (!map.rails.Contains(rail)) return 0;
  // Twice the middle of a rail as drawn.
  const auto middle = [&](const RailRecord& r) {
    const RailLine line = RailOnBoard(view, map.rows, r);
    return std::pair<std::int64_t, std::int64_t>{std::int64_t{line.exit.x} + line.entry.x,
                                                 std::int64_t{line.exit.y} + line.entry.y};
  };
  const auto [x0, y0] = middle(map.rails[rail]);
  int nearest = 0;
  std::int64_t best = 0;
  for (int i = 1; i <= map.rails.count(); ++i) {
    const RailRecord& r = map.rails[i];
    if (i == rail || !Drawn(r)) continue;
    const auto [x, y] = middle(r);
    if (towards < 0 ? y >= y0 : y <= y0) continue;
    constexpr std::int64_t kFar = std::int64_t{1} << 30;
    const std::int64_t ax = std::clamp(x - x0, -kFar, kFar);
    const std::int64_t ay = std::clamp(y - y0, -kFar, kFar);
    const std::int64_t distance = ax * ax + ay * ay;
    if (nearest == 0 || distance < best) {
      nearest = i;
      best = distance;
    }
  }
  return nearest;
}

int NearestRail(const BoardView& view, const SystemMap& map, PixelPoint click, int except) {
  // Differences kept below 2^28 so that the sum of the six squares fits.
  const auto difference = [](std::int64_t v) {
    constexpr std::int64_t kFar = std::int64_t{1} << 28;
    return std::clamp(v, -kFar, kFar);
  };
  const int track = view.TrackWidth();
  int nearest = 0;
  std::int64_t best = 0;
  for (int i = 1; i <= map.rails.count(); ++i) {
    const RailRecord& r = map.rails[i];
    if (i == except || !Drawn(r)) continue;
    PixelPoint a = MapToPixel(view, map.rows, r.display_row, r.x_exit, r.y_exit);
    PixelPoint b = MapToPixel(view, map.rows, r.display_row, r.x_entry, r.y_entry);
    if (r.x_exit < r.x_entry) {
      a.y = ClampToInt(std::int64_t{a.y} + track);
      b.y = ClampToInt(std::int64_t{b.y} + track);
    }
    const std::int64_t terms[] = {
        difference(std::int64_t{a.x} + b.x - 2 * std::int64_t{click.x}),
        difference(std::int64_t{a.y} + b.y - 2 * std::int64_t{click.y}),
        difference(std::int64_t{a.x} - click.x),
        difference(std::int64_t{b.x} - click.x),
        difference(std::int64_t{a.y} - click.y),
        difference(std::int64_t{b.y} - click.y),
    };
    std::int64_t distance = 0;
    for (const std::int64_t t : terms) distance += t * t;
    if (nearest == 0 || distance < best) {
      nearest = i;
      best = distance;
    }
  }
  return nearest;
}

}  // namespace corvane
