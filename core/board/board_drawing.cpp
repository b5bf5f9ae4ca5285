#include "board/board_drawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "board/rail_colours.h"
#include "board/train_state.h"
#include "map/map_records.h"
#include "map/map_settings.h"

namespace corvane {

namespace {

// How far beyond the window a text or a mark may reach from its anchor:
// records anchored this many pixels outside are still drawn.
constexpr int kDrawMargin = 256;
// The same for a train, whose label of several names may be wide.
constexpr int kTrainMargin = 1024;

// The control modes of a point and of a route lever.
enum PointMode : int {
  kPointManual = 0,
  kPointReset = 1,
  kPointDemand = 2,
  kPointNotice = 3,
  kPointSequence = 4,
  kPointCombined = 5,
};
enum LeverMode : int { kLeverManual = 0, kLeverReset = 1, kLeverDemand = 2 };

template <typename T>
const T* Entry(const std::vector<T>& list, int n) {
  return n >= 0 && static_cast<std::size_t>(n) < list.size() ? &list[static_cast<std::size_t>(n)]
                                                             : nullptr;
}

// `value` + `delta`, kept within an int: pixels far off the picture stay
// far off.
int Plus(int value, std::int64_t delta) { return ClampToInt(std::int64_t{value} + delta); }

int RailDirection(const RailRecord& rail) { return IsLeftward(rail) ? 1 : 2; }

std::string Format(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The label grid: one cell each 8 x 8 pixels of the window, holding the
// train whose label covers it (0 none).
class LabelGrid {
 public:
  LabelGrid(int width, int height)
      : columns_(std::max(width, 0) / 8 + 1),
        rows_(std::max(height, 0) / 8 + 1),
        cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0) {}

  // Marks the cells of pixels left..right, top..bottom that lie in the
  // window with `train`.
  void Mark(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
            int train) {
    const std::int64_t c1 = std::max<std::int64_t>(Cell(left), 0);
    const std::int64_t c2 = std::min<std::int64_t>(Cell(right), columns_ - 1);
    const std::int64_t r1 = std::max<std::int64_t>(Cell(top), 0);
    const std::int64_t r2 = std::min<std::int64_t>(Cell(bottom), rows_ - 1);
    for (std::int64_t r = r1; r <= r2; ++r) {
      for (std::int64_t c = c1; c <= c2; ++c) cells_[Index(c, r)] = train;
    }
  }
  // The train of the cell holding pixel (x, y), the nearest cell of the
  // window for a pixel outside it.
  int At(std::int64_t x, std::int64_t y) const {
    return cells_[Index(std::clamp<std::int64_t>(Cell(x), 0, columns_ - 1),
                        std::clamp<std::int64_t>(Cell(y), 0, rows_ - 1))];
  }

 private:
  static std::int64_t Cell(std::int64_t pixel) { return pixel >= 0 ? pixel / 8 : -1; }
  std::size_t Index(std::int64_t column, std::int64_t row) const {
    return static_cast<std::size_t>(row * columns_ + column);
  }
  int columns_;
  int rows_;
  std::vector<int> cells_;
};

// One piece of a train's label.
// One piece of a train's label: a text, or the series' icon by its file
// name.
struct LabelPiece {
  std::string text;
  Rgb colour;
  int width = 0;
  bool icon = false;
};

class BoardPainter {
 public:
  BoardPainter(const BoardScene& scene, Canvas& canvas, BoardObserver* observer,
               const BoardIndex& index)
      : scene_(scene),
        map_(scene.file.map),
        dia_(scene.file.dia),
        canvas_(canvas),
        observer_(observer),
        index_(index),
        colours_(scene),
        track_width_(scene.view.TrackWidth()) {}

  void Draw() {
    canvas_.FillRect(0, 0, scene_.view.width, scene_.view.height, kBlack);
    DrawLayoutMark();
    DrawPointLabels();
    DrawJumpLabels();
    DrawFrames();
    DrawRails();
    if (scene_.file.header.settings.use_interlocking != 0 &&
        scene_.settings.inter_view != kNoPanel) {
      DrawButtons();
      DrawLevers();
    }
    DrawTrains();
    DrawClock();
  }

