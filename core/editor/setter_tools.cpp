// The setter tools: one click stores the tool's value on a segment (and,
// for some tools, on a point); chosen while the selection tool is active,
// the value goes on every selected object at once.

#include <optional>

#include "editor/edit_tool.h"
#include "editor/tool_handlers.h"
#include "map/map_transforms.h"

namespace corvane {

namespace {

template <int kDirection>
void SetDirection(EditSession&, MapChange& change, int rail) {
  change.rails()[rail].direction = kDirection;
}

}  // namespace

void SetBothWays(EditSession& s, MapChange& c, int rail) { SetDirection<kBothWays>(s, c, rail); }
void SetLeftwardOnly(EditSession& s, MapChange& c, int rail) {
  SetDirection<kLeftwardOnly>(s, c, rail);
}
void SetRightwardOnly(EditSession& s, MapChange& c, int rail) {
  SetDirection<kRightwardOnly>(s, c, rail);
}

void SetSingleTrack(EditSession&, MapChange& change, int rail) {
  change.rails()[rail].single_track = 1;
}

void ClearSingleTrack(EditSession& session, int px, int py) {
  if (const int rail = session.map().RailAt(px, py); rail != 0) {
    MapChange change(session.map());
    change.rails()[rail].single_track = 0;
  }
}

void SetRailElectric(EditSession& session, MapChange& change, int rail) {
  change.rails()[rail].electric = session.tool_values().electric;
}
void SetPointElectric(EditSession& session, MapChange& change, int point) {
  change.points()[point].electric = session.tool_values().electric;
}

void SetRailSignalLeft(EditSession& session, MapChange& change, int rail) {
  change.rails()[rail].signal_left = session.tool_values().signal_type;
}
void SetRailSignalRight(EditSession& session, MapChange& change, int rail) {
  change.rails()[rail].signal_right = session.tool_values().signal_type;
}
void SetPointSignalLeft(EditSession& session, MapChange& change, int point) {
  change.points()[point].signal_left = session.tool_values().signal_type;
}
void SetPointSignalRight(EditSession& session, MapChange& change, int point) {
  change.points()[point].signal_right = session.tool_values().signal_type;
}

void SetRailSpeed(EditSession& session, MapChange& change, int rail) {
  change.rails()[rail].speed_limit = session.tool_values().speed_limit;
}
void SetPointSpeed(EditSession& session, MapChange& change, int point) {
  change.points()[point].speed_limit = session.tool_values().speed_limit;
}

void SetRailLength(EditSession& session, MapChange& change, int rail) {
  MapRail& record = change.rails()[rail];
  record.length = session.tool_values().distance;
  ClampStopTargets(record);
}
void SetPointLength(EditSession& session, MapChange& change, int point) {
  change.points()[point].length = session.tool_values().distance;
}

// Stop targets belong to segments in a station or stop section, on the
// sides they run to.
void SetStopLeft(EditSession& session, MapChange& change, int rail) {
  const MapRail& record = change.map().rails()[rail];
  if (!InStationOrStopSection(record) || !AllowsLeftward(record.direction)) return;
  change.rails()[rail].stop_left = session.tool_values().distance;
}
void SetStopRight(EditSession& session, MapChange& change, int rail) {
  const MapRail& record = change.map().rails()[rail];
  if (!InStationOrStopSection(record) || !AllowsRightward(record.direction)) return;
  change.rails()[rail].stop_right = session.tool_values().distance;
}

void SetRailNames(EditSession& session, MapChange& change, int rail) {
  const MapNameEntry& names = session.tool_values().names;
  MapRail& record = change.rails()[rail];
  record.short_left = names.short_left;
  record.name_left = names.name_left;
  record.short_right = names.short_right;
  record.name_right = names.name_right;
}
void SetPointNames(EditSession& session, MapChange& change, int point) {
  const MapNameEntry& names = session.tool_values().names;
  MapPoint& record = change.points()[point];
  record.short_left = names.short_left;
  record.name_left = names.name_left;
  record.short_right = names.short_right;
  record.name_right = names.name_right;
}

bool AskForElectric(EditSession& session) {
  return session.dialogs().ChooseElectric(&session.tool_values().electric);
}
bool AskForSignalType(EditSession& session) {
  return session.dialogs().ChooseSignalType(session.map(), &session.tool_values().signal_type);
}
bool AskForSpeed(EditSession& session) {
  return session.dialogs().EnterSpeed(&session.tool_values().speed_limit);
}
bool AskForDistance(EditSession& session) {
  return session.dialogs().EnterDistance(&session.tool_values().distance);
}

void SetterClick(EditSession& session, int px, int py) {
  const EditTool& tool = ToolFor(session.mode());
  const EditMap& map = session.map();
  MapChange change(session.map());
  if (const int rail = map.RailAt(px, py); rail != 0 && tool.set_rail != nullptr) {
    tool.set_rail(session, change, rail);
  }
  if (const int point = map.PointAt(px, py); point != 0 && tool.set_point != nullptr) {
    tool.set_point(session, change, point);
  }
}

void AskForValueAgain(EditSession& session, int, int) { session.AskToolValue(); }

// Each branch of the clicked point in turn, highlighted, with its own speed;
// cancelling stops at that branch.
void PointSpeedClick(EditSession& session, int px, int py) {
  const int point = session.map().PointAt(px, py);
  if (point == 0) return;
  EditState& state = session.state();
  MapChange change(session.map());
  state.highlight_point = point;
  for (int branch = 1; branch < kMaxBranches; ++branch) {
    if (!BranchExists(change.map().points()[point], branch)) continue;
    state.highlight_branch = branch;
    int speed = change.map().points()[point].branch_speed[static_cast<std::size_t>(branch)];
    if (!session.dialogs().EnterSpeed(&speed)) break;
    change.points()[point].branch_speed[static_cast<std::size_t>(branch)] = speed;
  }
  state.highlight_point = 0;
  state.highlight_branch = 0;
}

// ---------------------------------------------------------------- looks

namespace {

// The direction and single-track tools: blue where the tool's value is set.
template <int kDirection>
Rgb DirectionFill(const ToolCanvas&, int, const MapRail& rail) {
  return rail.direction == kDirection ? kMapBlue : kBlack;
}
Rgb SingleTrackFill(const ToolCanvas&, int, const MapRail& rail) {
  return rail.single_track == 1 ? kMapBlue : kBlack;
}

// The other setters: blue where the object holds the tool's value, grey
// where it holds another; black where the tool sets nothing.
Rgb RailElectricFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return MatchFill(rail.electric == canvas.options().electric);
}
Rgb PointElectricFill(const ToolCanvas& canvas, int, const MapPoint& point) {
  return MatchFill(point.electric == canvas.options().electric);
}

Rgb RailSignalLeftFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return AllowsLeftward(rail.direction)
             ? MatchFill(rail.signal_left == canvas.options().signal_type)
             : kBlack;
}
Rgb RailSignalRightFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return AllowsRightward(rail.direction)
             ? MatchFill(rail.signal_right == canvas.options().signal_type)
             : kBlack;
}
Rgb PointSignalLeftFill(const ToolCanvas& canvas, int, const MapPoint& point) {
  return MatchFill(point.signal_left == canvas.options().signal_type);
}
Rgb PointSignalRightFill(const ToolCanvas& canvas, int, const MapPoint& point) {
  return MatchFill(point.signal_right == canvas.options().signal_type);
}

