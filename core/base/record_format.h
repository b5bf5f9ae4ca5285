#pragma once
// The columns of a member table's records, described once and used by every
// place that handles them: the writer (widths, the comma rules), the reader
// (file versions that lack a column, values older files imply, clipping of
// texts, the range of each number) and whoever renumbers references when a
// record is deleted. Adding a column with the version it appeared in is one
// line of a description.
//
//   RecordFormat<MapJump> format;
//   format.Num<&MapJump::ax>(3).Num<&MapJump::ay>(3).Text<&MapJump::name>();
//   format.Num<&MapRail::yard_station>(2).Since(1110).OlderCopies<&MapRail::station>();
//
// Records are plain structs of ints and fixed texts; a column finds its field
// by the field's place in the record, so reading and writing a large table
// costs no call per field.

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/member_text.h"

namespace corvane {

// How a reader holds a reference column to the records of its table.
enum class RefCheck {
  kAsStored,  // read as stored, whatever it holds: every use checks it
  kNumber,    // 0 (none) or a record the table holds
  kLink,      // 0, or a record the table holds, negative for a link that
              // holds only with a point off its normal position
};

// The table a reference column points into (an id the owner of the tables
// gives), how a reader checks it and, for a refusal, what it says when not
// the usual "no such <record>" or "a link to no <record>".
struct TableRef {
  int table = -1;
  RefCheck check = RefCheck::kAsStored;
  const char* problem = nullptr;
};

// Whether `value` is a reference `check` allows into a table whose
// references may go up to `highest`.
constexpr bool ReferenceHolds(RefCheck check, int value, int highest) {
  switch (check) {
    case RefCheck::kNumber:
      return value >= 0 && value <= highest;
    case RefCheck::kLink:
      return value == 0 || (value != INT_MIN && (value < 0 ? -value : value) <= highest);
    case RefCheck::kAsStored:
      break;
  }
  return true;
}

// One column: a number (a field, or one element of an array field), a fixed
// text, a real number, or a time of day written as hours, minutes, seconds.
template <typename Record>
struct Column {
  bool is_text = false;
  bool is_real = false;   // a double, written with `precision` decimals
  bool is_time = false;   // seconds as "%2d,%02d,%02d," (three pieces)
  bool zero_pad = false;  // a number padded with zeros instead of spaces
  int precision = 0;
  int width = 0;              // minimum width of a number
  std::ptrdiff_t offset = 0;  // place of the int, or of the text's bytes, in the record
  int since = 0;              // first file version holding the column
  void (*set_text)(Record&, std::string_view) = nullptr;  // clips to the field
  // Files older than `since`: the column at this place gives the value
  // (-1: the record's default stays).
  std::ptrdiff_t older_offset = -1;
  // A reference: renumbered when a record of the table it points into is
  // deleted; read as stored (every use checks it against the table it
  // names) unless its check says otherwise.
  TableRef ref;
  bool removed_with_target = false;  // the record goes when the one it names goes
  // The numbers the program can work with; a row holding another is not
  // read. Any int unless the description narrows it.
  long long low = INT_MIN;
  long long high = INT_MAX;
  bool null_record_exempt = false;  // record 0 may hold anything
  bool no_comma = false;            // a last number written without its comma
  bool trailing_comma = false;      // a last text written with a comma
  bool written = true;              // false: read from newer files, never written

  int Get(const Record& record) const { return IntAt(record, offset); }
  double GetReal(const Record& record) const {
    double value;
    std::memcpy(&value, reinterpret_cast<const char*>(&record) + offset, sizeof value);
    return value;
  }
  void SetReal(Record& record, double value) const {
    std::memcpy(reinterpret_cast<char*>(&record) + offset, &value, sizeof value);
  }
  void Set(Record& record, int value) const {
    std::memcpy(reinterpret_cast<char*>(&record) + offset, &value, sizeof value);
  }
  // A fixed text always ends in a zero byte.
  std::string_view Text(const Record& record) const {
    return std::string_view(reinterpret_cast<const char*>(&record) + offset);
  }

  static int IntAt(const Record& record, std::ptrdiff_t at) {
    int value;
    std::memcpy(&value, reinterpret_cast<const char*>(&record) + at, sizeof value);
    return value;
  }
};

// A number found outside its column's range: the piece of the line it came
// from (0 is the first) and the range.
struct OutOfRange {
  int piece = 0;
  long long value = 0;
  long long low = 0;
  long long high = 0;

