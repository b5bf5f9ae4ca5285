#pragma once
// The error and warning marks the compile checks leave on segments, points,
// station drawings and jumps: working values of the editor, not saved,
// cleared by the next compile or when a map is opened. One object may carry
// both.

#include <cstdint>

#include "map/record_marks.h"

namespace corvane {

enum CheckMarkBits : std::uint8_t { kWarningMark = 1, kErrorMark = 2 };

class MapCheckMarks {
 public:
  void Set(MapTable table, int index, CheckMarkBits mark) {
    marks_.SetBits(table, index, mark, true);
  }
  // The marks of record `index` (0 for none or a number beyond the end).
  std::uint8_t Of(MapTable table, int index) const { return marks_.Of(table, index); }
  // One past the highest record number of `table` that may carry a mark.
  int Size(MapTable table) const { return static_cast<int>(marks_.Marks(table).size()); }
  bool empty() const { return marks_.empty(); }
  void Clear() { marks_.Clear(); }

  // Moves the marks along with records inserted and deleted after a check.
  void RecordInserted(MapTable table, int index) { marks_.RecordInserted(table, index); }
  void RecordDeleted(MapTable table, int index) { marks_.RecordDeleted(table, index); }

 private:
  RecordMarks marks_;
};

}  // namespace corvane
