#pragma once
// Everything a map holds (MapContent) and the one description of its tables:
// capacity, file member, header key, the version the member appeared in and
// the columns of each record. The map file, the listings, the range checks
// and the renumbering on delete all work from these descriptions, so a new
// table or column is added here and nowhere else.

#include <span>

#include "base/record_format.h"
#include "base/table.h"
#include "map/map_records.h"

namespace corvane {

// The map as the map file stores it: header and tables, plain data.
struct MapContent {
  MapHeader header;
  Table<MapRail> rails{kRailCapacity};
  Table<MapPoint> points{kPointCapacity};
  Table<MapStation> stations{kStationCapacity};
  Table<MapTarget> targets{kTargetCapacity};
  Table<MapStationDraw> station_draws{kStationDrawCapacity};
  Table<MapJump> jumps{kJumpCapacity};
  Table<MapNameEntry> block_names{kNameEntryCapacity};
  Table<MapNameEntry> yard_names{kNameEntryCapacity};
  Table<MapNameEntry> station_names{kNameEntryCapacity};
  Table<MapNameEntry> target_names{kNameEntryCapacity};
  Table<MapDetail> details{kUnboundedTable};
  // Signal types with their aspect tables; image 0 is a null record and
  // colour 0 is white.
  Table<MapSignalType> signal_types{kSignalTypeCapacity};
  Table<SignalImageRecord> images{kUnboundedTable};
  Table<AspectColour> colours{kUnboundedTable};

  Table<MapNameEntry>& Names(NameTable table);
  const Table<MapNameEntry>& Names(NameTable table) const;
};

// The new map state: empty tables but for the default naming entries,
// default settings, no start point, version 1220. No signal types: the map
// file loads the defaults.
MapContent NewMapContent();

// Empties the signal types, images and colours (colour 0 stays white).
void ClearSignalTypes(MapContent& content);

// How a member's rows are written and read.
enum class MemberRows {
  kRecords,      // one record per row, as its column description says
  kAspectBands,  // the aspect bands of every signal type (one image and colour each)
};

struct MapTableInfo {
  MapTable table;
  int capacity = 0;
  // The file member holding the rows (null: kept in another member's rows).
  const char* member = nullptr;
  const char* header_key = nullptr;
  int header_rank = 0;  // place of the key in the header's list of members
  int since = 0;        // first file version holding the member
  // Older files: the program's own default table is read instead (else the
  // table stays empty).
  bool older_from_defaults = false;
  // A header that names no file for it means an empty table.
  bool may_be_unnamed = false;
  MemberRows rows = MemberRows::kRecords;
  int number_width = 0;             // width of the record-number column
  bool writes_null_record = false;  // rows 0..count are written (else 1..count)
  bool appends = false;             // rows are read in file order, their numbers ignored
  const char* listing = nullptr;    // name in listings, when not the member's
};

// Every table, in the order of the map file's members.
std::span<const MapTableInfo> MapTables();
const MapTableInfo& InfoOf(MapTable table);
// The reference target for column descriptions.
TableRef RefTo(MapTable table);

const RecordFormat<MapRail>& RailFormat();
const RecordFormat<MapPoint>& PointFormat();
const RecordFormat<MapStation>& StationFormat();
const RecordFormat<MapTarget>& TargetFormat();
const RecordFormat<MapStationDraw>& StationDrawFormat();
const RecordFormat<MapJump>& JumpFormat();
const RecordFormat<MapNameEntry>& NameEntryFormat();
const RecordFormat<MapDetail>& DetailFormat();
const RecordFormat<MapSignalType>& SignalTypeFormat();

// Calls `f(records, format)` with table `table` of `content` (a Table<R>,
// const when the content is) and its column description (null for the
// tables whose rows are not records of their own: images and colours).
template <typename Content, typename F>
decltype(auto) WithMapTable(Content& content, MapTable table, F&& f) {
  switch (table) {
    case MapTable::kRail:
      return f(content.rails, &RailFormat());
    case MapTable::kPoint:
      return f(content.points, &PointFormat());
    case MapTable::kStation:
      return f(content.stations, &StationFormat());
    case MapTable::kTarget:
      return f(content.targets, &TargetFormat());
    case MapTable::kStationDraw:
      return f(content.station_draws, &StationDrawFormat());
    case MapTable::kJump:
      return f(content.jumps, &JumpFormat());
    case MapTable::kBlockName:
      return f(content.block_names, &NameEntryFormat());
    case MapTable::kYardName:
      return f(content.yard_names, &NameEntryFormat());
    case MapTable::kStationName:
      return f(content.station_names, &NameEntryFormat());
    case MapTable::kTargetName:
      return f(content.target_names, &NameEntryFormat());
    case MapTable::kDetail:
      return f(content.details, &DetailFormat());
    case MapTable::kSignalType:
      return f(content.signal_types, &SignalTypeFormat());
    case MapTable::kImage:
      return f(content.images, static_cast<const RecordFormat<SignalImageRecord>*>(nullptr));
    case MapTable::kColour:
      break;
  }
  return f(content.colours, static_cast<const RecordFormat<AspectColour>*>(nullptr));
}

}  // namespace corvane
