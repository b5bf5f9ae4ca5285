#include "editor/check_marks.h"

namespace corvane {

std::vector<std::uint8_t>* MapCheckMarks::MarksOf(MapTable table) {
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

const std::vector<std::uint8_t>* MapCheckMarks::MarksOf(MapTable table) const {
  return const_cast<MapCheckMarks*>(this)->MarksOf(table);
}

void MapCheckMarks::Set(MapTable table, int index, CheckMarkBits mark) {
  std::vector<std::uint8_t>* marks = MarksOf(table);
  if (marks == nullptr || index < 1) return;
  if (static_cast<std::size_t>(index) >= marks->size()) {
    marks->resize(static_cast<std::size_t>(index) + 1, 0);
  }
  (*marks)[static_cast<std::size_t>(index)] |= mark;
}

std::uint8_t MapCheckMarks::Of(MapTable table, int index) const {
  const std::vector<std::uint8_t>* marks = MarksOf(table);
  if (marks == nullptr || index < 0 || static_cast<std::size_t>(index) >= marks->size()) return 0;
  return (*marks)[static_cast<std::size_t>(index)];
}

int MapCheckMarks::Size(MapTable table) const {
  const std::vector<std::uint8_t>* marks = MarksOf(table);
  return marks == nullptr ? 0 : static_cast<int>(marks->size());
}

bool MapCheckMarks::empty() const {
  for (const MapTable table : kMarkedTables) {
    for (const std::uint8_t mark : *MarksOf(table)) {
      if (mark != 0) return false;
    }
  }
  return true;
}

void MapCheckMarks::Clear() {
  for (const MapTable table : kMarkedTables) MarksOf(table)->clear();
}

void MapCheckMarks::RecordInserted(MapTable table, int index) {
  std::vector<std::uint8_t>* marks = MarksOf(table);
  if (marks == nullptr || index < 1 || static_cast<std::size_t>(index) >= marks->size()) return;
  marks->insert(marks->begin() + index, 0);
}

void MapCheckMarks::RecordDeleted(MapTable table, int index) {
  std::vector<std::uint8_t>* marks = MarksOf(table);
  if (marks == nullptr || index < 1 || static_cast<std::size_t>(index) >= marks->size()) return;
  marks->erase(marks->begin() + index);
}

}  // namespace corvane
