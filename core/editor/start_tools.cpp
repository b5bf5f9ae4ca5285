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

}  // namespace corvane
