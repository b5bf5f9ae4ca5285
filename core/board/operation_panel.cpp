#include "board/operation_panel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/menu.h"
#include "board/board_scroll.h"
#include "board/board_window.h"
#include "board/display_windows.h"
#include "board/panel_hits.h"
#include "board/point_boxes.h"
#include "interlocking/point_control.h"
#include "interlocking/route_setting.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

bool WindowOpen(const DiaModel& model, int n) {
  return n >= 0 && n < kDisplayWindows && model.windows()[static_cast<std::size_t>(n)].open;
}

bool UsesInterlocking(const DiaModel& model) {
  return model.header().settings.use_interlocking != 0;
}

bool InLayoutMode(LayoutMode mode) { return mode != LayoutMode::kNormal; }

// The report that collects the message lines into `effects`.
OperationReport ReportInto(PanelEffects& effects, Prompter* prompter) {
  OperationReport report;
  report.line = [&effects](std::string_view text, bool beep) {
    effects.lines.push_back({std::string(text), beep});
  };
  report.boxes = prompter;
  return report;
}

void Take(const LayoutEffects& layout, PanelEffects& effects) {
  if (layout.prompt) effects.prompt = layout.prompt;
  effects.redraw = effects.redraw || layout.redraw || layout.scroll_x || layout.scroll_y;
  if (layout.open_rail_properties != 0) effects.open_rail_properties = layout.open_rail_properties;
  effects.beep = effects.beep || layout.beep;
}

