// The start-point tool and the start-distance tool with its command.

#include "editor/tool_handlers.h"
#include "map/start_walk.h"

namespace corvane {

namespace {

const Refusal kNoStartPoint{"起点が指定されていません。\n", "起点指定エラー"};

// Walks again from the start point the map has.
void RepeatWalk(EditSession& session) {
  MapChange change(session.map());
  SetStartRail(change, change.map().header().start.start_rail);
}

}  // namespace

void StartPointClick(EditSession& session, int px, int py) {
  const int rail = session.map().RailAt(px, py);
  if (rail == 0 || !session.map().CanBeStartRail(rail)) return;
  MapChange change(session.map());
  SetStartRail(change, rail);
}

void StartDistanceClick(EditSession& session, int px, int py) {
  const EditMap& map = session.map();
  MapChange change(session.map());
  if (const int rail = map.RailAt(px, py); rail != 0) {
    const MapRail& record = map.rails()[rail];
    if (record.station != 0) {
      change.header().start.start_station = record.station;
      change.header().start.start_target = 0;
    } else if (record.target != 0) {
      change.header().start.start_target = record.target;
      change.header().start.start_station = 0;
    }
  } else if (const int draw = map.StationDrawAt(px, py); draw != 0) {
    change.header().start.start_station = map.station_draws()[draw].station;
  }
}

void StartDistanceRightClick(EditSession& session, int px, int py) {
  PropertyClick(session, px, py);
  RepeatWalk(session);
}

KeyResult StartDistanceCommand(EditSession& session) {
  KeyResult result;
  result.handled = true;
  if (session.map().header().start.start_rail == 0) {
    session.Refuse(kNoStartPoint);
    session.ChooseMode(EditMode::kStartPoint);
    return result;
  }
  {
    MapChange change(session.map());
    SetStartRail(change, change.map().header().start.start_rail);
    // The first station to measure from; a map without stations keeps none.
    change.header().start.start_station = change.map().stations().count() > 0 ? 1 : 0;
    change.header().start.start_target = 0;
  }
  session.SetMode(EditMode::kStartDistance);
  return result;
}

// ---------------------------------------------------------------- looks

namespace {

// The start segment blue, the other line ends grey.
Rgb StartRailFill(const ToolCanvas& canvas, int index, const MapRail&) {
  const EditMap& map = canvas.map();
  if (index == map.header().start.start_rail) return kMapBlue;
  return map.CanBeStartRail(index) ? kMapGrey : kBlack;
}

// The station or stop section chosen for its distance blue, the others grey.
Rgb DistanceRailFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  const StartPoint& start = canvas.map().header().start;
  const bool chosen = (start.start_station != 0 && rail.station == start.start_station) ||
                      (start.start_target != 0 && rail.target == start.start_target);
  if (chosen) return kMapBlue;
  return InStationOrStopSection(rail) ? kMapGrey : kBlack;
}
Rgb DistanceStationDrawFill(const ToolCanvas& canvas, int, const MapStationDraw& draw) {
  return RelationFill(draw.station, canvas.map().header().start.start_station);
}

}  // namespace

constinit const ToolLook kStartPointLook{.rail_fill = StartRailFill};
constinit const ToolLook kStartDistanceLook{
    .rail_fill = DistanceRailFill,
    .station_draw_fill = DistanceStationDrawFill,
};

}  // namespace corvane
