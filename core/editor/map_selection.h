#pragma once
// The selection marks of the editing session: which segments, points,
// station drawings and jump ends are selected. They belong to the session,
// not to the map, and follow the records when records are inserted or
// deleted.

#include <cstdint>

#include "map/record_marks.h"

namespace corvane {

class MapSelection {
 public:
  // Segments, points and station drawings (other tables have no marks).
  bool Has(MapTable table, int index) const;
  void Set(MapTable table, int index, bool selected);
  bool HasJumpEnd(int jump, bool end_a) const;
  void SetJumpEnd(int jump, bool end_a, bool selected);

  // Selected objects; each jump end counts once.
  int Count() const;
  bool empty() const { return Count() == 0; }
  void Clear();

  // The half turn exchanges the ends of every jump.
  void SwapJumpEnds();

  // Moves the marks along with the records inserted and deleted.
  void RecordInserted(MapTable table, int index);
  void RecordDeleted(MapTable table, int index);

 private:
  RecordMarks marks_;  // jumps: bit 1 end A, bit 2 end B
};

}  // namespace corvane
