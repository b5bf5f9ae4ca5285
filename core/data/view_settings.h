#pragma once
// What a display window of the operation board shows and how: its view
// options, its font and its place on the screen. The view options travel
// with the dia data file (one "DisplayWindow%02d" section per window), the
// place, the toolbar and the font with the settings file too.

#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <string>

#include "base/font_record.h"
#include "base/ini_keys.h"

namespace corvane {

// The board's display windows, numbered 00 to 15; window 00 exists while
// the program runs.
inline constexpr int kDisplayWindows = 16;

// The zoom factors a window keeps: a factor read from a file or reached by
// zoom steps is clamped into this range, so that the pixel-to-map
// conversion never divides by zero and no product overflows.
inline constexpr int kOneToOneScale = 4096;
inline constexpr int kSmallestScale = 256;
inline constexpr int kLargestScale = 65536;
int ClampScale(std::int64_t scale);

// Pixels one scroll-bar position moves the board, and the positions a
// window keeps: -20 x a position stays within an int.
inline constexpr int kScrollStep = 20;
inline constexpr int kScrollPositionLimit = INT_MAX / kScrollStep;

// How a train's type or destination is named on its label.
enum NameForm : int { kNoName = 0, kOneLetterName = 1, kShortName = 2, kFullName = 3 };

// Track colours: signal aspect with the speed limit, signal aspect alone,
// short-circuited track circuits.
enum RailView : int { kAspectAndLimit = 0, kAspectOnly = 1, kTrackCircuits = 2 };

// Which levers and buttons of the relay-interlocking panel are shown.
enum InterlockingView : int { kNoPanel = 0, kFullPanel = 1, kMainPanel = 2 };

// Where the clock stands: none, or one of the four corners.
enum ClockPlace : int {
  kNoClock = 0,
  kClockTopLeft = 1,
  kClockTopRight = 2,
  kClockBottomLeft = 3,
  kClockBottomRight = 4,
};

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
  int clock_position = kNoClock;
  bool view_tool_bar = true;
  int scale_x = kOneToOneScale;  // zoom factors, 4096 = one map unit a pixel
  int scale_y = kOneToOneScale;
  int scroll_pos_x = 0;  // scroll-bar positions
  int scroll_pos_y = 0;
  int flattery_train = 0;  // the following train, 0 none
  friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

// The keys of a window's view options in the order the dia data writes
// them: those before the font lines ("ViewType" .. "ViewToolBar") and
// those after them ("ScaleX" .. "FlatteryTrain"). Reading keeps every
// value within its range (the forms, modes and clock places within their
// values, the scales within the scale range, the scroll positions within
// the limit, no negative train).
std::span<const IniKey<ViewSettings>> ViewKeysBeforeFont();
std::span<const IniKey<ViewSettings>> ViewKeysAfterFont();

// A window's screen rectangle as saved in its section ("PosLeft", "PosTop",
// "PosRight", "PosBottom").
struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  // False when the section holds the position keys without values, as a
  // window-position reset leaves them: the window then takes its default
  // placement. A window that is minimised or maximised at close sets it to
  // false too, so that its last normal position stays in the file.
  bool has_position = true;

  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};
std::span<const IniKey<WindowRect>> WindowRectKeys();

// A display window as the dia data keeps it: whether it is open, and for
// an open one its place (none: the window stays where the settings file
// puts it, as while it is minimised or maximised), view options and font.
struct DisplayWindowSection {
  bool open = false;
  WindowRect place{0, 0, 0, 0, false};
  ViewSettings view;
  FontSettings font;  // an empty face name: the language's default
  friend bool operator==(const DisplayWindowSection&, const DisplayWindowSection&) = default;
};

// The sixteen windows' sections, window 00 open.
using WindowSections = std::array<DisplayWindowSection, kDisplayWindows>;
WindowSections DefaultWindowSections();

// A display window as the settings file keeps it (sections
// "DisplayWindow%02d" and "FontDisplayWindow%02d"): whether it reopens at
// start (windows 01 to 15), its place, its toolbar and its font.
struct DisplayWindowLayout {
  bool open = false;
  WindowRect place;
  bool view_tool_bar = true;
  FontSettings font;
  friend bool operator==(const DisplayWindowLayout&, const DisplayWindowLayout&) = default;
};

// "DisplayWindow%02d" of window `n`.
std::string DisplayWindowSectionName(int n);

}  // namespace corvane