// Code points of a UTF-8 text.
int Characters(std::string_view text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void DropLastCharacter(std::string& text) {
  while (!text.empty()) {
    const char c = text.back();
    text.pop_back();
    if ((c & 0xC0) != 0x80) break;
  }
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

PanelMenuLine Command(std::string id, std::string japanese, std::string english,
                      bool checked = false) {
  PanelMenuLine line;
  line.id = std::move(id);
  line.japanese = std::move(japanese);
  line.english = std::move(english);
  line.checked = checked;
  return line;
}

PanelMenuLine Header(std::string japanese, std::string english) {
  PanelMenuLine line = Command("", std::move(japanese), std::move(english));
  line.enabled = false;
  return line;
}

PanelMenuLine Separator() {
  PanelMenuLine line;
  line.separator = true;
  line.enabled = false;
  return line;
}

std::string Formatted(const char* format, std::string_view text) {
  std::string out(format);
  const std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, text);
  return out;
}

std::string RailName(const DiaFile& file, int rail) {
  return file.map.rails.Contains(rail) ? file.map.rails[rail].name.Utf8() : std::string();
}

// The booking of any rail of point `p` keeps its throws from the menu.
bool ApproachLocked(const DiaFile& file, const RunState& run, int p) {
  for (int r = 1; r <= file.map.rails.count(); ++r) {
    const int piece = file.map.rails[r].l_pack;
    if (piece < 1 || static_cast<std::size_t>(piece) >= run.pieces.size()) continue;
    if (run.pieces[static_cast<std::size_t>(piece)].point != p) continue;
    if (static_cast<std::size_t>(r) < run.rails.size() &&
        run.rails[static_cast<std::size_t>(r)].booking > 0) {
      return true;
    }
  }
  return false;
}

const PointRun* PointRunOf(const RunState& run, int p) {
  return p >= 0 && static_cast<std::size_t>(p) < run.points.size()
             ? &run.points[static_cast<std::size_t>(p)]
             : nullptr;
}

// The train a point's request is for, when the menu offers to throw for it.
int TrainToServe(const DiaFile& file, const RunState& run, int p) {
  const PointRun* point_run = PointRunOf(run, p);
  if (point_run == nullptr || !file.dia.trains.Contains(point_run->requesting_train)) return 0;
  const PointRecord& point = file.map.points[p];
  const bool choice =
      PositionCount(point) > 2 || point.mode == kPointSequence || point.mode == kPointCombined;
  if (!choice || OnPointPath(point, point_run->requested_rail, point.position)) return 0;
  return point_run->requesting_train;
}

std::string TrainTitle(const DiaData& dia, int train) { return FollowedTrainName(dia, train); }

void PointBlock(const DiaFile& file, const RunState& run, int p, std::vector<PanelMenuLine>& menu) {
  const PointRecord& point = file.map.points[p];
  const std::string key = point.point_key.Utf8();
  menu.push_back(Header(Formatted("ポイント %s", key), Formatted("Point %s", key)));
  if (ApproachLocked(file, run, p)) {
    menu.push_back(Header("接近鎖錠中", "Approach Locked"));
  } else {
    if (const int train = TrainToServe(file, run, p)) {
      const TrainRecord& t = file.dia.trains[train];
      const bool runs = t.value1 > 0 && file.dia.diagrams.Contains(t.value1);
      const std::string name = runs ? TrainTitle(file.dia, train) : t.name.Utf8();
      menu.push_back(
          runs ? Command("point.for_train", name + " 進路構成(&T)", name + " Set Route(&T)")
               : Command("point.for_train", name + "編成 進路構成(&T)",
                         "Trainset " + name + " Set Route(&T)"));
    }
    if (PositionCount(point) < 3) {
      menu.push_back(Command("point.throw", "転換(&F)", "Throw(&F)"));
    } else {
      menu.push_back(Command("point.throw", "正順転換(&F)", "Throw Forward(&F)"));
      menu.push_back(Command("point.throw_back", "逆順転換(&B)", "Throw Backward(&B)"));
    }
  }
  const PointRun* point_run = PointRunOf(run, p);
  if (point_run != nullptr && point_run->saved_mode != point.mode) {
    menu.push_back(Header("一時手動制御中", "Temporarily Manual"));
  }
  static const char* const kModes[][2] = {
      {"手動制御(&M)", "Manual Control(&M)"},   {"復位制御(&R)", "Reset Control(&R)"},
      {"要求制御(&A)", "Demand Control(&A)"},   {"通知制御(&N)", "Notice Control(&N)"},
      {"順序制御(&O)", "Sequence Control(&O)"}, {"併用制御(&D)", "Combined Control(&D)"},
  };
  for (int m = 0; m < kPointModes; ++m) {
    menu.push_back(
        Command("point.mode." + std::to_string(m), kModes[m][0], kModes[m][1], point.mode == m));
  }
  menu.push_back(Command("point.normal", "定位設定(&D)", "Set Normal Position(&D)"));
  menu.push_back(Command("point.key", "キー設定(&S)", "Set Key(&S)"));
  menu.push_back(Command("point.label", "位置修正(&P)", "Move Label(&P)"));
}

void LeverBlock(const DiaFile& file, const RunState& run, int rail,
                std::vector<PanelMenuLine>& menu) {
  const int lever = file.map.rails[rail].lever;
  const auto& v = file.dia.levers[lever].values;
  menu.push_back(Header("発点てこ", "Start Lever"));
  menu.push_back(Header(RailName(file, rail), RailName(file, rail)));
  if (v[kLeverCurrentRoute] != 0) {
    menu.push_back(Command("lever.rebuild", "再構成(&C)", "Set Again(&C)"));
  }
  static const char* const kModes[][2] = {{"手動制御(&M)", "Manual Control(&M)"},
                                          {"復位制御(&R)", "Reset Control(&R)"},
                                          {"要求制御(&A)", "Demand Control(&A)"}};
  for (int m = 0; m < kLeverModes; ++m) {
    menu.push_back(
        Command("lever.mode." + std::to_string(m), kModes[m][0], kModes[m][1], v[kLeverMode] == m));
  }
  const bool after_stop = lever < static_cast<int>(run.levers.size()) &&
                          run.levers[static_cast<std::size_t>(lever)].route_after_stop;
  if (after_stop) {
    menu.push_back(Command("lever.after_stop", "停車後進路設定(&S)", "Route After Stop(&S)", true));
  }
  menu.push_back(Command("lever.normal", "定位設定(&D)", "Set Normal Route(&D)",
                         v[kLeverCurrentRoute] == v[kLeverNormalRoute]));
  menu.push_back(Command("lever.main", "てこ表示(&V)", "Show Lever(&V)", v[kLeverMain] != 0));
}

void ButtonBlock(const DiaFile& file, int rail, bool signal, std::vector<PanelMenuLine>& menu) {
  menu.push_back(Header("着点ボタン", "End Button"));
  menu.push_back(Header(RailName(file, rail), RailName(file, rail)));
  const RailRecord& r = file.map.rails[rail];
  const bool shown = signal ? file.dia.levers[r.lever].values[kLeverHasSignalButton] != 0
                            : file.dia.buttons[r.button].values[kButtonMain] != 0;
  menu.push_back(Command(signal ? "signal.shown" : "button.shown", "ボタン表示(&B)",
                         "Show Button(&B)", shown));
}

std::string MinutesText(int minutes, bool english) {
  char text[32];
  std::snprintf(text, sizeof text, english ? "%d min" : "%d分", minutes);
  return text;
}

// Points whose key is `typed` (letter case ignored).
std::vector<int> PointsKeyed(const SystemMap& map, std::string_view typed) {
  std::vector<int> points;
  const std::string lower = Lower(typed);
  for (int p = 1; p <= map.points.count(); ++p) {
    const std::string key = map.points[p].point_key.Utf8();
    if (!key.empty() && Lower(key) == lower) points.push_back(p);
  }
  return points;
}

}  // namespace

