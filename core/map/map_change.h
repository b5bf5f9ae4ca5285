#pragma once
// The one way to change a map. A MapChange is one user action: every record
// it hands out, adds or deletes is recorded, and when the outermost change
// of an action ends the action goes into the map's record of changes (if it
// changed anything at all). Changes opened while another is open belong to
// the same action.
//
//   MapChange change(map);
//   change.rails()[hit].station = current;   // the old record is kept first
//   if (!change.jumps().Append(jump, &refusal)) { ... }
//
// Deleting renumbers every reference to later records, as the tables'
// column descriptions list them, and deletes the records that cannot live
// without the deleted one (a station's drawings, a segment's details).

#include "map/edit_map.h"

namespace corvane {

template <typename Record>
class TableChange {
 public:
  TableChange(EditMap& map, MapTable table, Table<Record>& records)
      : map_(map), table_(table), records_(records) {}

  const Table<Record>& records() const { return records_; }
  int count() const { return records_.count(); }
  bool Contains(int index) const { return records_.Contains(index); }

  // Record `index` (1..count) to change in place.
  Record& operator[](int index) { return map_.Touch(table_, records_, index); }

  // Appends a record: its number, or 0 with `refusal` filled when the table
  // is full.
  int Append(const Record& record, Refusal* refusal = nullptr) {
    if (map_.InsertRecord(table_, records_, records_.count() + 1, record)) return records_.count();
    if (refusal != nullptr) *refusal = FullTableRefusal(table_);
    return 0;
  }
  // Inserts a record as number `index` (1..count + 1); false when full.
  bool Insert(int index, const Record& record) {
    return map_.InsertRecord(table_, records_, index, record);
  }
  // Deletes record `index`, renumbering the references to later records.
  void Delete(int index) {
    if (records_.Contains(index)) map_.DeleteRecord(table_, index);
  }

 private:
  EditMap& map_;
  MapTable table_;
  Table<Record>& records_;
};

class MapChange {
 public:
  explicit MapChange(EditMap& map);
  ~MapChange();
  MapChange(const MapChange&) = delete;
  MapChange& operator=(const MapChange&) = delete;

  const EditMap& map() const { return map_; }

  TableChange<MapRail> rails() { return Records(MapTable::kRail, content().rails); }
  TableChange<MapPoint> points() { return Records(MapTable::kPoint, content().points); }
  TableChange<MapStation> stations() { return Records(MapTable::kStation, content().stations); }
  TableChange<MapTarget> targets() { return Records(MapTable::kTarget, content().targets); }
  TableChange<MapStationDraw> station_draws() {
    return Records(MapTable::kStationDraw, content().station_draws);
  }
  TableChange<MapJump> jumps() { return Records(MapTable::kJump, content().jumps); }
  TableChange<MapNameEntry> names(NameTable table) {
    return Records(NameTableOf(table), content().Names(table));
  }
  TableChange<MapDetail> details() { return Records(MapTable::kDetail, content().details); }
  TableChange<MapSignalType> signal_types() {
    return Records(MapTable::kSignalType, content().signal_types);
  }
  TableChange<SignalImageRecord> images() { return Records(MapTable::kImage, content().images); }
  TableChange<AspectColour> colours() { return Records(MapTable::kColour, content().colours); }

  // The header, to change in place.
  MapHeader& header() { return map_.TouchHeader(); }

  // Makes the detail list equal to `details`, changing only the entries
  // that differ.
  void SetDetails(const std::vector<MapDetail>& details);

  // Takes back everything the action has changed so far: a refused action
  // leaves the map as it was.
  void Cancel() { map_.CancelChange(); }

 private:
  template <typename Record>
  TableChange<Record> Records(MapTable table, Table<Record>& records) {
    return TableChange<Record>(map_, table, records);
  }
  MapContent& content() { return map_.content_; }

  EditMap& map_;
};

}  // namespace corvane