 private:
  Rgb Item(int item) const { return scene_.items[static_cast<std::size_t>(item)].colour; }

  // The records of `kind` to draw: every one while an observer listens,
  // else those the index finds in view.
  const std::vector<int>& Records(BoardKind kind, int count) {
    found_.clear();
    const bool usable = index_.flat() == (scene_.view.layout == LayoutMode::kRowDivision);
    if (observer_ != nullptr || !usable) {
      for (int n = 1; n <= count; ++n) found_.push_back(n);
      return found_;
    }
    index_.Find(kind, VisibleArea(scene_.view, kDrawMargin), &found_);
    std::erase_if(found_, [count](int n) { return n < 1 || n > count; });
    return found_;
  }

  PixelPoint Place(int row, int x, int y) const {
    return MapToPixel(scene_.view, map_.rows, row, x, y);
  }

  // Draws `text` with its anchor as `h` and `v` say.
  void PlaceText(const BoardText& text) {
    const TextSize size = canvas_.MeasureText(text.utf8);
    std::int64_t x = text.anchor.x;
    std::int64_t y = text.anchor.y;
    if (text.h == HAlign::kCenter) x -= size.width / 2;
    if (text.h == HAlign::kRight) x -= size.width;
    if (text.v == VAlign::kMiddle) y -= size.height / 2;
    if (text.v == VAlign::kBottom) y -= size.height;
    canvas_.Text({ClampToInt(x), ClampToInt(y)}, text.utf8, text.colour);
  }

  void DrawLayoutMark() {
    const BoardView& view = scene_.view;
    if (view.layout == LayoutMode::kRowDivision) {
      const int x = MapToPixelX(view, scene_.layout_cut);
      canvas_.Line({x, 0}, {x, view.height}, kGray, 1);
    } else if (view.layout == LayoutMode::kRowPosition && map_.rows.Contains(scene_.layout_row)) {
      const RowRecord& row = map_.rows[scene_.layout_row];
      const int x = MapToPixelX(view, row.x);
      const int y = MapToPixelY(view, row.y);
      canvas_.Line({Plus(x, -10), y}, {Plus(x, 11), y}, kGreen, 1);
      canvas_.Line({x, Plus(y, -10)}, {x, Plus(y, 11)}, kGreen, 1);
    }
  }

  Rgb PointColour(int n) const {
    const PointRecord& point = map_.points[n];
    const PointRun* run = Entry(scene_.run.points, n);
    if ((scene_.placing_label != 0 && scene_.placing_label != n) ||
        (run != nullptr && run->failed)) {
      return kGray;
    }
    if (scene_.file.header.settings.use_interlocking != 0) return kWhite;
    switch (point.mode) {
      case kPointManual:
        return Item(kPointManualItem);
      case kPointReset:
        return Item(point.position == point.normal_position ? kPointResetNormalItem
                                                            : kPointResetReversedItem);
      case kPointDemand:
        return Item(kPointDemandItem);
      case kPointNotice:
        return Item(kPointNoticeItem);
      case kPointSequence:
        return Item(kPointSequenceItem);
      case kPointCombined:
        return Item(kPointCombinedItem);
      default:
        return kWhite;
    }
  }

  void DrawPointLabels() {
    for (int n : Records(BoardKind::kPointLabel, map_.points.count())) {
      const PointRecord& point = map_.points[n];
      const BoardText text{n,
                           index_.PointKey(n),
                           Place(point.label_row, point.label_x, point.label_y),
                           HAlign::kCenter,
                           VAlign::kTop,
                           PointColour(n)};
      PlaceText(text);
      if (observer_ != nullptr) observer_->PointLabel(text);
    }
  }

  void DrawJumpLabels() {
    const Rgb colour = Item(kJumpLabelItem);
    for (int n : Records(BoardKind::kJumpLabel, map_.jumps.count())) {
      const JumpRecord& jump = map_.jumps[n];
      const std::string& label = index_.JumpLabel(n);
      const BoardText from{n,
                           label,
                           Place(jump.from_row, jump.x_from, jump.y_from),
                           HAlign::kLeft,
                           VAlign::kMiddle,
                           colour};
      const BoardText to{
          n,     label, Place(jump.to_row, jump.x_to, jump.y_to), HAlign::kRight, VAlign::kMiddle,
          colour};
      PlaceText(from);
      PlaceText(to);
      if (observer_ != nullptr) {
        observer_->JumpLabel(from);
        observer_->JumpLabel(to);
      }
    }
  }

