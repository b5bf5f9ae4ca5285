// The naming tools: the texts of the manual naming tool and the entry of a
// naming table the automatic ones use are chosen in a dialog before the
// tool starts.

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/encoding.h"
#include "editor/tool_handlers.h"
#include "map/map_change.h"
#include "map/map_geometry.h"

namespace corvane {

namespace {

bool AskForEntry(EditSession& session, NameTable table) {
  int entry = session.tool_values().name_entry;
  bool chosen = false;
  {
    MapChange change(session.map());
    chosen = session.dialogs().ChooseNameEntry(change, table, &entry);
  }
  if (chosen) session.tool_values().name_entry = entry;
  return chosen;
}

}  // namespace

bool AskForManualNames(EditSession& session) {
  // The texts start empty each time the tool is chosen.
  MapNameEntry names;
  if (!session.dialogs().EditNames(&names)) return false;
  session.tool_values().names = names;
  return true;
}

bool AskForBlockName(EditSession& session) { return AskForEntry(session, NameTable::kBlock); }
bool AskForYardName(EditSession& session) { return AskForEntry(session, NameTable::kYard); }
bool AskForStationName(EditSession& session) { return AskForEntry(session, NameTable::kStation); }
bool AskForStopSectionName(EditSession& session) {
  return AskForEntry(session, NameTable::kTarget);
}

}  // namespace corvane

// ------------------------------------------------------------ naming clicks

namespace corvane {

namespace {

// Texts joined and cut at a field's size (the fixed text clips without
// splitting a character).
std::string Joined(std::string_view a, std::string_view b) {
  std::string text(a);
  text += b;
  return text;
}

// The first `bytes` bytes of a text, never half a character.
std::string_view Head(std::string_view text, std::size_t bytes) { return ClipSjis(text, bytes); }

// The first character of a text (one or two bytes).
std::string_view FirstCharacter(std::string_view text) {
  if (text.empty()) return text;
  const auto lead = static_cast<unsigned char>(text.front());
  const bool two_bytes = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return Head(text, two_bytes ? 2 : 1);
}

// The nearest station along the track from a grid point, walking leftward
// (`rightward` false) or rightward: a segment with a station ends the walk,
// one without continues from its far end, a point tries each branch in turn.
// Every segment and point is entered once, so rings of track end.
class StationWalk {
 public:
  explicit StationWalk(const EditMap& map)
      : map_(map),
        rail_seen_(static_cast<std::size_t>(map.rails().count()) + 1, 0),
        point_seen_(static_cast<std::size_t>(map.points().count()) + 1, 0) {}

  int From(GridPoint p, bool rightward) {
    for (;;) {
      const int rail = rightward ? map_.RailContinuingRight(p) : map_.RailContinuingLeft(p);
      if (rail != 0) {
        if (rail_seen_[static_cast<std::size_t>(rail)]) return 0;
        rail_seen_[static_cast<std::size_t>(rail)] = 1;
        const MapRail& r = map_.rails()[rail];
        if (r.station != 0) return r.station;
        if (!(rightward ? RightEnd(r, &p) : LeftEnd(r, &p))) return 0;
        continue;
      }
      const int point = rightward ? map_.PointWithLeftBranchAt(p) : map_.PointWithRightBranchAt(p);
      if (point == 0 || point_seen_[static_cast<std::size_t>(point)]) return 0;
      point_seen_[static_cast<std::size_t>(point)] = 1;
      const MapPoint& pt = map_.points()[point];
      for (int b = 1; b < kMaxBranches; ++b) {
        if (!BranchExists(pt, b)) continue;
        const auto slot = static_cast<std::size_t>(b);
        GridPoint far{rightward ? pt.x2 : pt.x1, 0};
        if (!RowAt(pt.y1, rightward ? pt.branch_right_dy[slot] : pt.branch_left_dy[slot], &far.y)) {
          continue;
        }
        if (const int station = From(far, rightward); station != 0) return station;
      }
      return 0;
    }
  }

