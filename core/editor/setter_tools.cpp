// The setter tools: one click stores the tool's value on a segment (and,
// for some tools, on a point); chosen while the selection tool is active,
// the value goes on every selected object at once.

#include "editor/edit_tool.h"
#include "editor/tool_handlers.h"
#include "map/map_transforms.h"

namespace corvane {

namespace {

template <int kDirection>
void SetDirection(EditSession&, MapChange& change, int rail) {
  change.rails()[rail].direction = kDirection;
}

bool InStationOrStopSection(const MapRail& rail) { return rail.station != 0 || rail.target != 0; }

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

}  // namespace corvane