  void DrawFrames() {
    const Rgb fill = Item(kStationFrameItem);
    const Rgb name_colour = Item(kStationNameItem);
    for (int n : Records(BoardKind::kFrame, map_.station_draws.count())) {
      const StationDrawRecord& frame = map_.station_draws[n];
      const PixelPoint corner = Place(frame.kind, frame.x_left, frame.y_top);
      const PixelPoint opposite = Place(frame.kind, frame.x_right, frame.y_bottom);
      canvas_.FillRect(std::min(corner.x, opposite.x), std::min(corner.y, opposite.y),
                       ClampToInt(std::int64_t{std::max(corner.x, opposite.x)} + 1),
                       ClampToInt(std::int64_t{std::max(corner.y, opposite.y)} + 1), fill);
      const PixelPoint middle{static_cast<int>((std::int64_t{corner.x} + opposite.x) / 2),
                              static_cast<int>((std::int64_t{corner.y} + opposite.y) / 2)};
      const BoardText name{
          n,          index_.StationName(frame.station), middle, HAlign::kCenter, VAlign::kMiddle,
          name_colour};
      PlaceText(name);
      if (observer_ != nullptr) {
        observer_->Frame(n, frame.station, corner, opposite, fill);
        observer_->FrameName(name);
      }
    }
  }

  void DrawRails() {
    const int width = track_width_;
    for (int n : Records(BoardKind::kRail, map_.rails.count())) {
      const RailRecord& rail = map_.rails[n];
      if (rail.l_next == 0 && rail.l_back == 0) continue;
      const RailLine line = RailOnBoard(scene_.view, map_.rows, rail);
      const Rgb colour = colours_.Of(n);
      if (line.exit.y == line.entry.y) {
        // Level: one band, the same pixels between the end ticks.
        canvas_.FillRect(std::min(line.exit.x, line.entry.x), line.exit.y,
                         std::max(line.exit.x, line.entry.x), Plus(line.exit.y, width), colour);
      } else {
        for (int k = 0; k < width; ++k) {
          canvas_.Line({line.exit.x, Plus(line.exit.y, k)}, {line.entry.x, Plus(line.entry.y, k)},
                       colour, 1);
        }
      }
      for (const PixelPoint& end : {line.exit, line.entry}) {
        canvas_.Line({end.x, Plus(end.y, -1)}, {end.x, Plus(end.y, std::int64_t{width} + 1)},
                     kWhite, 1);
      }
      if (observer_ != nullptr) observer_->Rail(n, line, width, colour);
    }
  }

  // Whether a panel element flagged `main` is shown in the current display.
  bool Shown(int main) const {
    return scene_.settings.inter_view == kFullPanel ||
           (scene_.settings.inter_view == kMainPanel && main != 0);
  }

  // The rail of the chosen lever when it is one, else 0.
  int ChosenLeverRail() const {
    const int rail = scene_.chosen_lever;
    return map_.rails.Contains(rail) && dia_.levers.Contains(map_.rails[rail].lever) ? rail : 0;
  }

  void DrawButtons() {
    const int chosen = ChosenLeverRail();
    for (int n = 1; n <= map_.rails.count(); ++n) {
      const RailRecord& rail = map_.rails[n];
      if (!dia_.buttons.Contains(rail.button)) continue;
      const auto& b = dia_.buttons[rail.button].values;
      if (!Shown(b[kButtonMain])) continue;
      const bool route_ends = b[kButtonRouteFrom] != 0;
      int item;
      if (chosen == 0) {
        item = route_ends ? kButtonRouteItem : kButtonNoRouteItem;
      } else {
        const bool candidate =
            !route_ends && RailDirection(rail) == RailDirection(map_.rails[chosen]);
        item = candidate ? kButtonCandidateItem : kButtonNotCandidateItem;
      }
      const PixelPoint at = PanelPlace(scene_.view, map_.rows, b[kButtonRow], b[kButtonX],
                                       b[kButtonY], b[kButtonDirection]);
      Square(at, 4, Item(item), kBlack);
    }
  }