// ------------------------------------------------------------ helpers

std::vector<int> HoldStations(const DiaFile& file, int train) {
  std::vector<int> stations;
  if (!file.dia.trains.Contains(train)) return stations;
  const int diagram = file.dia.trains[train].value1;
  if (diagram <= 0 || !file.dia.diagrams.Contains(diagram)) return stations;
  for (const StopEvent& event : file.dia.diagrams[diagram].events) {
    if (event.kind == kEventEnd) break;
    if (event.kind != kEventArrival && event.kind != kEventDeparture) continue;
    if (!file.map.rails.Contains(event.rail)) continue;
    const int station = file.map.rails[event.rail].station;
    if (!file.map.stations.Contains(station)) continue;
    if (std::find(stations.begin(), stations.end(), station) != stations.end()) continue;
    stations.push_back(station);
    if (stations.size() == 5) break;
  }
  return stations;
}

int LongestPointKey(const SystemMap& map) {
  int longest = 0;
  for (int p = 1; p <= map.points.count(); ++p) {
    longest = std::max(longest, Characters(map.points[p].point_key.Utf8()));
  }
  return longest;
}

const PanelMenuLine* FindPanelLine(const std::vector<PanelMenuLine>& menu, std::string_view text) {
  const auto trimmed = [](std::string plain) {
    while (!plain.empty() && plain.back() == ' ') plain.pop_back();
    return plain;
  };
  const std::size_t slash = text.find('/');
  for (const PanelMenuLine& line : menu) {
    if (line.separator) continue;
    const bool named = trimmed(PlainMenuText(line.japanese)) == text.substr(0, slash) ||
                       trimmed(PlainMenuText(line.english)) == text.substr(0, slash);
    if (!named) continue;
    if (slash != std::string_view::npos) {
      if (!line.children.empty()) return FindPanelLine(line.children, text.substr(slash + 1));
      continue;
    }
    if (!line.enabled || line.id.empty() || !line.children.empty()) continue;
    return &line;
  }
  return nullptr;
}

// ------------------------------------------------------------ the panel

const PanelWindowState& OperationPanel::state(int n) const {
  static const PanelWindowState kNone;
  return n >= 0 && n < kDisplayWindows ? windows_[static_cast<std::size_t>(n)] : kNone;
}

PanelWindowState& OperationPanel::Mutable(int n) {
  static PanelWindowState scratch;
  if (n < 0 || n >= kDisplayWindows) {
    scratch = {};
    return scratch;
  }
  return windows_[static_cast<std::size_t>(n)];
}

BoardScene OperationPanel::Scene(const DiaModel& model, const PanelWindow& window,
                                 const LineItems& items) const {
  BoardScene scene =
      WindowBoardScene(model, editing_, items, window.n, window.width, window.height);
  const PanelWindowState& s = state(window.n);
  scene.chosen_lever = s.chosen_lever;
  scene.placing_label = s.placing_label;
  return scene;
}

