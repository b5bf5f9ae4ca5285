#include "editor/map_selection.h"

#include <algorithm>
#include <utility>

namespace corvane {

namespace {

constexpr std::uint8_t kEndA = 1;
constexpr std::uint8_t kEndB = 2;

std::uint8_t MarkAt(const std::vector<std::uint8_t>& marks, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= marks.size()) return 0;
  return marks[static_cast<std::size_t>(index)];
}

void SetBits(std::vector<std::uint8_t>& marks, int index, std::uint8_t bits, bool on) {
  if (index < 1) return;
  const std::size_t slot = static_cast<std::size_t>(index);
  if (slot >= marks.size()) {
    if (!on) return;
    marks.resize(slot + 1, 0);
  }
  marks[slot] = on ? (marks[slot] | bits) : (marks[slot] & ~bits);
}

int Bits(std::uint8_t mark) { return (mark & kEndA ? 1 : 0) + (mark & kEndB ? 1 : 0); }

}  // namespace

std::vector<std::uint8_t>* MapSelection::MarksOf(MapTable table) {
  return const_cast<std::vector<std::uint8_t>*>(std::as_const(*this).MarksOf(table));
}

const std::vector<std::uint8_t>* MapSelection::MarksOf(MapTable table) const {
  switch (table) {
    case MapTable::kRail:
      return &rails_;
    case MapTable::kPoint:
      return &points_;
    case MapTable::kStationDraw:
      return &station_draws_;
    case MapTable::kJump:
      return &jumps_;
    default:
      return nullptr;
  }
}

bool MapSelection::Has(MapTable table, int index) const {
  const std::vector<std::uint8_t>* marks = MarksOf(table);
  return marks != nullptr && MarkAt(*marks, index) != 0;
}

void MapSelection::Set(MapTable table, int index, bool selected) {
  if (table == MapTable::kJump) {
    SetJumpEnd(index, true, selected);
    SetJumpEnd(index, false, selected);
    return;
  }
  if (std::vector<std::uint8_t>* marks = MarksOf(table)) SetBits(*marks, index, kEndA, selected);
}

bool MapSelection::HasJumpEnd(int jump, bool end_a) const {
  return (MarkAt(jumps_, jump) & (end_a ? kEndA : kEndB)) != 0;
}

void MapSelection::SetJumpEnd(int jump, bool end_a, bool selected) {
  SetBits(jumps_, jump, end_a ? kEndA : kEndB, selected);
}

int MapSelection::Count() const {
  int count = 0;
  for (const auto* marks : {&rails_, &points_, &station_draws_}) {
    count += static_cast<int>(
        std::count_if(marks->begin(), marks->end(), [](std::uint8_t mark) { return mark != 0; }));
  }
  for (const std::uint8_t mark : jumps_) count += Bits(mark);
  return count;
}

void MapSelection::Clear() {
  rails_.clear();
  points_.clear();
  station_draws_.clear();
  jumps_.clear();
}

void MapSelection::SwapJumpEnds() {
  for (std::uint8_t& mark : jumps_) {
    mark = static_cast<std::uint8_t>((mark & kEndA ? kEndB : 0) | (mark & kEndB ? kEndA : 0));
  }
}

void MapSelection::RecordInserted(MapTable table, int index) {
  std::vector<std::uint8_t>* marks = MarksOf(table);
  if (marks == nullptr || index < 1 || static_cast<std::size_t>(index) >= marks->size()) return;
  marks->insert(marks->begin() + index, 0);
}

void MapSelection::RecordDeleted(MapTable table, int index) {
  std::vector<std::uint8_t>* marks = MarksOf(table);
  if (marks == nullptr || index < 1 || static_cast<std::size_t>(index) >= marks->size()) return;
  marks->erase(marks->begin() + index);
}

}  // namespace corvane
