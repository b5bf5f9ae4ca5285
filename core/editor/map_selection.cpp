#include "editor/map_selection.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::uint8_t kEndA = 1;
constexpr std::uint8_t kEndB = 2;

int Bits(std::uint8_t mark) { return (mark & kEndA ? 1 : 0) + (mark & kEndB ? 1 : 0); }

}  // namespace

bool MapSelection::Has(MapTable table, int index) const { return marks_.Of(table, index) != 0; }

void MapSelection::Set(MapTable table, int index, bool selected) {
  if (table == MapTable::kJump) {
    SetJumpEnd(index, true, selected);
    SetJumpEnd(index, false, selected);
    return;
  }
  marks_.SetBits(table, index, kEndA, selected);
}

bool MapSelection::HasJumpEnd(int jump, bool end_a) const {
  return (marks_.Of(MapTable::kJump, jump) & (end_a ? kEndA : kEndB)) != 0;
}

void MapSelection::SetJumpEnd(int jump, bool end_a, bool selected) {
  marks_.SetBits(MapTable::kJump, jump, end_a ? kEndA : kEndB, selected);
}

int MapSelection::Count() const {
  int count = 0;
  for (const MapTable table : {MapTable::kRail, MapTable::kPoint, MapTable::kStationDraw}) {
    const std::vector<std::uint8_t>& marks = marks_.Marks(table);
    count += static_cast<int>(
        std::count_if(marks.begin(), marks.end(), [](std::uint8_t mark) { return mark != 0; }));
  }
  for (const std::uint8_t mark : marks_.Marks(MapTable::kJump)) count += Bits(mark);
  return count;
}

void MapSelection::Clear() { marks_.Clear(); }

void MapSelection::SwapJumpEnds() {
  for (std::uint8_t& mark : marks_.Marks(MapTable::kJump)) {
    mark = static_cast<std::uint8_t>((mark & kEndA ? kEndB : 0) | (mark & kEndB ? kEndA : 0));
  }
}

void MapSelection::RecordInserted(MapTable table, int index) {
  marks_.RecordInserted(table, index);
}

void MapSelection::RecordDeleted(MapTable table, int index) { marks_.RecordDeleted(table, index); }

}  // namespace corvane
