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

// "line 7: what" for a problem found in a member.
inline std::string LineProblem(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

// Rows first..count, each with its number "%<number_width>d,".
template <typename Record>
void WriteNumberedRows(const Table<Record>& table, const RecordFormat<Record>& format, int first,
                       int number_width, MemberWriter& out) {
  for (int i = first; i <= table.count(); ++i) format.Write(i, table[i], number_width, out);
}

// Reads numbered rows into `table`: each row under its number (row 0 only
// when `keep_row0`, over the record 0 there); the count becomes the highest
// number read. False with `*problem` for a number beyond the table or a
// value out of its range.
template <typename Record>
bool ReadNumberedRows(std::string_view text, int version, const RecordFormat<Record>& format,
                      bool keep_row0, Table<Record>& table, std::string* problem) {
  const int capacity = table.capacity();
  table.SetCount(0);
  int line_number = 0;
  bool ok = true;
  ForEachMemberLine(text, [&](const MemberLine& line) {
    ++line_number;
    if (!ok) return;
    const int number = line.Int(0);
    if (number == 0 && !keep_row0) return;
    if (number < 0 || number > capacity) {
      *problem = LineProblem(line_number, "record " + std::to_string(number) +
                                              " lies beyond the table's " +
                                              std::to_string(capacity) + " records");
      ok = false;
      return;
    }
    Record record = number == 0 ? table[0] : Record{};
    if (!format.Read(line, version, number, record)) {
      *problem = LineProblem(line_number, "a value out of range");
      ok = false;
      return;
    }
    table.Store(number, record);
  });
  return ok;
}

}  // namespace corvane
