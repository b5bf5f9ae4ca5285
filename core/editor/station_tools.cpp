// The tools that work on the current station or stop section: putting
// segments (and, for the yard tools, points) into it, and asking for it.

#include <optional>

#include "editor/edit_tool.h"
#include "editor/tool_handlers.h"
#include "map/map_transforms.h"

namespace corvane {

namespace {

// Asks for the current station (stop section) of the active station tool;
// the tool is left when that is cancelled.
void ReopenStationDialog(EditSession& session) {
  const EditMode mode = session.mode();
  const bool stop_section = IsStopSectionTool(mode);
  EditState& state = session.state();
  int chosen = stop_section ? state.current_target : state.current_station;
  bool ok = false;
  {
    MapChange change(session.map());
    ok = session.dialogs().ChooseStation(change, mode, &chosen);
  }
  const EditMap& map = session.map();
  ok = ok && (stop_section ? map.targets().Contains(chosen) : map.stations().Contains(chosen));
  if (!ok) {
    session.SetMode(EditMode::kNone);
  } else if (stop_section) {
    state.current_target = chosen;
  } else {
    state.current_station = chosen;
  }
}

}  // namespace

void AskForStation(EditSession& session, int) { ReopenStationDialog(session); }

void AskForStationAgain(EditSession& session, int, int) { ReopenStationDialog(session); }

void StationDrawingRightClick(EditSession& session, int, int) {
  if (session.has_pending()) {
    session.state().pending.reset();
  } else {
    ReopenStationDialog(session);
  }
}

void AssignClick(EditSession& session, int px, int py) {
  const EditMode mode = session.mode();
  const EditState& state = session.state();
  const EditMap& map = session.map();
  const bool stop_section = IsStopSectionTool(mode);
  const int current = stop_section ? state.current_target : state.current_station;
  if (!(stop_section ? map.targets().Contains(current) : map.stations().Contains(current))) return;
  const int station = stop_section ? 0 : current;
  const int target = stop_section ? current : 0;
  const bool yard_only = mode == EditMode::kStationYard || mode == EditMode::kStopSectionYard;

  MapChange change(session.map());
  if (const int hit = map.RailAt(px, py); hit != 0) {
    MapRail& rail = change.rails()[hit];
    if (!yard_only) {
      rail.station = station;
      rail.target = target;
    }
    rail.yard_station = station;
    rail.yard_target = target;
    if (!yard_only) ClampStopTargets(rail);
    return;
  }
  if (yard_only) {
    if (const int hit = map.PointAt(px, py); hit != 0) {
      MapPoint& point = change.points()[hit];
      point.yard_station = station;
      point.yard_target = target;
    }
    return;
  }
  if (mode == EditMode::kStation) {
    if (const int hit = map.StationDrawAt(px, py); hit != 0) {
      change.station_draws()[hit].station = station;
    }
  }
}

// ---------------------------------------------------------------- looks

namespace {

// Blue for the current station (stop section), grey for another, black for
// none.
Rgb StationRailFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return RelationFill(rail.station, canvas.options().current_station);
}
Rgb StopSectionRailFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return RelationFill(rail.target, canvas.options().current_target);
}
Rgb StationYardRailFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return RelationFill(rail.yard_station, canvas.options().current_station);
}
Rgb StationYardPointFill(const ToolCanvas& canvas, int, const MapPoint& point) {
  return RelationFill(point.yard_station, canvas.options().current_station);
}
Rgb StopSectionYardRailFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return RelationFill(rail.yard_target, canvas.options().current_target);
}
Rgb StopSectionYardPointFill(const ToolCanvas& canvas, int, const MapPoint& point) {
  return RelationFill(point.yard_target, canvas.options().current_target);
}
Rgb StationDrawFill(const ToolCanvas& canvas, int, const MapStationDraw& draw) {
  return RelationFill(draw.station, canvas.options().current_station);
}

// The rectangle of the next station drawing.
void StationDrawingPreview(ToolCanvas& canvas, GridPoint hover) {
  const std::optional<GridPoint> start = canvas.PreviewStart(hover);
  if (start && start->x != hover.x && start->y != hover.y) {
    canvas.Outline(*start, hover, kMapLightGrey);
  }
}

}  // namespace

constinit const ToolLook kStationLook{.rail_fill = StationRailFill,
                                      .station_draw_fill = StationDrawFill};
constinit const ToolLook kStopSectionLook{.rail_fill = StopSectionRailFill};
constinit const ToolLook kStationYardLook{
    .rail_fill = StationYardRailFill,
    .point_fill = StationYardPointFill,
    .station_draw_fill = StationDrawFill,
};
constinit const ToolLook kStopSectionYardLook{
    .rail_fill = StopSectionYardRailFill,
    .point_fill = StopSectionYardPointFill,
};
constinit const ToolLook kStationDrawingLook{
    .rail_fill = StationYardRailFill,
    .station_draw_fill = StationDrawFill,
    .marks = [](ToolCanvas& canvas) { canvas.PendingMark(kMapGreen); },
    .preview = StationDrawingPreview,
};

}  // namespace corvane