PanelEffects OperationPanel::LeftClick(DiaModel& model, const PanelWindow& window, PixelPoint click,
                                       PanelModifiers modifiers) {
  PanelEffects effects;
  if (!WindowOpen(model, window.n)) return effects;
  PanelWindowState& s = Mutable(window.n);
  const OperationReport report = ReportInto(effects, prompter_);
  const bool interlocking = UsesInterlocking(model);
  // A lever chosen before other data was opened is forgotten.
  if (!model.map().rails.Contains(s.chosen_lever) ||
      LeverOnRail(model.file(), s.chosen_lever) == 0) {
    s.chosen_lever = 0;
  }
  // The route's end, or the chosen lever again.
  if (s.chosen_lever != 0 && enabled_) {
    const BoardScene scene = Scene(model, window);
    const int end = EndButtonAt(scene, click);
    if (end != 0) {
      {
        DiaChange change(model);
        SetRoute(change, s.chosen_lever, end, nullptr, RoutePreference::kNormalPath, true, report);
      }
      s.chosen_lever = 0;
      effects.redraw = true;
      return effects;
    }
    if (LeverAt(scene, click) == s.chosen_lever) {
      s.chosen_lever = 0;
      effects.redraw = true;
      return effects;
    }
  }
  // The layout modes.
  const LayoutMode mode = editing_.mode();
  if (mode == LayoutMode::kRowDivision || mode == LayoutMode::kRowPosition ||
      mode == LayoutMode::kRailProperty) {
    Take(RunWindowLayoutClick(model, editing_, window.n, window.width, window.height,
                              BoardClick::kLeft, click),
         effects);
    if (mode == LayoutMode::kRailProperty) return effects;
  }
  // The point's label.
  if (model.map().points.Contains(s.placing_label)) {
    const BoardScene scene = Scene(model, window);
    const PointRecord& point = model.map().points[s.placing_label];
    const RowShift shift = ShiftOfRow(model.map().rows, point.label_row, scene.view.layout);
    const auto place = [](std::int64_t value) {
      return static_cast<int>(std::clamp<std::int64_t>(value, -kBoardLimit, kBoardLimit));
    };
    {
      DiaChange change(model);
      PlacePointLabel(change, s.placing_label, point.label_row,
                      place(PixelToMapX(scene.view, click.x) - shift.dx),
                      place(PixelToMapY(scene.view, click.y) - shift.dy));
    }
    s.placing_label = 0;
    effects.prompt = "";
    effects.redraw = true;
    return effects;
  }
  s.placing_label = 0;
  const BoardScene scene = Scene(model, window);
  const auto point_hit = [&] {
    return PointAt(PointBoxes(scene.view, model.file(), model.run()), click);
  };
  // Points without the interlocking, levers with it.
  if (enabled_) {
    if (!interlocking) {
      if (const int p = point_hit()) {
        DiaChange change(model);
        if (modifiers.ctrl) {
          CyclePointMode(change, p, report);
        } else {
          ThrowPoint(change, p, 1, ThrowCaller::kBoard, 0, report);
        }
        effects.redraw = true;
      }
    } else if (s.chosen_lever == 0) {
      if (const int rail = LeverAt(scene, click)) {
        DiaChange change(model);
        if (modifiers.ctrl) {
          CycleLeverMode(change, LeverOnRail(model.file(), rail), report);
        } else if (ClickStartLever(change, rail, report) == StartClick::kChosen) {
          s.chosen_lever = rail;
        }
        effects.redraw = true;
        return effects;
      }
    }
  }
  // A station frame.
  if (const int frame = FrameAt(scene.view, model.map(), click)) {
    effects.open_station_frame = frame;
    return effects;
  }
  // A point under the interlocking is thrown by routes only.
  if (interlocking && point_hit() != 0) {
    report.Refuse(PanelDrawn(scene) ? kPointRefusedText : kPointRefusedNoPanelText);
  }
  return effects;
}

PanelEffects OperationPanel::RightClick(DiaModel& model, const PanelWindow& window,
                                        PixelPoint click) {
  PanelEffects effects;
  if (!WindowOpen(model, window.n)) return effects;
  PanelWindowState& s = Mutable(window.n);
  const int chosen = s.chosen_lever;
  const int placing = s.placing_label;
  s = {};
  s.click = click;
  s.placing_label = placing;
  if (chosen != 0) {
    effects.redraw = true;
    return effects;
  }
  const LayoutMode mode = editing_.mode();
  if (mode == LayoutMode::kRowDivision || mode == LayoutMode::kRowPosition) {
    Take(RunWindowLayoutClick(model, editing_, window.n, window.width, window.height,
                              BoardClick::kRight, click),
         effects);
    return effects;
  }
  if (s.placing_label != 0) {
    s.placing_label = 0;
    effects.prompt = "";
    return effects;
  }
  if (!enabled_ || InLayoutMode(mode)) return effects;
  const BoardScene scene = Scene(model, window);
  s.train = TrainAt(scene, click);
  if (UsesInterlocking(model)) {
    s.lever_rail = LeverAt(scene, click);
    s.signal_rail = SignalButtonAt(scene, click);
    s.button_rail = EndButtonAt(scene, click);
  } else {
    // The nearest point, as for a left click.
    s.point = PointAt(PointBoxes(scene.view, model.file(), model.run()), click);
  }
  effects.open_menu = true;
  return effects;
}

PanelEffects OperationPanel::DoubleClick(DiaModel& model, const PanelWindow& window,
                                         PixelPoint click) {
  PanelEffects effects;
  if (editing_.mode() != LayoutMode::kRailProperty) return effects;
  Take(RunWindowLayoutClick(model, editing_, window.n, window.width, window.height,
                            BoardClick::kDouble, click),
       effects);
  return effects;
}