 private:
  const EditMap& map_;
  std::vector<char> rail_seen_;
  std::vector<char> point_seen_;
};

struct BaseTexts {
  std::string short_name;
  std::string name;
};

// The stations on either side of an object and an arrow between them; empty
// unless both are found.
BaseTexts BaseNames(const EditMap& map, GridPoint left, GridPoint right, const char* arrow_utf8) {
  const int a = StationWalk(map).From(left, false);
  const int b = StationWalk(map).From(right, true);
  if (!map.stations().Contains(a) || !map.stations().Contains(b)) return {};
  const std::string arrow = Utf8ToSjis(arrow_utf8);
  const std::string_view sa = map.stations()[a].short_name.view();
  const std::string_view sb = map.stations()[b].short_name.view();
  return {Joined(Joined(FirstCharacter(sa), arrow), FirstCharacter(sb)),
          Joined(Joined(sa, arrow), sb)};
}

const char* Arrow(int direction) {
  if (direction == kLeftwardOnly) return "←";
  if (direction == kRightwardOnly) return "→";
  return "＝";
}

BaseTexts RailBaseNames(const EditMap& map, const MapRail& rail) {
  GridPoint left, right;
  if (!LeftEnd(rail, &left) || !RightEnd(rail, &right)) return {};
  return BaseNames(map, left, right, Arrow(rail.direction));
}

bool Plain(const MapRail& r) {
  return r.station == 0 && r.target == 0 && r.yard_station == 0 && r.yard_target == 0;
}

template <typename Record>
void SetTexts(Record& record, const MapNameEntry& texts) {
  record.short_left = texts.short_left;
  record.name_left = texts.name_left;
  record.short_right = texts.short_right;
  record.name_right = texts.name_right;
}

// The entry's texts after a yard's, station's or stop section's names cut
// to two and four full-width characters.
MapNameEntry PlaceTexts(std::string_view short_name, std::string_view name,
                        const MapNameEntry& entry) {
  MapNameEntry texts;
  texts.short_left = Joined(Head(short_name, 4), entry.short_left.view());
  texts.name_left = Joined(Head(name, 8), entry.name_left.view());
  texts.short_right = Joined(Head(short_name, 4), entry.short_right.view());
  texts.name_right = Joined(Head(name, 8), entry.name_right.view());
  return texts;
}

const MapNameEntry& CurrentEntry(const EditSession& session, NameTable table) {
  static const MapNameEntry kNone;
  const Table<MapNameEntry>& names = session.map().Names(table);
  const int entry = session.tool_values().name_entry;
  return names.Contains(entry) ? names[entry] : kNone;
}

// The station (or stop section) a yard reference names: short name and name.
bool YardNames(const EditMap& map, int yard_station, int yard_target, BaseTexts* names) {
  if (yard_station != 0) {
    if (!map.stations().Contains(yard_station)) return false;
    *names = {std::string(map.stations()[yard_station].short_name.view()),
              std::string(map.stations()[yard_station].name.view())};
    return true;
  }
  if (!map.targets().Contains(yard_target)) return false;
  *names = {std::string(map.targets()[yard_target].short_name.view()),
            std::string(map.targets()[yard_target].name.view())};
  return true;
}

std::string Counted(const char* format_utf8, int k) {
  char text[32];
  std::snprintf(text, sizeof text, Utf8ToSjis(format_utf8).c_str(), k);
  return text;
}

// The plain segment continuing a run from `rail` (rightward or leftward),
// 0 at its end (a point, a station, nothing, or a segment passed before).
int NextInRun(const EditMap& map, int rail, bool rightward, const std::vector<char>& seen) {
  GridPoint end;
  const MapRail& r = map.rails()[rail];
  if (!(rightward ? RightEnd(r, &end) : LeftEnd(r, &end))) return 0;
  const int next = rightward ? map.RailContinuingRight(end) : map.RailContinuingLeft(end);
  if (next == 0 || seen[static_cast<std::size_t>(next)] || !Plain(map.rails()[next])) return 0;
  return next;
}

}  // namespace

void ManualNameClick(EditSession& session, int px, int py) {
  const EditMap& map = session.map();
  const int rail = map.RailAt(px, py);
  const int point = map.PointAt(px, py);
  if (rail == 0 && point == 0) return;
  MapChange change(session.map());
  if (rail != 0) SetTexts(change.rails()[rail], session.tool_values().names);
  if (point != 0) SetTexts(change.points()[point], session.tool_values().names);
}

void BlockNameAutoClick(EditSession& session, int px, int py) {
  const EditMap& map = session.map();
  const int clicked = map.RailAt(px, py);
  if (clicked == 0 || !Plain(map.rails()[clicked])) return;
  const BaseTexts base = RailBaseNames(map, map.rails()[clicked]);
  MapNameEntry& current = session.tool_values().names;
  current.short_left = current.short_right = base.short_name;
  current.name_left = current.name_right = base.name;
  // The run of plain segments around the clicked one.
  std::vector<char> seen(static_cast<std::size_t>(map.rails().count()) + 1, 0);
  int left_end = clicked;
  seen[static_cast<std::size_t>(clicked)] = 1;
  while (const int next = NextInRun(map, left_end, false, seen)) {
    seen[static_cast<std::size_t>(next)] = 1;
    left_end = next;
  }
  MapChange change(session.map());
  std::fill(seen.begin(), seen.end(), 0);
  int rail = left_end;
  int right_end = left_end;
  for (int k = 1; rail != 0; ++k) {
    seen[static_cast<std::size_t>(rail)] = 1;
    MapRail& record = change.rails()[rail];
    if (AllowsLeftward(record.direction)) {
      record.short_left = Joined(base.short_name, Counted("%02d", k));
      record.name_left = Joined(base.name, Counted("第%02d閉塞", k));
      record.block_auto = 1;
    }
    right_end = rail;
    rail = NextInRun(map, rail, true, seen);
  }
  std::fill(seen.begin(), seen.end(), 0);
  rail = right_end;
  for (int k = 1; rail != 0; ++k) {
    seen[static_cast<std::size_t>(rail)] = 1;
    MapRail& record = change.rails()[rail];
    if (AllowsRightward(record.direction)) {
      record.short_right = Joined(base.short_name, Counted("%02d", k));
      record.name_right = Joined(base.name, Counted("第%02d閉塞", k));
      record.block_auto = 1;
    }
    rail = NextInRun(map, rail, false, seen);
  }
}

void BlockNameSemiClick(EditSession& session, int px, int py) {
  const EditMap& map = session.map();
  const int rail = map.RailAt(px, py);
  if (rail == 0 || !Plain(map.rails()[rail])) return;
  const BaseTexts base = RailBaseNames(map, map.rails()[rail]);
  const MapNameEntry entry = CurrentEntry(session, NameTable::kBlock);
  MapChange change(session.map());
  MapRail& record = change.rails()[rail];
  record.block_name = session.tool_values().name_entry;
  record.yard_name = 0;
  record.short_left = Joined(base.short_name, entry.short_left.view());
  record.name_left = Joined(base.name, entry.name_left.view());
  record.short_right = Joined(base.short_name, entry.short_right.view());
  record.name_right = Joined(base.name, entry.name_right.view());
}

void YardNameClick(EditSession& session, int px, int py) {
  const EditMap& map = session.map();
  const MapNameEntry entry = CurrentEntry(session, NameTable::kYard);
  const int number = session.tool_values().name_entry;
  BaseTexts yard;
  if (const int rail = map.RailAt(px, py); rail != 0) {
    const MapRail& r = map.rails()[rail];
    if (r.station != 0 || r.target != 0 || (r.yard_station == 0 && r.yard_target == 0)) return;
    if (!YardNames(map, r.yard_station, r.yard_target, &yard)) return;
    MapChange change(session.map());
    MapRail& record = change.rails()[rail];
    record.block_auto = record.block_name = record.target_name = 0;
    record.yard_name = number;
    SetTexts(record, PlaceTexts(yard.short_name, yard.name, entry));
    return;
  }
  const int point = map.PointAt(px, py);
  if (point == 0) return;
  const MapPoint& p = map.points()[point];
  if (p.yard_station == 0 && p.yard_target == 0) return;
  if (!YardNames(map, p.yard_station, p.yard_target, &yard)) return;
  MapChange change(session.map());
  MapPoint& record = change.points()[point];
  record.yard_name = number;
  SetTexts(record, PlaceTexts(yard.short_name, yard.name, entry));
}

void StationNameClick(EditSession& session, int px, int py) {
  const EditMap& map = session.map();
  const int rail = map.RailAt(px, py);
  if (rail == 0 || !map.stations().Contains(map.rails()[rail].station)) return;
  const MapStation& station = map.stations()[map.rails()[rail].station];
  const MapNameEntry entry = CurrentEntry(session, NameTable::kStation);
  MapChange change(session.map());
  MapRail& record = change.rails()[rail];
  record.station_name = session.tool_values().name_entry;
  SetTexts(record, PlaceTexts(station.short_name.view(), station.name.view(), entry));
}

void StopSectionNameClick(EditSession& session, int px, int py) {
  const EditMap& map = session.map();
  const int rail = map.RailAt(px, py);
  if (rail == 0 || !map.targets().Contains(map.rails()[rail].target)) return;
  const MapTarget& target = map.targets()[map.rails()[rail].target];
  const MapNameEntry entry = CurrentEntry(session, NameTable::kTarget);
  MapChange change(session.map());
  MapRail& record = change.rails()[rail];
  record.block_auto = record.block_name = record.yard_name = 0;
  record.target_name = session.tool_values().name_entry;
  SetTexts(record, PlaceTexts(target.short_name.view(), target.name.view(), entry));
}

// ---------------------------------------------------------------- looks

namespace {

template <typename Record>
bool HasTexts(const Record& record, const MapNameEntry& texts) {
  return record.short_left == texts.short_left && record.name_left == texts.name_left &&
         record.short_right == texts.short_right && record.name_right == texts.name_right;
}

Rgb RailTextsFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return MatchFill(HasTexts(rail, canvas.options().names));
}
Rgb PointTextsFill(const ToolCanvas& canvas, int, const MapPoint& point) {
  return MatchFill(HasTexts(point, canvas.options().names));
}

// The automatic tools show the segments of the kind they name: blue for
// those named from the tool's entry, grey for others, black for the rest.
Rgb BlockAutoFill(const ToolCanvas&, int, const MapRail& rail) {
  if (!Plain(rail)) return kBlack;
  return rail.block_auto != 0 ? kMapAutoNamed : kMapGrey;
}
Rgb BlockSemiFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return Plain(rail) ? MatchFill(rail.block_name == canvas.options().name_entry) : kBlack;
}
bool InYard(int yard_station, int yard_target) { return yard_station != 0 || yard_target != 0; }
Rgb RailYardNameFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return !InStationOrStopSection(rail) && InYard(rail.yard_station, rail.yard_target)
             ? MatchFill(rail.yard_name == canvas.options().name_entry)
             : kBlack;
}
Rgb PointYardNameFill(const ToolCanvas& canvas, int, const MapPoint& point) {
  return InYard(point.yard_station, point.yard_target)
             ? MatchFill(point.yard_name == canvas.options().name_entry)
             : kBlack;
}
Rgb StationNameFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return rail.station != 0 ? MatchFill(rail.station_name == canvas.options().name_entry) : kBlack;
}
Rgb StopSectionNameFill(const ToolCanvas& canvas, int, const MapRail& rail) {
  return rail.target != 0 ? MatchFill(rail.target_name == canvas.options().name_entry) : kBlack;
}

}  // namespace

constinit const ToolLook kManualNameLook{.rail_fill = RailTextsFill, .point_fill = PointTextsFill};
constinit const ToolLook kBlockNameAutoLook{.rail_fill = BlockAutoFill};
constinit const ToolLook kBlockNameSemiLook{.rail_fill = BlockSemiFill};
constinit const ToolLook kYardNameLook{.rail_fill = RailYardNameFill,
                                       .point_fill = PointYardNameFill};
constinit const ToolLook kStationNameLook{.rail_fill = StationNameFill};
constinit const ToolLook kStopSectionNameLook{.rail_fill = StopSectionNameFill};

}  // namespace corvane