  // A filled square from -`half` up to (not including) +`half` + 1 around
  // `at`, with a border.
  void Square(PixelPoint at, int half, Rgb fill, Rgb border) {
    const int left = ClampToInt(std::int64_t{at.x} - half);
    const int top = ClampToInt(std::int64_t{at.y} - half);
    const int right = ClampToInt(std::int64_t{at.x} + half + 1);
    const int bottom = ClampToInt(std::int64_t{at.y} + half + 1);
    canvas_.FillRect(left, top, right, bottom, fill);
    canvas_.FrameRect(left, top, right, bottom, border, 1);
  }

  Rgb LeverColour(int rail, const std::array<int, kLeverValues>& values, int chosen) const {
    if (chosen != 0) return Item(rail == chosen ? kLeverChosenItem : kLeverNotChosenItem);
    switch (values[kLeverMode]) {
      case kLeverReset:
        return Item(values[kLeverCurrentRoute] == values[kLeverNormalRoute] ? kLeverResetNormalItem
                                                                            : kLeverResetOtherItem);
      case kLeverDemand:
        return Item(kLeverDemandItem);
      default:
        return Item(kLeverManualItem);
    }
  }

  void DrawLevers() {
    const int chosen = ChosenLeverRail();
    for (int n = 1; n <= map_.rails.count(); ++n) {
      const RailRecord& rail = map_.rails[n];
      if (!dia_.levers.Contains(rail.lever)) continue;
      const auto& v = dia_.levers[rail.lever].values;
      if (!Shown(v[kLeverMain])) continue;
      const int direction = v[kLeverDirection];
      const PixelPoint pivot =
          PanelPlace(scene_.view, map_.rows, v[kLeverRow], v[kLeverX], v[kLeverY], direction);
      const Rgb colour = LeverColour(n, v, chosen);
      double tilt = 0;
      if (n == chosen || v[kLeverCurrentRoute] != 0) tilt = direction == 1 ? 45.0 : -45.0;
      DrawHandle(pivot, tilt, colour);
      Square(pivot, 4, colour, kBlack);
      if (v[kLeverHasSignalButton] != 0) {
        DrawSignalButton(n, v, direction);
      }
    }
  }

  void DrawHandle(PixelPoint pivot, double degrees, Rgb colour) {
    const double radians = degrees * std::acos(-1.0) / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const auto r = [](double value) { return static_cast<int>(std::lround(value)); };
    const int px = pivot.x;
    const int py = pivot.y;
    const std::vector<PixelPoint> corners = {
        {Plus(px, r(2 * c)), Plus(py, -r(2 * s))},
        {Plus(px, -r(2 * c)), Plus(py, r(2 * s))},
        {Plus(px, -r(12 * s) - r(2 * c)), Plus(py, -r(12 * c) + r(2 * s))},
        {Plus(px, -r(12 * s) + r(2 * c)), Plus(py, -r(12 * c) - r(2 * s))},
    };
    canvas_.FillPolygon(corners, colour);
    for (std::size_t k = 0; k < corners.size(); ++k) {
      canvas_.Line(corners[k], corners[(k + 1) % corners.size()], kBlack, 1);
    }
  }

  void DrawSignalButton(int rail, const std::array<int, kLeverValues>& v, int direction) {
    const PixelPoint at = PanelPlace(scene_.view, map_.rows, v[kSignalButtonRow], v[kSignalButtonX],
                                     v[kSignalButtonY], direction);
    const RailRun* run = Entry(scene_.run.rails, rail);
    const Rgb colour =
        colours_.AspectColour(colours_.SignalAhead(rail), run != nullptr ? run->aspect : 0);
    Square(at, 5, colour, kWhite);
    const int sign = direction == 1 ? 1 : -1;
    const int outer = Plus(at.x, sign * 10);
    canvas_.Line({Plus(at.x, sign * 5), at.y}, {outer, at.y}, kWhite, 1);
    canvas_.Line({outer, Plus(at.y, -5)}, {outer, Plus(at.y, 6)}, kWhite, 1);
  }