PanelEffects OperationPanel::Wheel(DiaModel& model, const PanelWindow& window, int notches,
                                   bool shift) {
  PanelEffects effects;
  if (!WindowOpen(model, window.n) || notches == 0) return effects;
  BoardView view = WindowBoardView(model, editing_, window.n, window.width, window.height);
  const BoardScrollRanges ranges = ScrollRangesOf(view, model.map(), editing_.row());
  const int steps = std::min(std::abs(notches), 1000);
  for (int k = 0; k < steps; ++k) {
    if (shift) {
      ScrollBoard(view, ranges, notches > 0 ? BoardScroll::kPageLeft : BoardScroll::kPageRight);
    } else {
      ScrollBoard(view, ranges, notches > 0 ? BoardScroll::kPageUp : BoardScroll::kPageDown);
    }
  }
  KeepWindowView(model, window.n, view);
  effects.redraw = true;
  return effects;
}

PanelEffects OperationPanel::LayoutKey(DiaModel& model, const PanelWindow& window,
                                       LayoutEditing::Key key, bool* taken) {
  PanelEffects effects;
  BoardView view = WindowBoardView(model, editing_, window.n, window.width, window.height);
  const LayoutEffects layout = editing_.PressKey(model, view, key, taken);
  if (layout.scroll_x || layout.scroll_y) {
    ApplyScroll(layout, view);
    KeepWindowView(model, window.n, view);
  }
  Take(layout, effects);
  return effects;
}

PanelEffects OperationPanel::ArrowKey(DiaModel& model, const PanelWindow& window, PanelKey key,
                                      PanelModifiers modifiers) {
  PanelEffects effects;
  const bool horizontal = key == PanelKey::kLeft || key == PanelKey::kRight;
  const bool forward = key == PanelKey::kRight || key == PanelKey::kDown;
  BoardView view = WindowBoardView(model, editing_, window.n, window.width, window.height);
  if (modifiers.ctrl) {
    const int step = modifiers.shift ? kSmallZoomStep : kLargeZoomStep;
    ZoomBoard(view, horizontal ? ZoomAxis::kHorizontal : ZoomAxis::kVertical,
              forward ? step : -step);
  } else {
    if (InLayoutMode(editing_.mode())) {
      static constexpr LayoutEditing::Key kKeys[] = {
          LayoutEditing::Key::kLeft, LayoutEditing::Key::kRight, LayoutEditing::Key::kUp,
          LayoutEditing::Key::kDown};
      const int k = (horizontal ? 0 : 2) + (forward ? 1 : 0);
      bool taken = false;
      effects = LayoutKey(model, window, kKeys[k], &taken);
      if (taken) return effects;
    }
    static constexpr BoardScroll kPages[] = {BoardScroll::kPageLeft, BoardScroll::kPageRight,
                                             BoardScroll::kPageUp, BoardScroll::kPageDown};
    static constexpr BoardScroll kLines[] = {BoardScroll::kLineLeft, BoardScroll::kLineRight,
                                             BoardScroll::kLineUp, BoardScroll::kLineDown};
    const int k = (horizontal ? 0 : 2) + (forward ? 1 : 0);
    ScrollBoard(view, ScrollRangesOf(view, model.map(), editing_.row()),
                modifiers.shift ? kLines[k] : kPages[k]);
  }
  KeepWindowView(model, window.n, view);
  effects.redraw = true;
  return effects;
}

PanelEffects OperationPanel::Key(DiaModel& model, const PanelWindow& window, PanelKey key,
                                 std::string_view text, PanelModifiers modifiers, int function) {
  PanelEffects effects;
  if (!WindowOpen(model, window.n)) return effects;
  PanelWindowState& s = Mutable(window.n);
  const LayoutMode mode = editing_.mode();
  bool taken = false;
  switch (key) {
    case PanelKey::kTab:
      effects.next_window = modifiers.shift;
      return effects;
    case PanelKey::kEnter:
      if (mode == LayoutMode::kRailProperty) {
        return LayoutKey(model, window, LayoutEditing::Key::kEnter, &taken);
      }
      return effects;
    case PanelKey::kEscape:
      if (InLayoutMode(mode)) {
        Take(editing_.Leave(), effects);
      } else if (s.placing_label != 0) {
        s.placing_label = 0;
        effects.prompt = "";
      } else if (!buffer_.empty()) {
        buffer_.clear();
      } else if (s.chosen_lever != 0) {
        s.chosen_lever = 0;
        effects.redraw = true;
      }
      return effects;
    case PanelKey::kSpace:
      if (InLayoutMode(mode)) return LayoutKey(model, window, LayoutEditing::Key::kSpace, &taken);
      return TypedKey(model, key, " ", modifiers);
    case PanelKey::kLeft:
    case PanelKey::kRight:
    case PanelKey::kUp:
    case PanelKey::kDown:
      return ArrowKey(model, window, key, modifiers);
    case PanelKey::kFunction:
      effects.copy_board = function == 2;
      return effects;
    default:
      return TypedKey(model, key, text, modifiers);
  }
}

