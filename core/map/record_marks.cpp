#include "map/record_marks.h"

#include <algorithm>
#include <utility>

namespace corvane {

const std::vector<std::uint8_t>& RecordMarks::Marks(MapTable table) const {
  return const_cast<RecordMarks*>(this)->Marks(table);
}

std::vector<std::uint8_t>& RecordMarks::Marks(MapTable table) {
  switch (table) {
    case MapTable::kRail:
      return rails_;
    case MapTable::kPoint:
      return points_;
    case MapTable::kStationDraw:
      return station_draws_;
    case MapTable::kJump:
      return jumps_;
    default:
      none_.clear();
      return none_;
  }
}

std::uint8_t RecordMarks::Of(MapTable table, int index) const {
  const std::vector<std::uint8_t>& marks = Marks(table);
  if (index < 0 || static_cast<std::size_t>(index) >= marks.size()) return 0;
  return marks[static_cast<std::size_t>(index)];
}

void RecordMarks::SetBits(MapTable table, int index, std::uint8_t bits, bool on) {
  if (index < 1 || std::find(std::begin(kMarkedTables), std::end(kMarkedTables), table) ==
                       std::end(kMarkedTables)) {
    return;
  }
  std::vector<std::uint8_t>& marks = Marks(table);
  const std::size_t slot = static_cast<std::size_t>(index);
  if (slot >= marks.size()) {
    if (!on) return;
    marks.resize(slot + 1, 0);
  }
  marks[slot] = on ? (marks[slot] | bits) : (marks[slot] & ~bits);
}

bool RecordMarks::empty() const {
  for (const MapTable table : kMarkedTables) {
    const std::vector<std::uint8_t>& marks = Marks(table);
    if (std::any_of(marks.begin(), marks.end(), [](std::uint8_t mark) { return mark != 0; })) {
      return false;
    }
  }
  return true;
}

void RecordMarks::Clear() {
  for (const MapTable table : kMarkedTables) Marks(table).clear();
}

void RecordMarks::RecordInserted(MapTable table, int index) {
  std::vector<std::uint8_t>& marks = Marks(table);
  if (index < 1 || static_cast<std::size_t>(index) >= marks.size()) return;
  marks.insert(marks.begin() + index, 0);
}

void RecordMarks::RecordDeleted(MapTable table, int index) {
  std::vector<std::uint8_t>& marks = Marks(table);
  if (index < 1 || static_cast<std::size_t>(index) >= marks.size()) return;
  marks.erase(marks.begin() + index);
}

}  // namespace corvane