Rgb RailSpeedFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return MatchFill(rail.speed_limit == canvas.options().speed_limit);
}
Rgb PointSpeedFill(const ToolCanvas& canvas, int, const MapPoint& point) {
  return MatchFill(point.speed_limit == canvas.options().speed_limit);
}
// Speed limits are written where there is one.
std::optional<int> SpeedShown(int speed) {
  return speed != 0 ? std::optional<int>(speed) : std::nullopt;
}
std::optional<int> RailSpeedNumber(const ToolCanvas&, const MapRail& rail) {
  return SpeedShown(rail.speed_limit);
}
std::optional<int> PointSpeedNumber(const ToolCanvas&, const MapPoint& point) {
  return SpeedShown(point.speed_limit);
}

// The length tool also shows the selection, which it sets at once.
Rgb RailLengthFill(const ToolCanvas& canvas, int index, const MapRail& rail) {
  if (canvas.Selected(MapTable::kRail, index)) return kMapYellow;
  return MatchFill(rail.length == canvas.options().distance);
}
Rgb PointLengthFill(const ToolCanvas& canvas, int index, const MapPoint& point) {
  if (canvas.Selected(MapTable::kPoint, index)) return kMapYellow;
  return MatchFill(point.length == canvas.options().distance);
}
std::optional<int> RailLength(const ToolCanvas&, const MapRail& rail) { return rail.length; }
std::optional<int> PointLength(const ToolCanvas&, const MapPoint& point) { return point.length; }

// Stop targets show where the tool can set them.
bool HasStopLeft(const MapRail& rail) {
  return InStationOrStopSection(rail) && AllowsLeftward(rail.direction);
}
bool HasStopRight(const MapRail& rail) {
  return InStationOrStopSection(rail) && AllowsRightward(rail.direction);
}
Rgb StopLeftFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return HasStopLeft(rail) ? MatchFill(rail.stop_left == canvas.options().distance) : kBlack;
}
Rgb StopRightFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return HasStopRight(rail) ? MatchFill(rail.stop_right == canvas.options().distance) : kBlack;
}
std::optional<int> StopLeftNumber(const ToolCanvas&, const MapRail& rail) {
  return HasStopLeft(rail) ? std::optional<int>(rail.stop_left) : std::nullopt;
}
std::optional<int> StopRightNumber(const ToolCanvas&, const MapRail& rail) {
  return HasStopRight(rail) ? std::optional<int>(rail.stop_right) : std::nullopt;
}

}  // namespace

constinit const ToolLook kDirectionBothLook{.rail_fill = DirectionFill<kBothWays>};
constinit const ToolLook kDirectionLeftwardLook{.rail_fill = DirectionFill<kLeftwardOnly>};
constinit const ToolLook kDirectionRightwardLook{.rail_fill = DirectionFill<kRightwardOnly>};
constinit const ToolLook kSingleTrackLook{.rail_fill = SingleTrackFill};
constinit const ToolLook kElectricLook{.rail_fill = RailElectricFill,
                                       .point_fill = PointElectricFill};
constinit const ToolLook kSignalLeftwardLook{.rail_fill = RailSignalLeftFill,
                                             .point_fill = PointSignalLeftFill};
constinit const ToolLook kSignalRightwardLook{.rail_fill = RailSignalRightFill,
                                              .point_fill = PointSignalRightFill};
constinit const ToolLook kSpeedLimitLook{
    .rail_fill = RailSpeedFill,
    .point_fill = PointSpeedFill,
    .rail_number = RailSpeedNumber,
    .point_number = PointSpeedNumber,
};
constinit const ToolLook kLengthLook{
    .rail_fill = RailLengthFill,
    .point_fill = PointLengthFill,
    .rail_number = RailLength,
    .point_number = PointLength,
};
constinit const ToolLook kStopLeftwardLook{.rail_fill = StopLeftFill,
                                           .rail_number = StopLeftNumber};
constinit const ToolLook kStopRightwardLook{.rail_fill = StopRightFill,
                                            .rail_number = StopRightNumber};

}  // namespace corvane