  // "column 3: 2147483647 is not between -1000000 and 1000000", columns
  // counted from 1 as the file's lines show them.
  std::string Text() const {
    return "column " + std::to_string(piece + 1) + ": " + std::to_string(value) +
           " is not between " + std::to_string(low) + " and " + std::to_string(high);
  }
};

template <typename Record>
class RecordFormat {
  static_assert(std::is_standard_layout_v<Record>, "columns find fields by their place");

 public:
  // ------------------------------------------------------------ describing

  // An int member, written "%<width>d,".
  template <auto Member>
  RecordFormat& Num(int width) {
    Column<Record> c;
    c.width = width;
    c.offset = OffsetOf(Member);
    columns_.push_back(c);
    return *this;
  }

  // Element `element` of an int array member.
  template <auto Member>
  RecordFormat& Element(int width, int element) {
    Column<Record> c;
    c.width = width;
    c.offset = OffsetOf(Member) + static_cast<std::ptrdiff_t>(element * sizeof(int));
    columns_.push_back(c);
    return *this;
  }

  // Every element of an int array member, in order.
  template <auto Member>
  RecordFormat& Elements(int width) {
    const std::size_t count = (Record{}.*Member).size();
    for (std::size_t e = 0; e < count; ++e) Element<Member>(width, static_cast<int>(e));
    return *this;
  }

  // A fixed text member, clipped to its field when read.
  template <auto Member>
  RecordFormat& Text() {
    Column<Record> c;
    c.is_text = true;
    c.offset = OffsetOf(Member);
    c.set_text = [](Record& r, std::string_view text) { r.*Member = text; };
    columns_.push_back(c);
    return *this;
  }

  // A double member, written like "%<width>.<precision>lf," whatever the
  // process locale.
  template <auto Member>
  RecordFormat& Real(int width, int precision) {
    Column<Record> c;
    c.is_real = true;
    c.width = width;
    c.precision = precision;
    c.offset = OffsetOf(Member);
    columns_.push_back(c);
    return *this;
  }

  // An int member of seconds, written as hours "%2d,", minutes "%02d," and
  // seconds "%02d," and read back from those three pieces.
  template <auto Member>
  RecordFormat& Time() {
    Column<Record> c;
    c.is_time = true;
    c.offset = OffsetOf(Member);
    columns_.push_back(c);
    return *this;
  }

  // Columns repeated `count` times, `add(format, k)` adding those of round k.
  RecordFormat& Repeat(int count, const std::function<void(RecordFormat&, int)>& add) {
    for (int k = 0; k < count; ++k) add(*this, k);
    return *this;
  }

  // The modifiers below apply to the column added last.

  // The first file version with the column; older files lack it.
  RecordFormat& Since(int version) {
    last().since = version;
    return *this;
  }

  // What older files imply for the column: the value of an earlier column.
  template <auto Member>
  RecordFormat& OlderCopies() {
    last().older_offset = OffsetOf(Member);
    return *this;
  }

  RecordFormat& Refers(TableRef ref) {
    last().ref = ref;
    return *this;
  }
  // The record is deleted along with the record its reference names.
  RecordFormat& RemovedWithTarget() {
    last().removed_with_target = true;
    return *this;
  }
  // The numbers the program can work with in this column: where they are
  // added, multiplied or used as an index, no result leaves its type.
  RecordFormat& Range(int low, int high) {
    last().low = low;
    last().high = high;
    return *this;
  }
  // A last number written without the comma that numbers otherwise end with.
  RecordFormat& NoComma() {
    last().no_comma = true;
    return *this;
  }
  // A number padded with zeros to its width ("%05d,").
  RecordFormat& ZeroPadded() {
    last().zero_pad = true;
    return *this;
  }
  // A column of newer data that is read when present but never written.
  RecordFormat& NotWritten() {
    last().written = false;
    return *this;
  }
  // A last text written with a comma after it, as other texts are.
  RecordFormat& TrailingComma() {
    last().trailing_comma = true;
    return *this;
  }
  // A range that the null record need not keep.
  RecordFormat& RangeUnlessNull(int low, int high) {
    Range(low, high);
    last().null_record_exempt = true;
    return *this;
  }

  // ------------------------------------------------------------ using

  const std::vector<Column<Record>>& columns() const { return columns_; }

  // A record whose every column holds 0 or an empty text: what a table
  // holds where it holds no data (its record 0, rows a file never filled).
  Record Empty() const {
    Record record{};
    for (const Column<Record>& c : columns_) {
      if (c.is_text) {
        c.set_text(record, {});
      } else if (c.is_real) {
        c.SetReal(record, 0.0);
      } else {
        c.Set(record, 0);
      }
    }
    return record;
  }