  // ---------------------------------------------------------------- trains

  struct TrainOnBoard {
    int train = 0;
    PixelPoint at;
  };

  void DrawTrains() {
    const BoardView& view = scene_.view;
    std::vector<TrainOnBoard> placed;
    for (int f = 1; f <= dia_.trains.count(); ++f) {
      if (const auto at = TrainPlace(scene_, f)) placed.push_back({f, *at});
    }
    LabelGrid grid(view.width, view.height);
    for (const TrainOnBoard& t : placed) {
      grid.Mark(std::int64_t{t.at.x} - 30, std::int64_t{t.at.y} - 15, std::int64_t{t.at.x} + 29,
                std::int64_t{t.at.y} + 14, t.train);
    }
    const int space_height = canvas_.MeasureText("　").height + 1;
    for (const TrainOnBoard& t : placed) {
      const bool in_view = t.at.x >= -kTrainMargin && t.at.x <= view.width + kTrainMargin &&
                           t.at.y >= -kDrawMargin && t.at.y <= view.height + kDrawMargin;
      if (in_view) DrawTrain(t, grid, space_height);
    }
  }

  // Whether a cell the column `x` meets from `top` to `bottom` in steps of
  // `step` holds another train than `train`.
  static bool OtherTrainIn(const LabelGrid& grid, std::int64_t x, std::int64_t top,
                           std::int64_t bottom, int step, int train) {
    for (std::int64_t y = top; y <= bottom; y += std::max(step, 1)) {
      const int held = grid.At(x, y);
      if (held != 0 && held != train) return true;
    }
    return false;
  }

  // The status mark of a train and its colour; empty for none.
  LabelPiece StatusMark(const TrainRun& run, bool to_diagram) const {
    const bool simple = scene_.settings.smart_view;
    const auto mark = [simple](const char* full, const char* one, Rgb colour) {
      return LabelPiece{simple ? one : full, colour, 0};
    };
    if (run.failed) return mark("故障", "故", kRed);
    if (run.departure_command == 1 && run.state < 13) return mark("発車", "発", kGreen);
    if (run.departure_command == 2 && run.state < 13) {
      return run.departure_seconds > 0 ? mark("延発", "延", kGreen) : mark("早発", "早", kGreen);
    }
    if (run.hold_command == 2 && run.hold_station == 0 && run.state == 9) {
      return mark("抑止", "抑", kRed);
    }
    if (run.hold_command == 3 && run.state == 10) return mark("通知", "通", kBlue);
    if (simple) return {};
    if ((run.state == 17 && run.speed == 0) || run.state == 6) return {"信号", kOrange, 0};
    if (run.state == 7) return {"進路", kOrange, 0};
    if (run.state == 8) return {"電化", kOrange, 0};
    if (run.state > 13 && !run.route_ahead &&
        run.signal_distance < scene_.file.header.settings.route_warning_dist && to_diagram) {
      return {"進路", kOrange, 0};
    }
    return {};
  }

