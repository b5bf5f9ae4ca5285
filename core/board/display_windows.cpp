#include "board/display_windows.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "map/map_records.h"
#include "run/dia_model.h"

namespace corvane {

namespace {

const DisplayWindowSection& WindowAt(const WindowSections& windows, int n) {
  return windows[static_cast<std::size_t>(n)];
}

int ClampScrollPosition(std::int64_t position) {
  return static_cast<int>(
      std::clamp<std::int64_t>(position, -kScrollPositionLimit, kScrollPositionLimit));
}

// The scroll position that puts map coordinate `map` at the middle of
// `client` pixels at `scale`.
int CentringPosition(std::int64_t map, int scale, int client) {
  const std::int64_t scaled = map * scale;
  const std::int64_t pixel =
      scaled >= 0 ? scaled / kOneToOneScale : -((-scaled + kOneToOneScale - 1) / kOneToOneScale);
  return ClampScrollPosition((pixel - client / 2) / kScrollStep);
}

ViewSettings ZoomedForNewWindow(const ViewSettings& board) {
  ViewSettings view = board;
  view.scale_x = ClampScale(std::int64_t{board.scale_x} + kContextWindowZoom);
  view.scale_y = ClampScale(std::int64_t{board.scale_y} + kContextWindowZoom);
  return view;
}

// The square of a distance in pixels; distances beyond 2^30 pixels are
// taken as 2^30, so that the sums of squares stay within 64 bits.
std::int64_t Square(std::int64_t value) {
  constexpr std::int64_t kFar = std::int64_t{1} << 30;
  const std::int64_t clamped = std::clamp(value, -kFar, kFar);
  return clamped * clamped;
}

std::string FrameName(const SystemMap& map, int frame) {
  if (!map.station_draws.Contains(frame)) return {};
  const int station = map.station_draws[frame].station;
  if (!map.stations.Contains(station)) return {};
  return map.stations[station].name.Utf8();
}

std::string Joined(std::initializer_list<std::string> names) {
  std::string text;
  for (const std::string& name : names) {
    if (!text.empty()) text += '-';
    text += name;
  }
  return text;
}

}  // namespace

// ------------------------------------------------------------ numbers

int FirstFreeDisplayWindow(const WindowSections& windows) {
  for (int n = 0; n < kDisplayWindows; ++n) {
    if (!WindowAt(windows, n).open) return n;
  }
  return -1;
}

int NextOpenDisplayWindow(const WindowSections& windows, int current) {
  const std::vector<int> open = OpenDisplayWindows(windows);
  if (open.empty()) return current;
  for (int n : open) {
    if (n > current) return n;
  }
  return open.front();
}

std::vector<int> OpenDisplayWindows(const WindowSections& windows) {
  std::vector<int> open;
  for (int n = 0; n < kDisplayWindows; ++n) {
    if (WindowAt(windows, n).open) open.push_back(n);
  }
  return open;
}

// ------------------------------------------------------------ opening

DisplayWindowSection NewDisplayWindow(const DisplayWindowLayout& layout) {
  DisplayWindowSection window;
  window.open = true;
  window.place = layout.place;
  window.view.view_tool_bar = layout.view_tool_bar;
  window.font = layout.font;
  return window;
}

DisplayWindowSection WindowOpenedByData(const DisplayWindowSection& from_data,
                                        const DisplayWindowLayout& layout) {
  DisplayWindowSection window = from_data;
  window.open = true;
  if (!window.place.has_position) window.place = layout.place;
  return window;
}

DisplayWindowLayout LayoutOfWindow(const DisplayWindowSection& window,
                                   const DisplayWindowLayout& kept, bool open) {
  DisplayWindowLayout layout;
  layout.open = open;
  layout.place = window.place.has_position ? window.place : kept.place;
  layout.view_tool_bar = window.view.view_tool_bar;
  layout.font = window.font;
  return layout;
}

ViewSettings ViewCentredOn(const ViewSettings& board, std::int64_t map_x, std::int64_t map_y,
                           int client_width, int client_height) {
  ViewSettings view = ZoomedForNewWindow(board);
  view.scroll_pos_x = CentringPosition(map_x, view.scale_x, client_width);
  view.scroll_pos_y = CentringPosition(map_y, view.scale_y, client_height);
  return view;
}

ViewSettings ViewFollowingTrain(const ViewSettings& board, int train) {
  ViewSettings view = ZoomedForNewWindow(board);
  view.flattery_train = std::max(train, 0);
  return view;
}

BoardView ViewOfWindow(const ViewSettings& settings, int client_width, int client_height) {
  BoardView view;
  view.scale_x = ClampScale(settings.scale_x);
  view.scale_y = ClampScale(settings.scale_y);
  view.scroll_x = -kScrollStep * ClampScrollPosition(settings.scroll_pos_x);
  view.scroll_y = -kScrollStep * ClampScrollPosition(settings.scroll_pos_y);
  view.width = std::max(client_width, 0);
  view.height = std::max(client_height, 0);
  return view;
}

int OpenNewDisplayWindow(DiaModel& model,
                         std::span<const DisplayWindowLayout, kDisplayWindows> layouts) {
  const int n = FirstFreeDisplayWindow(model.windows());
  if (n >= 0) model.SetDisplayWindow(n, NewDisplayWindow(layouts[static_cast<std::size_t>(n)]));
  return n;
}

void OpenDisplayWindowNumber(DiaModel& model, int n, const DisplayWindowLayout& layout) {
  if (n < 0 || n >= kDisplayWindows || WindowAt(model.windows(), n).open) return;
  model.SetDisplayWindow(n, NewDisplayWindow(layout));
}

void CloseDisplayWindowNumber(DiaModel& model, int n) {
  if (n <= 0 || n >= kDisplayWindows) return;
  model.SetDisplayWindow(n, DisplayWindowSection{});
}

// ------------------------------------------------------------ placement

WindowRect PlaceDisplayWindow(const WindowRect& place, int screen_width, int screen_height) {
  WindowRect placed = place;
  const std::int64_t max_left = std::int64_t{screen_width} - kWindowLeftOnScreen;
  const std::int64_t max_top = std::int64_t{screen_height} - kWindowLeftOnScreen;
  if (place.left > max_left) {
    placed.left = ClampToInt(max_left);
    placed.right = ClampToInt(std::int64_t{place.right} - place.left + placed.left);
  }
  if (place.top > max_top) {
    placed.top = ClampToInt(max_top);
    placed.bottom = ClampToInt(std::int64_t{place.bottom} - place.top + placed.top);
  }
  return placed;
}

// ------------------------------------------------------------ the title

std::vector<FrameOnScreen> FramesWhollyInside(const SystemMap& map, const BoardView& view) {
  std::vector<FrameOnScreen> frames;
  for (int n = 1; n <= map.station_draws.count(); ++n) {
    const StationDrawRecord& d = map.station_draws[n];
    const PixelPoint a = MapToPixel(view, map.rows, d.kind, d.x_left, d.y_top);
    const PixelPoint b = MapToPixel(view, map.rows, d.kind, d.x_right, d.y_bottom);
    auto inside = [](int v, int limit) { return v > 0 && v < limit; };
    if (inside(a.x, view.width) && inside(b.x, view.width) && inside(a.y, view.height) &&
        inside(b.y, view.height)) {
      frames.push_back({n, a.x, a.y, b.x, b.y});
    }
  }
  return frames;
}

int NearestStationFrame(std::span<const FrameOnScreen> frames, int px, int py) {
  int nearest = 0;
  std::int64_t best = 0;
  for (const FrameOnScreen& f : frames) {
    const std::int64_t distance = Square(std::int64_t{f.x1} + f.x2 - 2 * std::int64_t{px}) +
                                  4 * Square(std::int64_t{f.y1} + f.y2 - 2 * std::int64_t{py});
    if (nearest == 0 || distance < best) {
      nearest = f.frame;
      best = distance;
    }
  }
  return nearest;
}

int NearestStationFrame(const SystemMap& map, const BoardView& view, int px, int py) {
  return NearestStationFrame(FramesWhollyInside(map, view), px, py);
}

std::string StationTextOfWindow(const SystemMap& map, const BoardView& view) {
  const std::vector<FrameOnScreen> frames = FramesWhollyInside(map, view);
  const int w = view.width;
  const int h = view.height;
  const int centre = NearestStationFrame(frames, w / 2, h / 2);
  if (centre == 0) return {};
  const int tl = NearestStationFrame(frames, 0, 0);
  const int tr = NearestStationFrame(frames, w, 0);
  const int bl = NearestStationFrame(frames, 0, h);
  const int br = NearestStationFrame(frames, w, h);
  const std::size_t v = frames.size();
  auto name = [&map](int frame) { return FrameName(map, frame); };

  if (tl == tr && bl == br) return tl == bl ? name(centre) : Joined({name(tl), name(bl)});
  if (tl == bl && tr == br) return Joined({name(tl), name(tr)});
  if (tl != tr) {
    if (bl != br && tl != bl && br != tr) {
      return Joined({name(tl), name(tr), name(br), name(bl)});
    }
    if (v > 4) {
      const int third = bl == br ? bl : (tl == bl ? br : bl);
      return Joined({name(tl), name(tr), name(third)});
    }
  } else if (v > 4) {
    return Joined({name(tl), name(br), name(bl)});
  }
  return name(centre);
}

std::string FollowedTrainName(const DiaData& dia, int train) {
  if (!dia.trains.Contains(train)) return {};
  const TrainRecord& t = dia.trains[train];
  if (t.value1 <= 0 || !dia.diagrams.Contains(t.value1)) return t.name.Utf8();
  const DiagramRecord& d = dia.diagrams[t.value1];
  const int type = d.values[6];
  const std::string type_name =
      dia.train_types.Contains(type) ? dia.train_types[type].short_name.Utf8() : std::string();
  return d.text1.Utf8() + " " + type_name + " " + d.destination.Utf8();
}

std::string DisplayWindowTitle(std::string_view caption, int n, const DiaFile& file,
                               const ViewSettings& settings, const BoardView& view) {
  char number[16];
  std::string board;
  const int train = settings.flattery_train;
  if (train != 0 && file.dia.trains.Contains(train)) {
    std::snprintf(number, sizeof number, "No.%d  ", n);
    board = number + FollowedTrainName(file.dia, train);
  } else {
    std::snprintf(number, sizeof number, "No.%d ", n);
    board = number + StationTextOfWindow(file.map, view);
  }
  return std::string(caption) + " " + board;
}

// ------------------------------------------------------------ closing

DisplayWindowClose CloseDisplayWindow(int n, Prompter& prompter) {
  if (n != 0) return DisplayWindowClose::kClose;
  const PromptAnswer answer = prompter.Ask(kCloseLastWindowQuestion, kCloseLastWindowCaption,
                                           PromptButtons::kYesNo, PromptIcon::kQuestion);
  return answer == PromptAnswer::kYes ? DisplayWindowClose::kEndProgram
                                      : DisplayWindowClose::kStayOpen;
}

}  // namespace corvane