  // One line: the record number "%<number_width>d," and every column; a
  // number ends with a comma, and so does a text except in the last column.
  void Write(int number, const Record& record, int number_width, MemberWriter& out) const {
    out.Num(number_width, number);
    WriteFields(record, out);
  }

  // One line of the columns alone, for members whose rows carry no number.
  void WriteFields(const Record& record, MemberWriter& out) const {
    const std::size_t last_column = columns_.size() - 1;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const Column<Record>& c = columns_[i];
      if (!c.written) continue;
      const char* comma = c.no_comma ? "" : ",";
      if (c.is_text) {
        out.Text(c.Text(record), i < last_column || c.trailing_comma ? "," : "");
      } else if (c.is_real) {
        WriteReal(c.GetReal(record), c.width, c.precision, out);
        out.Raw(comma);
      } else if (c.is_time) {
        const int t = c.Get(record);
        out.Num(2, t / 3600);
        out.Format("%02d,%02d%s", t / 60 % 60, t % 60, comma);
      } else if (c.zero_pad) {
        out.Format("%0*d%s", c.width, c.Get(record), comma);
      } else if (c.no_comma) {
        out.Format("%*d", c.width, c.Get(record));
      } else {
        out.Num(c.width, c.Get(record));
      }
    }
    out.EndLine();
  }

  // printf's "%<width>.<precision>f" in the C locale.
  static void WriteReal(double value, int width, int precision, MemberWriter& out) {
    char digits[64];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    const std::string_view text(digits, result.ec == std::errc() ? result.ptr - digits : 0);
    if (static_cast<int>(text.size()) < width) {
      out.Raw(std::string(static_cast<std::size_t>(width) - text.size(), ' '));
    }
    out.Raw(text);
  }

  // Reads the columns a file of `version` holds (pieces 1, 2, ...; piece 0
  // is the record number) into `record`, which starts as a default record.
  // False when a number is out of its column's range (references are read
  // as stored); `out_of_range` then tells the first such number.
  // `first_piece` is 0 for members whose rows carry no number.
  bool Read(const MemberLine& line, int version, int number, Record& record, int first_piece = 1,
            OutOfRange* out_of_range = nullptr) const {
    int piece = first_piece;
    bool ok = true;
    for (const Column<Record>& c : columns_) {
      if (version < c.since) {
        if (c.older_offset < 0) continue;
        if (c.is_text) {
          c.set_text(record,
                     std::string_view(reinterpret_cast<const char*>(&record) + c.older_offset));
        } else {
          c.Set(record, Column<Record>::IntAt(record, c.older_offset));
        }
        continue;
      }
      if (c.is_text) {
        c.set_text(record, line.Text(piece++));
        continue;
      }
      if (c.is_real) {
        c.SetReal(record, line.Real(piece++));
        continue;
      }
      const int at = piece;
      long long value = 0;
      if (c.is_time) {
        // Saturating pieces keep the sum from overflowing.
        value = 3600LL * line.Int(piece) + 60LL * line.Int(piece + 1) + line.Int(piece + 2);
        piece += 3;
      } else {
        value = line.Int(piece++);
      }
      c.Set(record, static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)));
      if (!(c.null_record_exempt && number == 0) && (value < c.low || value > c.high)) {
        if (ok && out_of_range != nullptr) *out_of_range = {at, value, c.low, c.high};
        ok = false;
      }
    }
    return ok;
  }

  // The first reference column of `record` its check refuses, given the
  // highest number references into each table may hold (`highest(ref)`);
  // null when every reference holds.
  template <typename Highest>
  const Column<Record>* RefusedReference(const Record& record, Highest&& highest) const {
    for (const Column<Record>& c : columns_) {
      if (c.ref.check == RefCheck::kAsStored) continue;
      if (!ReferenceHolds(c.ref.check, c.Get(record), highest(c.ref))) return &c;
    }
    return nullptr;
  }

  // Calls `on(column)` for each reference column into table `table`.
  template <typename F>
  void ForEachReferenceTo(int table, F&& on) const {
    for (const Column<Record>& c : columns_) {
      if (c.ref.table == table) on(c);
    }
  }

 private:
  // The place of a member in the record, in bytes.
  template <typename Member>
  static std::ptrdiff_t OffsetOf(Member member) {
    static const Record probe{};
    return reinterpret_cast<const char*>(&(probe.*member)) - reinterpret_cast<const char*>(&probe);
  }

  Column<Record>& last() { return columns_.back(); }

  std::vector<Column<Record>> columns_;
};

}  // namespace corvane
