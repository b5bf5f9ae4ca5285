#pragma once
// What a display window of the operation board shows and how: its view
// options, its font and its place on the screen. The view options travel
// with the dia data file, the font and the place with the settings file
// (and the dia data file too).

#include <string>

namespace corvane {

// How a train's type or destination is named on its label.
enum NameForm : int { kNoName = 0, kOneLetterName = 1, kShortName = 2, kFullName = 3 };

// Track colours: signal aspect with the speed limit, signal aspect alone,
// short-circuited track circuits.
enum RailView : int { kAspectAndLimit = 0, kAspectOnly = 1, kTrackCircuits = 2 };

// Which levers and buttons of the relay-interlocking panel are shown.
enum InterlockingView : int { kNoPanel = 0, kFullPanel = 1, kMainPanel = 2 };

struct ViewSettings {
  int view_type = kShortName;
  int view_for = kShortName;
  bool smart_view = false;
  bool track_view = false;
  int rail_view = kAspectAndLimit;
  bool route_view = true;
  bool board_view = true;
  bool flattery_view = true;
  int inter_view = kFullPanel;
  bool view_image16 = true;
  int clock_position = 0;  // 0 none, 1 top left, 2 top right, 3 bottom left, 4 bottom right
  bool view_tool_bar = true;
  int scale_x = 4096;  // zoom factors, 4096 = one map unit a pixel
  int scale_y = 4096;
  int scroll_pos_x = 0;  // scroll-bar positions
  int scroll_pos_y = 0;
  int flattery_train = 0;  // the following train, 0 none
  friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

struct FontSettings {
  std::string face_name;  // Shift-JIS, at most 31 bytes; empty: the language's default
  int point_size = 9;
  int height = -12;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  friend bool operator==(const FontSettings&, const FontSettings&) = default;
};

// A window's place on the screen in pixels.
struct WindowPlace {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

}  // namespace corvane