PanelEffects OperationPanel::TypedKey(DiaModel& model, PanelKey key, std::string_view text,
                                      PanelModifiers modifiers) {
  PanelEffects effects;
  const bool maintenance = buffer_.starts_with('/') || buffer_.starts_with('\\');
  // The longest key is read from the data each time, so that a key given
  // since is typed in full.
  const int length = Characters(buffer_);
  if ((length >= LongestPointKey(model.map()) && !maintenance) || length >= kKeyBufferSize) {
    buffer_.clear();
  }
  switch (key) {
    case PanelKey::kBackspace:
    case PanelKey::kDelete:
      DropLastCharacter(buffer_);
      return effects;
    case PanelKey::kEscape:
      buffer_.clear();
      return effects;
    case PanelKey::kCharacter:
    case PanelKey::kSpace:
      break;
    default:
      return effects;
  }
  if (text.empty() || static_cast<unsigned char>(text[0]) < 0x20) return effects;
  buffer_ += text;
  if (Lower(buffer_) == kRenameNamesText) {
    buffer_.clear();
    effects.rename_names = true;
    return effects;
  }
  const std::vector<int> points = PointsKeyed(model.map(), buffer_);
  if (points.empty()) return effects;
  buffer_.clear();
  // Under the interlocking a point moves only for a route.
  if (UsesInterlocking(model) || !enabled_) return effects;
  const OperationReport report = ReportInto(effects, prompter_);
  DiaChange change(model);
  for (const int p : points) {
    if (modifiers.ctrl) {
      CyclePointMode(change, p, report);
    } else {
      ThrowPoint(change, p, modifiers.shift ? -1 : 1, ThrowCaller::kBoard, 0, report);
    }
  }
  effects.redraw = true;
  return effects;
}

// ------------------------------------------------------------ menus

std::vector<PanelMenuLine> OperationPanel::ContextMenu(const DiaModel& model, int n) const {
  std::vector<PanelMenuLine> menu;
  if (InLayoutMode(editing_.mode())) return menu;
  const PanelWindowState& s = state(n);
  const DiaFile& file = model.file();
  const auto block = [&menu] {
    if (!menu.empty()) menu.push_back(Separator());
  };
  if (file.dia.trains.Contains(s.train)) {
    const TrainRecord& t = file.dia.trains[s.train];
    const std::string name = t.value1 > 0 && file.dia.diagrams.Contains(t.value1)
                                 ? TrainTitle(file.dia, s.train)
                                 : t.name.Utf8();
    menu.push_back(Header(name, name));
  }
  if (file.map.points.Contains(s.point)) {
    block();
    PointBlock(file, model.run(), s.point, menu);
  }
  if (file.map.rails.Contains(s.lever_rail) && LeverOnRail(file, s.lever_rail) != 0) {
    block();
    LeverBlock(file, model.run(), s.lever_rail, menu);
  }
  if (file.map.rails.Contains(s.signal_rail) && LeverOnRail(file, s.signal_rail) != 0) {
    block();
    ButtonBlock(file, s.signal_rail, true, menu);
  }
  if (file.map.rails.Contains(s.button_rail) && ButtonOnRail(file, s.button_rail) != 0) {
    block();
    ButtonBlock(file, s.button_rail, false, menu);
  }
  block();
  menu.push_back(Command("window.at_click", "新規ウインドウ－位置(&P)", "New Window - Place(&P)"));
  if (file.dia.trains.Contains(s.train)) {
    menu.push_back(Command("window.train", "新規ウインドウ－列車(&T)", "New Window - Train(&T)"));
  }
  return menu;
}

