#pragma once
// The error and warning marks the compile checks leave on segments, points,
// station drawings and jumps: working values of the editor, not saved,
// cleared by the next compile or when a map is opened. One object may carry
// both.

#include <cstdint>
#include <vector>

#include "editor/map_records.h"

namespace corvane {

enum CheckMarkBits : std::uint8_t { kWarningMark = 1, kErrorMark = 2 };

class MapCheckMarks {
 public:
  // The tables that take marks; others are ignored.
  static constexpr MapTable kMarkedTables[] = {MapTable::kRail, MapTable::kPoint,
                                               MapTable::kStationDraw, MapTable::kJump};

  void Set(MapTable table, int index, CheckMarkBits mark);
  // The marks of record `index` (0 for none or a number beyond the end).
  std::uint8_t Of(MapTable table, int index) const;
  // The highest record number of `table` that may carry a mark.
  int Size(MapTable table) const;
  bool empty() const;
  void Clear();

  // Moves the marks along with records inserted and deleted after a check.
  void RecordInserted(MapTable table, int index);
  void RecordDeleted(MapTable table, int index);

 private:
  std::vector<std::uint8_t>* MarksOf(MapTable table);
  const std::vector<std::uint8_t>* MarksOf(MapTable table) const;

  std::vector<std::uint8_t> rails_;
  std::vector<std::uint8_t> points_;
  std::vector<std::uint8_t> station_draws_;
  std::vector<std::uint8_t> jumps_;
};

}  // namespace corvane
