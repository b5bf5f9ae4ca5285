#include "board/board_index.h"

#include <algorithm>

namespace corvane {

namespace {

// The grid keeps at most this many cells along its longer side, and a cell
// at least this many board units square (a window at actual size spans
// dozens of cells).
constexpr std::int64_t kMostCellsAcross = 256;
constexpr std::int64_t kSmallestCell = 16;
// A place over more cells than this is kept apart and met by every search.
constexpr std::int64_t kMostCellsPerPlace = 64;

struct Place {
  int record;
  BoardArea area;
};

BoardArea PointArea(const Table<RowRecord>& rows, LayoutMode layout, int row, int x, int y) {
  const RowShift shift = ShiftOfRow(rows, row, layout);
  const std::int64_t bx = x + shift.dx;
  const std::int64_t by = y + shift.dy;
  return {bx, by, bx, by};
}

BoardArea BoxArea(const Table<RowRecord>& rows, LayoutMode layout, int row, int x1, int y1, int x2,
                  int y2) {
  const RowShift shift = ShiftOfRow(rows, row, layout);
  return {std::min(x1, x2) + shift.dx, std::min(y1, y2) + shift.dy, std::max(x1, x2) + shift.dx,
          std::max(y1, y2) + shift.dy};
}

// The places of every record of each kind, in record order.
std::vector<Place> PlacesOf(const SystemMap& map, LayoutMode layout, BoardKind kind) {
  std::vector<Place> places;
  switch (kind) {
    case BoardKind::kRail:
      for (int n = 1; n <= map.rails.count(); ++n) {
        const RailRecord& r = map.rails[n];
        places.push_back({n, BoxArea(map.rows, layout, r.display_row, r.x_exit, r.y_exit, r.x_entry,
                                     r.y_entry)});
      }
      break;
    case BoardKind::kPointLabel:
      for (int n = 1; n <= map.points.count(); ++n) {
        const PointRecord& p = map.points[n];
        places.push_back({n, PointArea(map.rows, layout, p.label_row, p.label_x, p.label_y)});
      }
      break;
    case BoardKind::kJumpLabel:
      for (int n = 1; n <= map.jumps.count(); ++n) {
        const JumpRecord& j = map.jumps[n];
        places.push_back({n, PointArea(map.rows, layout, j.from_row, j.x_from, j.y_from)});
        places.push_back({n, PointArea(map.rows, layout, j.to_row, j.x_to, j.y_to)});
      }
      break;
    case BoardKind::kFrame:
      for (int n = 1; n <= map.station_draws.count(); ++n) {
        const StationDrawRecord& d = map.station_draws[n];
        places.push_back(
            {n, BoxArea(map.rows, layout, d.kind, d.x_left, d.y_top, d.x_right, d.y_bottom)});
      }
      break;
  }
  return places;
}

template <typename Record, typename Text>
std::vector<std::string> Utf8Texts(const Table<Record>& table, Text text) {
  std::vector<std::string> texts(static_cast<std::size_t>(table.count()) + 1);
  for (int n = 1; n <= table.count(); ++n) {
    texts[static_cast<std::size_t>(n)] = SjisToUtf8(text(table[n]).view());
  }
  return texts;
}

}  // namespace

BoardArea VisibleArea(const BoardView& view, int margin) {
  return {PixelToMapX(view, -margin), PixelToMapY(view, -margin),
          PixelToMapX(view, view.width + margin), PixelToMapY(view, view.height + margin)};
}

BoardIndex::BoardIndex(const DiaFile& file, LayoutMode layout)
    : flat_(layout == LayoutMode::kRowDivision) {
  const SystemMap& map = file.map;
  std::vector<Place> places[kBoardKinds];
  bool any = false;
  for (int k = 0; k < kBoardKinds; ++k) {
    const auto kind = static_cast<BoardKind>(k);
    places[k] = PlacesOf(map, layout, kind);
    for (const Place& place : places[k]) {
      if (!any) {
        left_ = place.area.left, top_ = place.area.top;
        right_ = place.area.right, bottom_ = place.area.bottom;
        any = true;
      }
      left_ = std::min(left_, place.area.left);
      top_ = std::min(top_, place.area.top);
      right_ = std::max(right_, place.area.right);
      bottom_ = std::max(bottom_, place.area.bottom);
    }
  }
  counts_[Slot(BoardKind::kRail)] = map.rails.count();
  counts_[Slot(BoardKind::kPointLabel)] = map.points.count();
  counts_[Slot(BoardKind::kJumpLabel)] = map.jumps.count();
  counts_[Slot(BoardKind::kFrame)] = map.station_draws.count();
  if (any) {
    const std::int64_t span = std::max(right_ - left_, bottom_ - top_) + 1;
    cell_ = std::max(kSmallestCell, (span + kMostCellsAcross - 1) / kMostCellsAcross);
    columns_ = static_cast<int>((right_ - left_) / cell_ + 1);
    rows_ = static_cast<int>((bottom_ - top_) / cell_ + 1);
  }
  const std::size_t cell_count = static_cast<std::size_t>(columns_) * rows_;
  for (int k = 0; k < kBoardKinds; ++k) {
    Cells& cells = cells_[k];
    cells.starts.assign(cell_count + 1, 0);
    // Each place's cells, counted first, then filled in record order.
    const auto each_cell = [&](const Place& place, auto visit) {
      const std::int64_t c1 = (place.area.left - left_) / cell_;
      const std::int64_t c2 = (place.area.right - left_) / cell_;
      const std::int64_t r1 = (place.area.top - top_) / cell_;
      const std::int64_t r2 = (place.area.bottom - top_) / cell_;
      if ((c2 - c1 + 1) * (r2 - r1 + 1) > kMostCellsPerPlace) {
        cells.wide.push_back(place.record);
        return;
      }
      for (std::int64_t r = r1; r <= r2; ++r) {
        for (std::int64_t c = c1; c <= c2; ++c) visit(static_cast<std::size_t>(r * columns_ + c));
      }
    };
    for (const Place& place : places[k]) {
      each_cell(place, [&](std::size_t c) { ++cells.starts[c + 1]; });
    }
    cells.wide.clear();
    for (std::size_t c = 0; c < cell_count; ++c) cells.starts[c + 1] += cells.starts[c];
    cells.records.resize(static_cast<std::size_t>(cells.starts[cell_count]));
    std::vector<int> filled(cells.starts.begin(), cells.starts.end() - 1);
    for (const Place& place : places[k]) {
      each_cell(place, [&](std::size_t c) {
        cells.records[static_cast<std::size_t>(filled[c]++)] = place.record;
      });
    }
    // A jump's two ends may both be wide.
    cells.wide.erase(std::unique(cells.wide.begin(), cells.wide.end()), cells.wide.end());
  }
  point_keys_ = Utf8Texts(map.points, [](const PointRecord& p) { return p.point_key; });
  jump_labels_ = Utf8Texts(map.jumps, [](const JumpRecord& j) { return j.label; });
  station_names_ = Utf8Texts(map.stations, [](const StationRecord& s) { return s.name; });
  train_numbers_ = Utf8Texts(file.dia.diagrams, [](const DiagramRecord& d) { return d.text1; });
  type_names_[0] =
      Utf8Texts(file.dia.train_types, [](const TrainTypeRecord& t) { return t.one_char_name; });
  type_names_[1] =
      Utf8Texts(file.dia.train_types, [](const TrainTypeRecord& t) { return t.short_name; });
  type_names_[2] = Utf8Texts(file.dia.train_types, [](const TrainTypeRecord& t) { return t.name; });
  target_names_[0] = Utf8Texts(map.targets, [](const TargetRecord& t) { return t.one_char_name; });
  target_names_[1] = Utf8Texts(map.targets, [](const TargetRecord& t) { return t.short_name; });
  target_names_[2] = Utf8Texts(map.targets, [](const TargetRecord& t) { return t.name; });
  const DiaData& dia = file.dia;
  train_icons_.assign(static_cast<std::size_t>(dia.trains.count()) + 1, "");
  std::vector<bool> seen(train_icons_.size(), false);
  for (int u = 1; u <= dia.units.count(); ++u) {
    const UnitRecord& unit = dia.units[u];
    if (!dia.trains.Contains(unit.train) || seen[static_cast<std::size_t>(unit.train)]) continue;
    seen[static_cast<std::size_t>(unit.train)] = true;
    if (dia.series.Contains(unit.series)) {
      train_icons_[static_cast<std::size_t>(unit.train)] = dia.series[unit.series].icon.Utf8();
    }
  }
}

void BoardIndex::Find(BoardKind kind, const BoardArea& area, std::vector<int>* records) const {
  records->clear();
  const int count = counts_[Slot(kind)];
  if (area.left <= left_ && area.top <= top_ && area.right >= right_ && area.bottom >= bottom_) {
    // Everything is in view: every record, without the cells.
    for (int n = 1; n <= count; ++n) records->push_back(n);
    return;
  }
  if (area.right < left_ || area.bottom < top_ || area.left > right_ || area.top > bottom_) return;
  const Cells& cells = cells_[Slot(kind)];
  const auto clamp_column = [this](std::int64_t x) {
    return std::clamp<std::int64_t>((x - left_) / cell_, 0, columns_ - 1);
  };
  const auto clamp_row = [this](std::int64_t y) {
    return std::clamp<std::int64_t>((y - top_) / cell_, 0, rows_ - 1);
  };
  const std::int64_t c1 = clamp_column(area.left), c2 = clamp_column(area.right);
  const std::int64_t r1 = clamp_row(area.top), r2 = clamp_row(area.bottom);
  for (std::int64_t r = r1; r <= r2; ++r) {
    const auto first = static_cast<std::size_t>(r * columns_ + c1);
    const auto last = static_cast<std::size_t>(r * columns_ + c2);
    records->insert(records->end(), cells.records.begin() + cells.starts[first],
                    cells.records.begin() + cells.starts[last + 1]);
  }
  records->insert(records->end(), cells.wide.begin(), cells.wide.end());
  std::sort(records->begin(), records->end());
  records->erase(std::unique(records->begin(), records->end()), records->end());
}

const std::string& BoardIndex::TextOf(const std::vector<std::string>& texts, int n) {
  static const std::string kNone;
  return n >= 0 && static_cast<std::size_t>(n) < texts.size() ? texts[static_cast<std::size_t>(n)]
                                                              : kNone;
}

const std::string& BoardIndex::TypeName(int type, int form) const {
  static const std::string kNone;
  return form >= 1 && form <= 3 ? TextOf(type_names_[form - 1], type) : kNone;
}

const std::string& BoardIndex::TargetName(int target, int form) const {
  static const std::string kNone;
  return form >= 1 && form <= 3 ? TextOf(target_names_[form - 1], target) : kNone;
}

}  // namespace corvane