  void DrawTrain(const TrainOnBoard& t, const LabelGrid& grid, int space_height) {
    const TrainRecord& record = dia_.trains[t.train];
    static const TrainRun kStill;
    const TrainRun* found = Entry(scene_.run.trains, t.train);
    const TrainRun& run = found != nullptr ? *found : kStill;
    const int diagram = record.value1 == INT_MIN ? 0 : std::abs(record.value1);
    const bool to_diagram = record.value1 > 0;
    const DiagramRecord* run_record =
        dia_.diagrams.Contains(diagram) ? &dia_.diagrams[diagram] : nullptr;
    const std::int64_t px = t.at.x;
    const std::int64_t py = t.at.y;

    bool crowded = OtherTrainIn(grid, px - 50, py - space_height, py, space_height / 2, t.train);

    LabelPiece status = StatusMark(run, to_diagram);
    LabelPiece delay;
    const bool at_event = run_record != nullptr && run.event >= 0 &&
                          static_cast<std::size_t>(run.event) < run_record->events.size() &&
                          run_record->events[static_cast<std::size_t>(run.event)].kind != kEventEnd;
    if (run.delay >= 60 && at_event) {
      if (!scene_.settings.smart_view) {
        delay = {Format("%d", run.delay / 60) + "遅", kMagenta, 0};
      } else if (status.text.empty()) {
        delay = {Format("%d", run.delay / 60), kMagenta, 0};
      }
    }
    LabelPiece type;
    LabelPiece target;
    if (run_record != nullptr) {
      const int type_number = run_record->values[6];
      type.text = index_.TypeName(type_number, scene_.settings.view_type);
      type.colour = kWhite;
      if (dia_.train_types.Contains(type_number)) {
        const TrainTypeRecord& tr = dia_.train_types[type_number];
        if (tr.red != 0 || tr.green != 0 || tr.blue != 0) {
          type.colour = {std::clamp(tr.red, 0, 255), std::clamp(tr.green, 0, 255),
                         std::clamp(tr.blue, 0, 255)};
        }
      }
      target = {index_.TargetName(run_record->values[0], scene_.settings.view_for), kWhite, 0};
    }
    if (crowded) delay = type = target = {};

    const std::string number_text =
        run_record != nullptr ? index_.TrainNumber(diagram) : record.name.Utf8();
    LabelPiece number;
    number.text = run.direction == 1   ? "←" + number_text
                  : run.direction == 2 ? number_text + "→"
                                       : number_text;
    TrainStateContext context;
    context.to_diagram = to_diagram;
    context.safety_device = scene_.file.header.settings.safety_device;
    context.motion_colours = !scene_.settings.track_view;
    context.english = scene_.english;
    number.colour = TrainStateOf(run, context).colour;

    LabelPiece icon;
    if (scene_.settings.view_image16) icon = {index_.TrainIcon(t.train), kWhite, 0, true};

    std::vector<LabelPiece*> order =
        run.direction == 1
            ? std::vector<LabelPiece*>{&number, &icon, &type, &target, &delay, &status}
            : std::vector<LabelPiece*>{&status, &delay, &type, &target, &icon, &number};
    std::int64_t total = 8;
    int height = 0;
    int icon_height = 0;
    for (LabelPiece* piece : order) {
      if (piece->text.empty()) continue;
      const TextSize size =
          piece->icon ? canvas_.ImageSize(piece->text) : canvas_.MeasureText(piece->text);
      piece->width = std::max(size.width, 0);
      if (piece->icon) {
        icon_height = size.height;
      } else {
        height = std::max(height, size.height);
      }
      total += piece->width + 2;
    }
    std::int64_t x = px - total / 2;
    for (LabelPiece* piece : order) {
      if (piece->text.empty()) continue;
      if (piece->icon) {
        // On the text's baseline.
        if (piece->width > 0)
          canvas_.Image({ClampToInt(x), ClampToInt(py - icon_height)}, piece->text);
        x += piece->width + 2;
        continue;
      }
      const PixelPoint origin{ClampToInt(x), ClampToInt(py - height)};
      canvas_.Text(origin, piece->text, piece->colour);
      if (piece == &number && scene_.settings.flattery_view &&
          scene_.settings.flattery_train == t.train) {
        FollowedBox(Plus(origin.x, -1), Plus(origin.y, -1), ClampToInt(x + piece->width + 1),
                    ClampToInt(py + 1));
      }
      x += piece->width + 2;
    }
    canvas_.FillRect(ClampToInt(px - 2), ClampToInt(py), ClampToInt(px + 3), ClampToInt(py + 4),
                     kWhite);
    if (!scene_.settings.track_view && !OtherTrainIn(grid, px - 30, py, py + 14, 7, t.train)) {
      const char* form = scene_.file.header.settings.max_speed >= 100 ? "%3d" : "%2d";
      std::string speed = Format(form, run.speed);
      const bool check_off =
          scene_.file.header.settings.safety_device == kSafetyAts && record.value3 == 0;
      if (!check_off) speed += "/" + Format(form, run.permitted_speed);
      const TextSize size = canvas_.MeasureText(speed);
      canvas_.Text({ClampToInt(px - size.width / 2), ClampToInt(py + 5)}, speed, kWhite);
    }
  }

