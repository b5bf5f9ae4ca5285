#pragma once
// The columns of a member table's records, described once and used by every
// place that handles them: the writer (widths, the comma rules), the reader
// (file versions that lack a column, values older files imply, clipping of
// texts, range checks of references) and whoever renumbers references when a
// record is deleted. Adding a column with the version it appeared in is one
// line of a description.
//
//   RecordFormat<MapJump> format;
//   format.Num<&MapJump::ax>(3).Num<&MapJump::ay>(3).Text<&MapJump::name>();
//   format.Num<&MapRail::yard_station>(2).Since(1110).OlderCopies<&MapRail::station>();

#include <cstddef>
#include <functional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/member_text.h"

namespace corvane {

// The table a reference column points into: an id the owner of the tables
// gives, and the table's capacity (references range over 0..capacity).
struct TableRef {
  int table = -1;
  int capacity = 0;
};

// One column: a number (optionally one element of an array member) or a text.
template <typename Record>
struct Column {
  bool is_text = false;
  int width = 0;    // minimum width of a number
  int element = 0;  // array element of the member
  int since = 0;    // first file version holding the column
  int (*get)(const Record&, int element) = nullptr;
  void (*set)(Record&, int element, int value) = nullptr;
  std::string_view (*get_text)(const Record&) = nullptr;
  void (*set_text)(Record&, std::string_view) = nullptr;
  // Files older than `since`: the value another column of the record gave
  // (nothing: the record's default stays).
  int (*older_int)(const Record&, int element) = nullptr;
  std::string_view (*older_text)(const Record&) = nullptr;
  // A reference: checked against 0..capacity when read, renumbered when a
  // record of the table it points into is deleted.
  TableRef ref;
  bool removed_with_target = false;  // the record goes when the one it names goes
  // A plain range check of a number when read.
  bool checked = false;
  int low = 0;
  int high = 0;
  bool null_record_exempt = false;  // record 0 may hold anything

  bool IsReference() const { return ref.table >= 0; }
};

template <typename Record>
class RecordFormat {
 public:
  // ------------------------------------------------------------ describing

  // An int member, written "%<width>d,".
  template <auto Member>
  RecordFormat& Num(int width) {
    Column<Record> c;
    c.width = width;
    c.get = [](const Record& r, int) { return r.*Member; };
    c.set = [](Record& r, int, int value) { r.*Member = value; };
    columns_.push_back(c);
    return *this;
  }

  // Element `element` of an int array member.
  template <auto Member>
  RecordFormat& Element(int width, int element) {
    Column<Record> c;
    c.width = width;
    c.element = element;
    c.get = [](const Record& r, int e) { return (r.*Member)[static_cast<std::size_t>(e)]; };
    c.set = [](Record& r, int e, int value) { (r.*Member)[static_cast<std::size_t>(e)] = value; };
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
    c.get_text = [](const Record& r) { return (r.*Member).view(); };
    c.set_text = [](Record& r, std::string_view text) { r.*Member = text; };
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
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(Record{}.*Member)>, int>) {
      last().older_int = [](const Record& r, int) { return r.*Member; };
    } else {
      last().older_text = [](const Record& r) { return (r.*Member).view(); };
    }
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
  RecordFormat& Range(int low, int high) {
    last().checked = true;
    last().low = low;
    last().high = high;
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

  // One line: the record number "%<number_width>d," and every column; a
  // number ends with a comma, and so does a text except in the last column.
  void Write(int number, const Record& record, int number_width, MemberWriter& out) const {
    out.Num(number_width, number);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const Column<Record>& c = columns_[i];
      if (c.is_text) {
        out.Text(c.get_text(record), i + 1 < columns_.size() ? "," : "");
      } else {
        out.Num(c.width, c.get(record, c.element));
      }
    }
    out.EndLine();
  }

  // Reads the columns a file of `version` holds (pieces 1, 2, ...; piece 0
  // is the record number) into `record`, which starts as a default record.
  // False when a checked number or a reference is out of range.
  bool Read(const MemberLine& line, int version, int number, Record& record) const {
    int piece = 1;
    bool ok = true;
    for (const Column<Record>& c : columns_) {
      if (version < c.since) {
        if (c.older_text != nullptr) c.set_text(record, c.older_text(record));
        if (c.older_int != nullptr) c.set(record, c.element, c.older_int(record, c.element));
        continue;
      }
      if (c.is_text) {
        c.set_text(record, line.Text(piece++));
        continue;
      }
      const int value = line.Int(piece++);
      c.set(record, c.element, value);
      if (c.IsReference() && (value < 0 || value > c.ref.capacity)) ok = false;
      if (c.checked && !(c.null_record_exempt && number == 0) && (value < c.low || value > c.high))
        ok = false;
    }
    return ok;
  }

  // Calls `on(column)` for each reference column into table `table`.
  template <typename F>
  void ForEachReferenceTo(int table, F&& on) const {
    for (const Column<Record>& c : columns_) {
      if (c.ref.table == table) on(c);
    }
  }

 private:
  Column<Record>& last() { return columns_.back(); }

  std::vector<Column<Record>> columns_;
};

}  // namespace corvane
