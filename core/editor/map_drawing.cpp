#include "editor/map_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <string>
#include <string_view>

#include "base/encoding.h"
#include "editor/edit_tool.h"

namespace corvane {
namespace {

using Int64 = std::int64_t;

// How far the strokes of an object may stand out of its box: the legs of an
// arrowhead on a steep segment, plus the line drawn one pixel higher.
constexpr int kArrowReach = 16;
// Coordinates further than this from the view are brought closer before they
// reach the canvas; painters misbehave on coordinates near the int limits,
// and a map read from a file may hold any number.
constexpr Int64 kFarAway = Int64{1} << 20;
// A filled rectangle is cut this far outside the view, so its outline stays
// out of sight.
constexpr Int64 kCutPad = 4;

constexpr double kArrowAngle = 0.4;  // radians between the track and each leg

// Grid lines closer together than this many pixels of the window are left
// out: at small scales they would run together into a grey area.
constexpr int kSmallestGridSpacing = 4;

// Floor division for grid lines left of or above the origin.
Int64 FloorDiv(Int64 a, Int64 b) {
  Int64 q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// A box of the grid in view pixels (the scroll offset already taken off).
struct PixelBox {
  Int64 left = 0, top = 0, right = 0, bottom = 0;
};

struct DoublePoint {
  double x = 0, y = 0;
};

// Texts on the map are Shift-JIS; most of them (jump names, numbers, many
// point keys) are plain ASCII and need no conversion.
std::string CanvasText(std::string_view sjis) {
  const bool ascii = std::all_of(sjis.begin(), sjis.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? std::string(sjis) : SjisToUtf8(sjis);
}

class MapPainter : public ToolCanvas {
 public:
  MapPainter(const EditMap& map, const MapDrawOptions& options, Canvas& canvas)
      : ToolCanvas(map, options),
        map_(map),
        o_(options),
        look_(ToolFor(options.mode).look),
        canvas_(canvas),
        width_(std::max(options.view_width, 0)),
        height_(std::max(options.view_height, 0)),
        dialog_open_(options.dialog_rail != 0 || options.dialog_point != 0),
        pixel_(WindowPixel(options.zoom)) {}

  void Draw() {
    canvas_.FillRect(0, 0, width_, height_, kWhite);
    MeasureTextReach();
    DrawGrid();
    for (int i = 1; i <= map_.rails().count(); ++i) DrawRail(i, map_.rails()[i]);
    for (int i = 1; i <= map_.points().count(); ++i) DrawPoint(i, map_.points()[i]);
    for (int i = 1; i <= map_.station_draws().count(); ++i) {
      DrawStationDraw(i, map_.station_draws()[i]);
    }
    for (int i = 1; i <= map_.jumps().count(); ++i) DrawJump(i, map_.jumps()[i]);
    if (look_.marks != nullptr) look_.marks(*this);
    if (o_.hover && look_.preview != nullptr) look_.preview(*this, *o_.hover);
  }

  // ---- The tool's marks ----

  void Square(GridPoint p, int before, int after, Rgb colour) override {
    PixelSquare(PixelX(p.x), PixelY(p.y), before, after, colour);
  }

  void RowBand(int row, Rgb colour) override {
    const Int64 y = PixelY(row);
    if (y + 2 >= 0 && y - 3 <= height_) {
      canvas_.FillRect(0, static_cast<int>(y - 3), width_, static_cast<int>(y + 2), colour);
    }
  }

  void ColumnBand(int column, Rgb colour) override {
    const Int64 x = PixelX(column);
    if (x + 2 >= 0 && x - 3 <= width_) {
      canvas_.FillRect(static_cast<int>(x - 3), 0, static_cast<int>(x + 2), height_, colour);
    }
  }

  void Stroke(GridPoint from, GridPoint to, Rgb colour) override {
    ThickLine(At(from), At(to), colour);
  }

  void Outline(GridPoint a, GridPoint b, Rgb colour) override {
    const PixelBox box = GridBox(a.x, a.y, b.x, b.y);
    if (!InView(box)) return;
    const auto clamp = [](Int64 v) {
      return static_cast<int>(std::clamp<Int64>(v, -kFarAway, kFarAway));
    };
    canvas_.FrameRect(clamp(box.left), clamp(box.top), clamp(box.right), clamp(box.bottom), colour,
                      std::max(2, pixel_));
  }

 private:
  // Texts are centred on boxes and may stand out of them by half their
  // width; the longest text an object carries bounds that.
  void MeasureTextReach() {
    const TextSize wide = canvas_.MeasureText("ＷＷＷＷＷＷＷＷＷＷ");  // a full short text
    const TextSize narrow = canvas_.MeasureText(std::string(23, 'W'));  // a full jump name
    reach_x_ = std::max<Int64>(kArrowReach, std::max(wide.width, narrow.width) / 2 + 2);
    reach_y_ = std::max<Int64>(kArrowReach, std::max(wide.height, narrow.height) / 2 + 2);
  }

  Int64 PixelX(Int64 column) const { return column * kCellWidth - o_.scroll_x; }
  Int64 PixelY(Int64 row) const { return row * kCellHeight - o_.scroll_y; }

  PixelBox GridBox(int x1, int y1, int x2, int y2) const {
    return {PixelX(std::min(x1, x2)), PixelY(std::min(y1, y2)), PixelX(std::max(x1, x2)),
            PixelY(std::max(y1, y2))};
  }

  // Whether anything drawn for the box (strokes and centred texts included)
  // can reach into the view.
  bool InView(const PixelBox& box) const {
    return box.right >= -reach_x_ && box.left <= width_ + reach_x_ && box.bottom >= -reach_y_ &&
           box.top <= height_ + reach_y_;
  }

  static int Cut(Int64 v, Int64 low, Int64 high) {
    return static_cast<int>(std::clamp(v, low, high));
  }

  void FillBox(const PixelBox& box, Rgb fill, Rgb outline) {
    const int left = Cut(box.left, -kCutPad, width_ + kCutPad);
    const int top = Cut(box.top, -kCutPad, height_ + kCutPad);
    const int right = Cut(box.right, -kCutPad, width_ + kCutPad);
    const int bottom = Cut(box.bottom, -kCutPad, height_ + kCutPad);
    canvas_.FillRect(left, top, right, bottom, fill);
    canvas_.FrameRect(left, top, right, bottom, outline, pixel_);
  }

  void CentredText(const PixelBox& box, std::string_view utf8, Rgb colour) {
    if (utf8.empty()) return;
    const bool near = std::max({std::abs(box.left), std::abs(box.top), std::abs(box.right),
                                std::abs(box.bottom)}) <= kFarAway;
    if (near) {
      canvas_.CentredText(static_cast<int>(box.left), static_cast<int>(box.top),
                          static_cast<int>(box.right), static_cast<int>(box.bottom), utf8, colour);
      return;
    }
    // A box reaching far out of the view: centre on its middle, when that is
    // anywhere near the view.
    const Int64 cx = box.left / 2 + box.right / 2;
    const Int64 cy = box.top / 2 + box.bottom / 2;
    if (cx < -reach_x_ || cx > width_ + reach_x_ || cy < -reach_y_ || cy > height_ + reach_y_) {
      return;
    }
    canvas_.CentredText(static_cast<int>(cx), static_cast<int>(cy), static_cast<int>(cx),
                        static_cast<int>(cy), utf8, colour);
  }

  // A line two pixels thick: the line and a copy one pixel higher (pixels
  // of the window at small scales).
  void ThickLine(DoublePoint from, DoublePoint to, Rgb colour) {
    if (!ClipFar(from, to)) return;
    const PixelPoint a{static_cast<int>(std::lround(from.x)),
                       static_cast<int>(std::lround(from.y))};
    const PixelPoint b{static_cast<int>(std::lround(to.x)), static_cast<int>(std::lround(to.y))};
    canvas_.Line(a, b, colour, pixel_);
    canvas_.Line({a.x, a.y - pixel_}, {b.x, b.y - pixel_}, colour, pixel_);
  }

  // Lines whose ends lie far out of the view are cut to the view's
  // surroundings (Liang-Barsky); false when nothing of the line is left.
  bool ClipFar(DoublePoint& from, DoublePoint& to) const {
    const double limit = static_cast<double>(kFarAway);
    auto near = [limit](const DoublePoint& p) {
      return std::abs(p.x) <= limit && std::abs(p.y) <= limit;
    };
    if (near(from) && near(to)) return true;
    const double xmin = static_cast<double>(-reach_x_),
                 xmax = static_cast<double>(width_ + reach_x_);
    const double ymin = static_cast<double>(-reach_y_),
                 ymax = static_cast<double>(height_ + reach_y_);
    const double dx = to.x - from.x, dy = to.y - from.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x - xmin, xmax - from.x, from.y - ymin, ymax - from.y};
    for (int k = 0; k < 4; ++k) {
      if (p[k] == 0.0) {
        if (q[k] < 0.0) return false;
        continue;
      }
      const double t = q[k] / p[k];
      if (p[k] < 0.0) {
        t0 = std::max(t0, t);
      } else {
        t1 = std::min(t1, t);
      }
      if (t0 > t1) return false;
    }
    const DoublePoint start{from.x + t0 * dx, from.y + t0 * dy};
    to = {from.x + t1 * dx, from.y + t1 * dy};
    from = start;
    return true;
  }

  void DrawGrid() {
    const Int64 first_column = FloorDiv(Int64{o_.scroll_x} - 1, kCellWidth);
    const Int64 last_column = FloorDiv(Int64{o_.scroll_x} + width_ + 1, kCellWidth);
    const Int64 first_row = FloorDiv(Int64{o_.scroll_y} - 1, kCellHeight);
    const Int64 last_row = FloorDiv(Int64{o_.scroll_y} + height_ + 1, kCellHeight);
    const int width = std::max(2, pixel_);
    // Grey lines first, so that the black ones run unbroken over them.
    for (const bool black : {false, true}) {
      if (ShowsLines(black ? o_.grid_x : 1, kCellWidth)) {
        for (Int64 c = first_column; c <= last_column; ++c) {
          if (IsBlackLine(c, o_.grid_x) != black) continue;
          const int x = static_cast<int>(PixelX(c));
          canvas_.Line({x, 0}, {x, height_}, black ? kBlack : kMapGrey, width);
        }
      }
      if (ShowsLines(black ? o_.grid_y : 1, kCellHeight)) {
        for (Int64 r = first_row; r <= last_row; ++r) {
          if (IsBlackLine(r, o_.grid_y) != black) continue;
          const int y = static_cast<int>(PixelY(r));
          canvas_.Line({0, y}, {width_, y}, black ? kBlack : kMapGrey, width);
        }
      }
    }
  }

  static bool IsBlackLine(Int64 line, int step) { return step > 0 && line % step == 0; }

  // Whether lines every `step` cells of `cell` pixels stand far enough apart
  // in the window to be drawn.
  bool ShowsLines(int step, int cell) const {
    return step > 0 &&
           Int64{step} * cell * std::max(o_.zoom, 1) >= Int64{kSmallestGridSpacing} * kActualSize;
  }

  // The pixels of the drawing one pixel of the window covers at `zoom`,
  // rounded up: the least width of a stroke.
  static int WindowPixel(int zoom) {
    return std::max(1, (kActualSize + std::max(zoom, 1) - 1) / std::max(zoom, 1));
  }

  // The marks of a record while the error display is on.
  std::uint8_t MarkOf(MapTable table, int index) const {
    if (!o_.show_check_marks || o_.check_marks == nullptr) return 0;
    return o_.check_marks->Of(table, index);
  }

  // Error and warning colours, which give way only to the selection's yellow.
  static Rgb WithCheckMark(Rgb fill, std::uint8_t mark) {
    if (mark == 0 || fill == kMapYellow) return fill;
    return (mark & kErrorMark) != 0 ? kMapRed : kMapMagenta;
  }

  // ---- Track segments ----

  Rgb RailFill(int index, const MapRail& r) const {
    if (dialog_open_) return index == o_.dialog_rail ? kMapRed : kBlack;
    const Rgb fill = look_.rail_fill != nullptr ? look_.rail_fill(*this, index, r) : kBlack;
    return WithCheckMark(fill, MarkOf(MapTable::kRail, index));
  }

  void DrawRail(int index, const MapRail& r) {
    const PixelBox box = GridBox(r.x1, r.y1, r.x2, r.y2);
    if (!InView(box)) return;
    FillBox(box, RailFill(index, r), kWhite);

    if (look_.rail_number != nullptr) {
      if (const std::optional<int> number = look_.rail_number(*this, r)) {
        CentredText(box, std::to_string(*number), kBlack);
      }
      return;
    }

    const DoublePoint left{static_cast<double>(PixelX(r.x1)),
                           static_cast<double>(PixelY(Int64{r.y1} + r.left_dy))};
    const DoublePoint right{static_cast<double>(PixelX(r.x2)),
                            static_cast<double>(PixelY(Int64{r.y1} + r.right_dy))};
    ThickLine(left, right, kMapRed);

    const double dx = right.x - left.x;
    const double dy = right.y - left.y;
    const double theta =
        dx != 0.0 ? std::atan(dy / dx) : (dy >= 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2);
    const double reach = dx <= 10 ? 8 : (dx <= 20 ? 10 : 15);
    if (AllowsLeftward(r.direction)) {
      for (const double turn : {kArrowAngle, -kArrowAngle}) {
        ThickLine(
            left,
            {left.x + reach * std::cos(theta + turn), left.y + reach * std::sin(theta + turn)},
            kMapMagenta);
      }
    }
    if (AllowsRightward(r.direction)) {
      for (const double turn : {-kArrowAngle, kArrowAngle}) {
        ThickLine(
            {right.x - reach * std::cos(theta + turn), right.y - reach * std::sin(theta + turn)},
            right, kMapMagenta);
      }
    }
  }

  // ---- Points and crossings ----

  Rgb PointFill(int index, const MapPoint& p) const {
    if (dialog_open_) return index == o_.dialog_point ? kMapRed : kBlack;
    const Rgb fill = look_.point_fill != nullptr ? look_.point_fill(*this, index, p) : kBlack;
    return WithCheckMark(fill, MarkOf(MapTable::kPoint, index));
  }

  void DrawPoint(int index, const MapPoint& p) {
    const PixelBox box = GridBox(p.x1, p.y1, p.x2, p.y2);
    if (!InView(box)) return;
    FillBox(box, PointFill(index, p), kWhite);

    if (look_.point_number != nullptr) {
      if (const std::optional<int> number = look_.point_number(*this, p)) {
        CentredText(box, std::to_string(*number), kBlack);
      }
      return;
    }
    const double left_x = static_cast<double>(PixelX(p.x1));
    const double right_x = static_cast<double>(PixelX(p.x2));
    for (int branch = 1; branch < kMaxBranches; ++branch) {
      if (!BranchExists(p, branch)) continue;
      const std::size_t slot = static_cast<std::size_t>(branch);
      const bool chosen = index == o_.dialog_point && branch == o_.dialog_branch;
      ThickLine({left_x, static_cast<double>(PixelY(Int64{p.y1} + p.branch_left_dy[slot]))},
                {right_x, static_cast<double>(PixelY(Int64{p.y1} + p.branch_right_dy[slot]))},
                chosen ? kMapRed : kMapGreen);
    }
    CentredText(box, CanvasText(p.point_key.view()), kWhite);
  }

  // ---- Station drawings ----

  Rgb StationDrawFill(int index, const MapStationDraw& d) const {
    if (dialog_open_) return kBlack;
    const Rgb fill =
        look_.station_draw_fill != nullptr ? look_.station_draw_fill(*this, index, d) : kBlack;
    return WithCheckMark(fill, MarkOf(MapTable::kStationDraw, index));
  }

  void DrawStationDraw(int index, const MapStationDraw& d) {
    const PixelBox box = GridBox(d.x1, d.y1, d.x2, d.y2);
    if (!InView(box)) return;
    FillBox(box, StationDrawFill(index, d), kMapLightGrey);
    if (map_.stations().Contains(d.station)) {
      CentredText(box, CanvasText(map_.stations()[d.station].short_name.view()), kWhite);
    }
  }

  // ---- Jumps ----

  void DrawJump(int index, const MapJump& j) {
    const std::uint8_t mark = MarkOf(MapTable::kJump, index);
    const PixelBox end_a{PixelX(j.ax), PixelY(Int64{j.ay} - 1), PixelX(Int64{j.ax} + 1),
                         PixelY(Int64{j.ay} + 1)};
    const PixelBox end_b{PixelX(Int64{j.bx} - 1), PixelY(Int64{j.by} - 1), PixelX(j.bx),
                         PixelY(Int64{j.by} + 1)};
    const bool a_in_view = InView(end_a);
    const bool b_in_view = InView(end_b);
    if (!a_in_view && !b_in_view) return;
    const std::string name = CanvasText(j.name.view());
    auto end = [&](const PixelBox& box, bool in_view, bool end_a) {
      if (!in_view) return;
      Rgb fill = kBlack;
      if (!dialog_open_) {
        if (look_.jump_end_fill != nullptr) fill = look_.jump_end_fill(*this, index, end_a);
        fill = WithCheckMark(fill, mark);
      }
      FillBox(box, fill, kWhite);
      CentredText(box, name, kWhite);
    };
    end(end_a, a_in_view, true);
    end(end_b, b_in_view, false);
  }

  DoublePoint At(GridPoint p) const {
    return {static_cast<double>(PixelX(p.x)), static_cast<double>(PixelY(p.y))};
  }

  // A square from `before` pixels before the point to `after` pixels after it.
  void PixelSquare(Int64 x, Int64 y, int before, int after, Rgb colour) {
    if (x + after < 0 || x - before > width_ || y + after < 0 || y - before > height_) return;
    canvas_.FillRect(static_cast<int>(x - before), static_cast<int>(y - before),
                     static_cast<int>(x + after), static_cast<int>(y + after), colour);
  }

  const EditMap& map_;
  const MapDrawOptions& o_;
  const ToolLook& look_;
  Canvas& canvas_;
  const int width_;
  const int height_;
  const bool dialog_open_;
  const int pixel_;
  Int64 reach_x_ = kArrowReach;
  Int64 reach_y_ = kArrowReach;
};

ScrollAxis AxisFor(int largest, int view, int page_divisor, int cell) {
  ScrollAxis axis;
  axis.pixels_per_step = cell;
  axis.page = std::max(view, 0) * 9 / page_divisor;
  // Keep positions small enough that their pixel offsets fit an int.
  const Int64 top = std::numeric_limits<int>::max() / cell;
  const Int64 range = std::clamp(Int64{std::max(largest, 0)} + axis.page - 1, Int64{1}, top);
  axis.range = static_cast<int>(range);
  axis.max_position =
      static_cast<int>(std::clamp(range - std::max(axis.page, 1) + 1, Int64{0}, top));
  return axis;
}

}  // namespace

bool ToolCanvas::Selected(MapTable table, int index) const {
  return options_.selection != nullptr && options_.selection->Has(table, index);
}

bool ToolCanvas::JumpEndSelected(int jump, bool end_a) const {
  return options_.selection != nullptr && options_.selection->HasJumpEnd(jump, end_a);
}

std::optional<GridPoint> ToolCanvas::PreviewStart(GridPoint hover) const {
  if (!options_.pending || *options_.pending == hover) return std::nullopt;
  return options_.pending;
}

void ToolCanvas::PendingMark(Rgb colour) {
  if (options_.pending) Square(*options_.pending, 3, 2, colour);
}

void DrawEditMap(const EditMap& map, const MapDrawOptions& options, Canvas& canvas) {
  MapPainter(map, options, canvas).Draw();
}

MapExtent RailExtent(const EditMap& map) {
  MapExtent extent;
  for (const MapRail& r : map.rails()) {
    extent.max_x = std::max({extent.max_x, r.x1, r.x2});
    extent.max_y = std::max({extent.max_y, r.y1, r.y2});
  }
  return extent;
}

PixelSize MapPixelExtent(MapExtent extent) {
  constexpr Int64 kMax = std::numeric_limits<int>::max();
  return {static_cast<int>(std::clamp(Int64{extent.max_x} * kCellWidth, Int64{0}, kMax)),
          static_cast<int>(std::clamp(Int64{extent.max_y} * kCellHeight, Int64{0}, kMax))};
}

PixelSize WholeMapPixels(MapExtent extent) {
  const PixelSize size = MapPixelExtent(extent);
  constexpr Int64 kMax = std::numeric_limits<int>::max();
  return {static_cast<int>(std::min(Int64{size.width} + kWholeMapMarginColumns * kCellWidth, kMax)),
          static_cast<int>(std::min(Int64{size.height} + kWholeMapMarginRows * kCellHeight, kMax))};
}

MapScrollRanges MapScrollRangesFor(MapExtent extent, int view_width, int view_height) {
  // A page is nine tenths of the window, in whole columns (rows).
  return {AxisFor(extent.max_x, view_width, 100, kCellWidth),
          AxisFor(extent.max_y, view_height, 120, kCellHeight)};
}

}  // namespace corvane