  // The box around the followed train's number in item 4's pen: dotted
  // (pen style 2) or solid.
  void FollowedBox(int left, int top, int right, int bottom) {
    const LineItem& pen = scene_.items[kFollowingTrainBoxItem];
    if (pen.pen_style == 2) {
      canvas_.DottedFrameRect(left, top, right, bottom, pen.colour);
    } else {
      canvas_.FrameRect(left, top, right, bottom, pen.colour, 1);
    }
  }

  void DrawClock() {
    const int position = scene_.settings.clock_position;
    if (position < 1 || position > 4) return;
    const std::string text = ClockText(scene_.run.time);
    const TextSize size = canvas_.MeasureText(text);
    const int left = position == 1 || position == 3 ? 1 : scene_.view.width - 1 - size.width;
    const int top = position <= 2 ? 1 : scene_.view.height - 1 - size.height;
    canvas_.FillRect(left, top, left + size.width, top + size.height, kWhite);
    canvas_.Text({left, top}, text, kBlack);
  }

  const BoardScene& scene_;
  const SystemMap& map_;
  const DiaData& dia_;
  Canvas& canvas_;
  BoardObserver* observer_;
  const BoardIndex& index_;
  RailColours colours_;
  int track_width_;
  std::vector<int> found_;
};

}  // namespace

void DrawBoard(const BoardScene& scene, Canvas& canvas, BoardObserver* observer) {
  if (scene.index != nullptr) {
    BoardPainter(scene, canvas, observer, *scene.index).Draw();
    return;
  }
  const BoardIndex index(scene.file, scene.view.layout);
  BoardPainter(scene, canvas, observer, index).Draw();
}

std::optional<PixelPoint> TrainPlace(const BoardScene& scene, int train) {
  const SystemMap& map = scene.file.map;
  const Table<TrainRecord>& trains = scene.file.dia.trains;
  if (!trains.Contains(train) || !map.rails.Contains(trains[train].rail)) return std::nullopt;
  const RailRecord& rail = map.rails[trains[train].rail];
  const RailLine line = RailOnBoard(scene.view, map.rows, rail);
  if (scene.settings.track_view) {
    return PixelPoint{static_cast<int>((std::int64_t{line.exit.x} + line.entry.x) / 2),
                      static_cast<int>((std::int64_t{line.exit.y} + line.entry.y) / 2)};
  }
  // From the entry end (the rail's start) towards the exit end; a rail
  // without a length keeps its trains at its start.
  const TrainRun* run = Entry(scene.run.trains, train);
  const std::int64_t length = rail.length;
  if (run == nullptr || length <= 0) return line.entry;
  const std::int64_t along = std::clamp<std::int64_t>(run->position, 0, length);
  // (to - from) x along / length without a product beyond 64 bits.
  const auto between = [along, length](int from, int to) {
    const std::int64_t span = std::int64_t{to} - from;
    return static_cast<int>(from + span / length * along + span % length * along / length);
  };
  return PixelPoint{between(line.entry.x, line.exit.x), between(line.entry.y, line.exit.y)};
}

ScrollPositions FollowTrain(const BoardScene& scene, FollowedPlace& followed) {
  ScrollPositions positions;
  const int train = scene.settings.flattery_train;
  if (train == 0) return positions;
  const std::optional<PixelPoint> at = TrainPlace(scene, train);
  if (!at) return positions;
  const BoardView& view = scene.view;
  const std::int64_t dx = std::int64_t{at->x} - view.width / 2 - view.scroll_x;
  const std::int64_t dy = std::int64_t{at->y} - view.height / 2 - view.scroll_y;
  if (std::llabs(dx - followed.last_x) > view.width / 5) {
    positions.x = ClampToInt(dx / kScrollStep);
    followed.last_x = ClampToInt(dx);
  }
  if (std::llabs(dy - followed.last_y) > view.height / 5) {
    positions.y = ClampToInt(dy / kScrollStep);
    followed.last_y = ClampToInt(dy);
  }
  return positions;
}

std::string ClockText(int seconds) {
  const int day = 24 * 3600;
  const int time = ((seconds % day) + day) % day;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time / 3600, time / 60 % 60, time % 60);
  return text;
}

}  // namespace corvane
