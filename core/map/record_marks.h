#pragma once
// A byte of marks per record of the tables that take marks (segments,
// points, station drawings, jumps), kept apart from the records and moved
// along with records inserted and deleted. The selection and the compile
// checks' marks are built on it.

#include <cstdint>
#include <vector>

#include "map/map_records.h"

namespace corvane {

class RecordMarks {
 public:
  // The tables that take marks; others are ignored.
  static constexpr MapTable kMarkedTables[] = {MapTable::kRail, MapTable::kPoint,
                                               MapTable::kStationDraw, MapTable::kJump};

  // The marks of record `index` (0 for none, another table, or a number
  // beyond the end).
  std::uint8_t Of(MapTable table, int index) const;
  // Sets (or clears) `bits` of record `index`.
  void SetBits(MapTable table, int index, std::uint8_t bits, bool on);
  // The marks of a table, by record number (empty for another table).
  const std::vector<std::uint8_t>& Marks(MapTable table) const;
  std::vector<std::uint8_t>& Marks(MapTable table);
  bool empty() const;
  void Clear();

  void RecordInserted(MapTable table, int index);
  void RecordDeleted(MapTable table, int index);

 private:
  std::vector<std::uint8_t> rails_;
  std::vector<std::uint8_t> points_;
  std::vector<std::uint8_t> station_draws_;
  std::vector<std::uint8_t> jumps_;
  std::vector<std::uint8_t> none_;  // for tables without marks; stays empty
};

}  // namespace corvane
