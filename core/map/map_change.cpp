#include "map/map_change.h"

#include <algorithm>
#include <type_traits>

namespace corvane {

namespace {

// References the header holds, and the tables they point into.
struct HeaderReference {
  MapTable table;
  int& (*field)(MapHeader&);
};

constexpr HeaderReference kHeaderReferences[] = {
    {MapTable::kRail, [](MapHeader& h) -> int& { return h.start.start_rail; }},
    {MapTable::kStation, [](MapHeader& h) -> int& { return h.start.start_station; }},
    {MapTable::kTarget, [](MapHeader& h) -> int& { return h.start.start_target; }},
    {MapTable::kStation, [](MapHeader& h) -> int& { return h.first_station; }},
    {MapTable::kTarget, [](MapHeader& h) -> int& { return h.first_target; }},
};

// A reference to record `deleted` becomes 0, one to a later record follows it
// down by one.
int Renumbered(int reference, int deleted) {
  if (reference == deleted) return 0;
  return reference > deleted ? reference - 1 : reference;
}

}  // namespace

MapChange::MapChange(EditMap& map) : map_(map) { map_.OpenChange(); }

MapChange::~MapChange() { map_.CloseChange(); }

void MapChange::SetDetails(const std::vector<MapDetail>& details) {
  TableChange<MapDetail> list = this->details();
  const int wanted = static_cast<int>(details.size());
  const int common = std::min(list.count(), wanted);
  for (int i = 1; i <= common; ++i) {
    const MapDetail& detail = details[static_cast<std::size_t>(i - 1)];
    if (list.records()[i] != detail) list[i] = detail;
  }
  while (list.count() > wanted) list.Delete(list.count());
  for (int i = list.count() + 1; i <= wanted; ++i) {
    list.Append(details[static_cast<std::size_t>(i - 1)]);
  }
}

MapHeader& EditMap::TouchHeader() {
  Pending& pending = *pending_;
  if (!pending.header_touched) {
    pending.header_touched = true;
    pending.action.Add(MapAction::OpKind::kHeader, MapTable::kRail, 0, content_.header);
  }
  return content_.header;
}

void EditMap::DeleteRecord(MapTable table, int index) {
  const int target = static_cast<int>(table);
  for (const MapTableInfo& info : MapTables()) {
    WithMapTable(content_, info.table, [&](auto& records, const auto* format) {
      if (format == nullptr) return;
      // Records that cannot live without the deleted one go first (from the
      // last, so the numbers still to visit stay put)...
      format->ForEachReferenceTo(target, [&](const auto& column) {
        if (!column.removed_with_target) return;
        for (int i = records.count(); i >= 1; --i) {
          if (column.Get(records[i]) == index) DeleteRecord(info.table, i);
        }
      });
      // ...then every reference to a later record follows it down.
      format->ForEachReferenceTo(target, [&](const auto& column) {
        for (int i = 1; i <= records.count(); ++i) {
          const int value = column.Get(records[i]);
          const int renumbered = Renumbered(value, index);
          if (renumbered != value) column.Set(Touch(info.table, records, i), renumbered);
        }
      });
    });
  }
  for (const HeaderReference& reference : kHeaderReferences) {
    if (reference.table != table) continue;
    const int value = reference.field(content_.header);
    const int renumbered = Renumbered(value, index);
    if (renumbered != value) reference.field(TouchHeader()) = renumbered;
  }
  RemoveRecord(table, index);
}

void EditMap::RemoveRecord(MapTable table, int index) {
  WithMapTable(content_, table, [&](auto& records, const auto*) {
    pending_->action.Add(MapAction::OpKind::kDelete, table, index, records[index]);
    records.Delete(index);
  });
  if (listener_ != nullptr) listener_->RecordDeleted(table, index);
  pending_->touched[static_cast<std::size_t>(table)].clear();
  if (table == MapTable::kJump) RenameJumps();
}

// Jumps are named from their numbers, so every addition or removal renames
// them all.
void EditMap::RenameJumps() {
  Table<MapJump>& jumps = content_.jumps;
  const int count = jumps.count();
  for (int i = 1; i <= count; ++i) {
    const std::string name = JumpNameFor(i, count);
    if (jumps[i].name.view() != name) Touch(MapTable::kJump, jumps, i).name = name;
  }
}

}  // namespace corvane