PanelEffects OperationPanel::RunContextCommand(DiaModel& model, const PanelWindow& window,
                                               std::string_view id) {
  PanelEffects effects;
  if (!WindowOpen(model, window.n)) return effects;
  PanelWindowState& s = Mutable(window.n);
  const DiaFile& file = model.file();
  const OperationReport report = ReportInto(effects, prompter_);
  const ViewSettings& settings = model.windows()[static_cast<std::size_t>(window.n)].view;
  effects.redraw = true;
  const auto number_after = [&id](std::string_view prefix) {
    return id.starts_with(prefix) && id.size() == prefix.size() + 1 ? id.back() - '0' : -1;
  };
  if (id == "window.at_click") {
    const BoardView view = WindowBoardView(model, editing_, window.n, window.width, window.height);
    effects.new_window = ViewCentredOn(settings, PixelToMapX(view, s.click.x),
                                       PixelToMapY(view, s.click.y), window.width, window.height);
    return effects;
  }
  if (id == "window.train") {
    if (file.dia.trains.Contains(s.train))
      effects.new_window = ViewFollowingTrain(settings, s.train);
    return effects;
  }
  if (id.starts_with("point.")) {
    const int p = s.point;
    if (!file.map.points.Contains(p)) return effects;
    if (id == "point.key") {
      effects.open_point_key = p;
      return effects;
    }
    if (id == "point.label") {
      s.placing_label = p;
      effects.prompt = kPlaceLabelPrompt;
      return effects;
    }
    DiaChange change(model);
    if (id == "point.throw" || id == "point.throw_back") {
      ThrowPoint(change, p, id == "point.throw" ? 1 : -1, ThrowCaller::kBoard, 0, report);
    } else if (id == "point.for_train") {
      const PointRun* point_run = PointRunOf(model.run(), p);
      if (point_run == nullptr ||
          !ThrowPoint(change, p, 1, ThrowCaller::kTrain, point_run->requested_rail, report)) {
        report.Refuse(kRouteForTrainFailedText);
      }
    } else if (const int m = number_after("point.mode."); m >= 0) {
      SetPointMode(change, p, m);
    } else if (id == "point.normal") {
      SetPointNormalPosition(change, p);
    }
    return effects;
  }
  if (id.starts_with("lever.")) {
    const int lever = file.map.rails.Contains(s.lever_rail) ? LeverOnRail(file, s.lever_rail) : 0;
    if (lever == 0) return effects;
    DiaChange change(model);
    if (id == "lever.rebuild") {
      RebuildRoute(change, lever, report);
    } else if (const int m = number_after("lever.mode."); m >= 0 && m < kLeverModes) {
      SetLeverMode(change, lever, m);
    } else if (id == "lever.after_stop") {
      ToggleRouteAfterStop(change, lever);
    } else if (id == "lever.normal") {
      SetLeverNormalRoute(change, lever, report);
    } else if (id == "lever.main") {
      ToggleLeverMain(change, lever);
    }
    return effects;
  }
  if (id == "signal.shown") {
    const int lever = file.map.rails.Contains(s.signal_rail) ? LeverOnRail(file, s.signal_rail) : 0;
    if (lever != 0) {
      DiaChange change(model);
      ToggleSignalButton(change, lever);
    }
  } else if (id == "button.shown") {
    const int button =
        file.map.rails.Contains(s.button_rail) ? ButtonOnRail(file, s.button_rail) : 0;
    if (button != 0) {
      DiaChange change(model);
      ToggleButtonMain(change, button);
    }
  }
  return effects;
}

