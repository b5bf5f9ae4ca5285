#pragma once
// Numbered rows of a member, read into and written from a table through the
// records' column description: shared by the compiled map's members and the
// timetable's.

#include <string>
#include <string_view>

#include "base/member_text.h"
#include "base/record_format.h"
#include "base/table.h"

namespace corvane {

// What row 0 of a member is.
enum class RowZero {
  kNone,         // rows start at 1; a row 0 in a file is skipped
  kPlaceholder,  // written as an empty record and skipped on reading
  kData,         // a record like any other, written and read
};

// Rows 0..count (1..count for kNone), each with its number
// "%<number_width>d,".
template <typename Record>
void WriteNumberedRows(const Table<Record>& table, const RecordFormat<Record>& format,
                       RowZero row_zero, int number_width, MemberWriter& out) {
  if (row_zero == RowZero::kPlaceholder) format.Write(0, format.Empty(), number_width, out);
  if (row_zero == RowZero::kData) format.Write(0, table[0], number_width, out);
  for (int i = 1; i <= table.count(); ++i) format.Write(i, table[i], number_width, out);
}

// Reads numbered rows into `table`: each row under its number; the count
// becomes the highest number read. Record 0 (unless it holds data) and the
// records no row fills are empty. False with `*problem` for a number beyond
// the table or a value out of its range.
template <typename Record>
bool ReadNumberedRows(std::string_view text, int version, const RecordFormat<Record>& format,
                      RowZero row_zero, Table<Record>& table, std::string* problem) {
  const int capacity = table.capacity();
  const Record empty = format.Empty();
  table.SetCount(0);
  if (row_zero != RowZero::kData) table[0] = empty;
  int line_number = 0;
  bool ok = true;
  ForEachMemberLine(text, [&](const MemberLine& line) {
    ++line_number;
    if (!ok) return;
    const int number = line.Int(0);
    if (number == 0 && row_zero != RowZero::kData) return;
    if (number < 0 || number > capacity) {
      *problem = LineProblem(line_number, BeyondTable(number, capacity));
      ok = false;
      return;
    }
    // Older data lacks columns; the record's defaults stand for them.
    Record record = number == 0 ? table[0] : Record{};
    OutOfRange out_of_range;
    if (!format.Read(line, version, number, record, 1, &out_of_range)) {
      *problem = LineProblem(line_number, out_of_range.Text());
      ok = false;
      return;
    }
    for (int gap = table.count() + 1; gap < number; ++gap) table.Slot(gap) = empty;
    table.Store(number, record);
  });
  return ok;
}

}  // namespace corvane
