#include "data/view_settings.h"

#include <algorithm>
#include <cstdio>

namespace corvane {

namespace {

using V = ViewSettings;

constexpr IniKey<V> kViewKeysBeforeFont[] = {
    ClampedIntKey<V, kNoName, kFullName, &V::view_type>("ViewType"),
    ClampedIntKey<V, kNoName, kFullName, &V::view_for>("ViewFor"),
    FlagKey<V, &V::smart_view>("SmartView"),
    FlagKey<V, &V::track_view>("TrackView"),
    ClampedIntKey<V, kAspectAndLimit, kTrackCircuits, &V::rail_view>("RailView"),
    FlagKey<V, &V::route_view>("RouteView"),
    FlagKey<V, &V::board_view>("BoardView"),
    FlagKey<V, &V::flattery_view>("FlatteryView"),
    ClampedIntKey<V, kNoPanel, kMainPanel, &V::inter_view>("InterView"),
    FlagKey<V, &V::view_image16>("ViewImage16"),
    ClampedIntKey<V, kNoClock, kClockBottomRight, &V::clock_position>("ClockPosition"),
    FlagKey<V, &V::view_tool_bar>("ViewToolBar"),
};

constexpr IniKey<V> kViewKeysAfterFont[] = {
    ClampedIntKey<V, kSmallestScale, kLargestScale, &V::scale_x>("ScaleX"),
    ClampedIntKey<V, kSmallestScale, kLargestScale, &V::scale_y>("ScaleY"),
    ClampedIntKey<V, -kScrollPositionLimit, kScrollPositionLimit, &V::scroll_pos_x>("ScrollPosX"),
    ClampedIntKey<V, -kScrollPositionLimit, kScrollPositionLimit, &V::scroll_pos_y>("ScrollPosY"),
    ClampedIntKey<V, 0, INT_MAX, &V::flattery_train>("FlatteryTrain"),
};

constexpr IniKey<WindowRect> kWindowRectKeys[] = {
    IntKey<WindowRect, &WindowRect::left>("PosLeft"),
    IntKey<WindowRect, &WindowRect::top>("PosTop"),
    IntKey<WindowRect, &WindowRect::right>("PosRight"),
    IntKey<WindowRect, &WindowRect::bottom>("PosBottom"),
};

}  // namespace

int ClampScale(std::int64_t scale) {
  return static_cast<int>(std::clamp<std::int64_t>(scale, kSmallestScale, kLargestScale));
}

std::span<const IniKey<ViewSettings>> ViewKeysBeforeFont() { return kViewKeysBeforeFont; }
std::span<const IniKey<ViewSettings>> ViewKeysAfterFont() { return kViewKeysAfterFont; }
std::span<const IniKey<WindowRect>> WindowRectKeys() { return kWindowRectKeys; }

WindowSections DefaultWindowSections() {
  WindowSections sections;
  sections[0].open = true;
  return sections;
}

std::string DisplayWindowSectionName(int n) {
  char name[32];
  std::snprintf(name, sizeof name, "DisplayWindow%02d", n);
  return name;
}

}  // namespace corvane