std::vector<PanelMenuLine> OperationPanel::TrainCommandMenu(const DiaModel& model, int n) const {
  const DiaFile& file = model.file();
  const int train = state(n).train;
  const TrainRun* run = train >= 0 && static_cast<std::size_t>(train) < model.run().trains.size()
                            ? &model.run().trains[static_cast<std::size_t>(train)]
                            : nullptr;
  std::vector<PanelMenuLine> menu;
  menu.push_back(
      Command("train.follow", "自動追従(&F)", "Follow(&F)",
              WindowOpen(model, n) && train != 0 &&
                  model.windows()[static_cast<std::size_t>(n)].view.flattery_train == train));
  menu.push_back(Separator());
  if (run != nullptr && file.map.stations.Contains(run->hold_station)) {
    const std::string station = file.map.stations[run->hold_station].name.Utf8();
    menu.push_back(
        Command("train.hold", "抑止（" + station + "） (&S)", "Hold (" + station + ") (&S)"));
  } else {
    menu.push_back(Command("train.hold", "抑止(&S)", "Hold(&S)"));
  }
  PanelMenuLine hold_at = Command("", "駅指定抑止(&H)", "Hold at Station(&H)");
  const std::vector<int> stations = HoldStations(file, train);
  for (std::size_t k = 0; k < stations.size(); ++k) {
    const std::string name = file.map.stations[stations[k]].name.Utf8();
    const std::string key = " (&" + std::to_string(k) + ")";
    hold_at.children.push_back(
        Command("train.hold_at." + std::to_string(k), name + key, name + key));
  }
  hold_at.enabled = !hold_at.children.empty();
  menu.push_back(std::move(hold_at));
  menu.push_back(Command("train.notice", "通知運転(&N)", "Notice Running(&N)"));
  menu.push_back(Command("train.resume", "運転再開(&R)", "Resume Running(&R)"));
  menu.push_back(Separator());
  menu.push_back(Command("train.depart", "当駅発車(&0)", "Depart Now(&0)"));
  PanelMenuLine delay = Command("", "延発(&L)", "Delayed Departure(&L)");
  PanelMenuLine early = Command("", "早発(&E)", "Early Departure(&E)");
  for (const int minutes : kDepartureMinutes) {
    const std::string m = std::to_string(minutes);
    delay.children.push_back(
        Command("train.delay." + m, MinutesText(minutes, false), MinutesText(minutes, true)));
    early.children.push_back(
        Command("train.early." + m, MinutesText(minutes, false), MinutesText(minutes, true)));
  }
  menu.push_back(std::move(delay));
  menu.push_back(std::move(early));
  menu.push_back(Separator());
  menu.push_back(Command("train.boarding", "乗車ウインドウ(&B)", "Boarding Window(&B)"));
  menu.push_back(Command("train.info", "列車情報ウインドウ(&I)", "Train Information Window(&I)"));
  menu.push_back(Command("train.timetable", "ダイヤ修正(&D)", "Timetable Change(&D)"));
  menu.push_back(Command("train.working", "運用変更(&C)", "Working Change(&C)"));
  return menu;
}

PanelEffects OperationPanel::RunTrainCommand(DiaModel& model, int n, std::string_view id) {
  PanelEffects effects;
  const int train = state(n).train;
  if (!WindowOpen(model, n) || !model.dia().trains.Contains(train) ||
      static_cast<std::size_t>(train) >= model.run().trains.size()) {
    return effects;
  }
  effects.redraw = true;
  if (id == "train.follow") {
    DisplayWindowSection section = model.windows()[static_cast<std::size_t>(n)];
    section.view.flattery_train = section.view.flattery_train == train ? 0 : train;
    model.SetDisplayWindow(n, section);
    return effects;
  }
  // A hold given again (notice running at any station) is released.
  const auto hold = [](TrainRun& t, int command, int station) {
    if (t.hold_command == command && (command == 3 || t.hold_station == station)) {
      t.hold_command = 1;
      t.hold_station = 0;
      return;
    }
    t.hold_command = command;
    t.hold_station = station;
    t.departure_command = 0;
    t.departure_seconds = 0;
  };
  const auto depart = [](TrainRun& t, int seconds) {
    if (t.departure_command == 2 && t.departure_seconds == seconds) {
      t.departure_command = 0;
      t.departure_seconds = 0;
    } else {
      t.departure_command = 2;
      t.departure_seconds = seconds;
    }
  };
  const auto minutes_after = [&id](std::string_view prefix) -> int {
    if (!id.starts_with(prefix)) return 0;
    const std::string_view digits = id.substr(prefix.size());
    for (const int m : kDepartureMinutes) {
      if (digits == std::to_string(m)) return m;
    }
    return 0;
  };
  DiaChange change(model);
  TrainRun& t = change.run().trains[static_cast<std::size_t>(train)];
  if (id == "train.hold") {
    hold(t, 2, 0);
  } else if (id.starts_with("train.hold_at.")) {
    const std::vector<int> stations = HoldStations(model.file(), train);
    const int k = id.back() - '0';
    if (id.size() == 15 && k >= 0 && k < static_cast<int>(stations.size())) {
      hold(t, 2, stations[static_cast<std::size_t>(k)]);
    }
  } else if (id == "train.notice") {
    hold(t, 3, 0);
  } else if (id == "train.resume") {
    t.hold_command = 1;
    t.hold_station = 0;
    t.departure_seconds = 0;
  } else if (id == "train.depart") {
    t.departure_command = t.departure_command == 1 ? 0 : 1;
    t.departure_seconds = 0;
  } else if (const int delay = minutes_after("train.delay.")) {
    depart(t, delay * 60);
  } else if (const int early = minutes_after("train.early.")) {
    depart(t, -early * 60);
  } else {
    effects.redraw = false;  // the window commands do nothing here
  }
  return effects;
}

}  // namespace corvane
