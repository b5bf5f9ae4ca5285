#pragma once
// The handlers of the members that are one table or list each, described by
// the column description of their records: numbered rows read into and
// written from a table, or the entries of a list in order. Shared by the
// compiled map's members and the timetable's.

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/member_text.h"
#include "base/record_format.h"
#include "base/table.h"
#include "data/dia_members.h"

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

// ------------------------------------------------------------ references

// The reference columns of a description that the reader checks, with the
// highest number each may hold in `file`.
template <typename Record>
class RowReferences {
 public:
  RowReferences(const RecordFormat<Record>& format, const DiaFile& file) {
    for (const Column<Record>& c : format.columns()) {
      if (c.ref.check == RefCheck::kAsStored) continue;
      checked_.emplace_back(&c,
                            HandlerOf(static_cast<DiaMember>(c.ref.table)).HighestReferable(file));
    }
  }

  // False with `*what` telling the first reference of `record` that names
  // no record ("no such station", "a link to no rail").
  bool Check(const Record& record, std::string* what) const {
    for (const auto& [column, highest] : checked_) {
      if (ReferenceHolds(column->ref.check, column->Get(record), highest)) continue;
      *what = Refusal(column->ref);
      return false;
    }
    return true;
  }

 private:
  static std::string Refusal(const TableRef& ref) {
    if (ref.problem != nullptr) return ref.problem;
    const char* record = HandlerOf(static_cast<DiaMember>(ref.table)).info().record;
    return std::string(ref.check == RefCheck::kLink ? "a link to no " : "no such ") + record;
  }

  std::vector<std::pair<const Column<Record>*, int>> checked_;
};

// ------------------------------------------------------------ handlers

template <typename T>
struct PartFieldTraits;
template <typename Part, typename T>
struct PartFieldTraits<T Part::*> {
  using PartType = Part;
  using Type = T;
};

// The table or list `Field` (a field of SystemMap or of DiaData) of `file`.
template <auto Field, typename File>
auto& PartField(File& file) {
  using Part = typename PartFieldTraits<decltype(Field)>::PartType;
  if constexpr (std::is_same_v<Part, SystemMap>) {
    return file.map.*Field;
  } else {
    static_assert(std::is_same_v<Part, DiaData>);
    return file.dia.*Field;
  }
}

// A member holding the numbered rows of the table `Field`. Members with more
// to them derive from it and change what they must.
template <auto Field>
class TableMember : public DiaMemberHandler {
 public:
  using Records = typename PartFieldTraits<decltype(Field)>::Type;
  using Record = typename Records::value_type;

  TableMember(const DiaMemberInfo& info, const RecordFormat<Record>& format, RowZero row_zero,
              int number_width)
      : DiaMemberHandler(info), format_(format), row_zero_(row_zero), number_width_(number_width) {}

  bool CheckReferences(const DiaFile& file, std::string* problem) const override {
    return CheckRows(file, problem, [](const Record&, std::string*) { return true; });
  }
  std::size_t Listed(const DiaFile& file) const override {
    return static_cast<std::size_t>(PartField<Field>(file).count());
  }
  int HighestReferable(const DiaFile& file) const override {
    const Records& records = PartField<Field>(file);
    return info().referable_to_room ? records.capacity() : records.count();
  }

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    WriteNumberedRows(PartField<Field>(file), format_, row_zero_, number_width_, out);
  }
  bool ReadRows(std::string_view text, int version, DiaFile& file,
                std::string* problem) const override {
    Records& records = PartField<Field>(file);
    if (!ReadNumberedRows(text, version, format_, row_zero_, records, problem)) return false;
    AfterRead(records, version);
    return true;
  }

  // What the reader makes of the rows read (values older data lacks the
  // meaning of, values kept otherwise in memory).
  virtual void AfterRead(Records& /*records*/, int /*version*/) const {}
  // Whether the references of a record are checked (a record holding data).
  virtual bool Checked(const Record& /*record*/) const { return true; }

  // The references of every record checked: its columns', then those
  // `more(record, &what)` finds beyond them.
  template <typename More>
  bool CheckRows(const DiaFile& file, std::string* problem, More&& more) const {
    const Records& records = PartField<Field>(file);
    const RowReferences<Record> references(format_, file);
    std::string what;
    for (int i = 1; i <= records.count(); ++i) {
      if (!Checked(records[i])) continue;
      if (!references.Check(records[i], &what) || !more(records[i], &what)) {
        *problem = RecordProblem(info().record, i, what);
        return false;
      }
    }
    return true;
  }

  const RecordFormat<Record>& format() const { return format_; }
  int number_width() const { return number_width_; }

 private:
  const RecordFormat<Record>& format_;
  RowZero row_zero_;
  int number_width_;
};

// A member holding the entries of the list `Field` (a std::vector) in order:
// each row numbered from 1 when `number_width` is not 0 (the numbers are not
// read back), the list ended in the member by the first entry that `ends`
// says closes it (not written, and nothing after it read).
template <auto Field>
class ListMember : public DiaMemberHandler {
 public:
  using Entries = typename PartFieldTraits<decltype(Field)>::Type;
  using Entry = typename Entries::value_type;

  ListMember(const DiaMemberInfo& info, const RecordFormat<Entry>& format, int number_width,
             bool (*ends)(const Entry&) = nullptr)
      : DiaMemberHandler(info), format_(format), number_width_(number_width), ends_(ends) {}

  bool CheckReferences(const DiaFile& file, std::string* problem) const override {
    const Entries& entries = PartField<Field>(file);
    const RowReferences<Entry> references(format_, file);
    std::string what;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (!references.Check(entries[i], &what)) {
        *problem = RecordProblem(info().record, static_cast<int>(i) + 1, what);
        return false;
      }
    }
    return true;
  }
  std::size_t Listed(const DiaFile& file) const override { return PartField<Field>(file).size(); }
  int HighestReferable(const DiaFile& file) const override {
    return static_cast<int>(PartField<Field>(file).size());
  }

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    const Entries& entries = PartField<Field>(file);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (number_width_ == 0) {
        format_.WriteFields(entries[i], out);
      } else {
        format_.Write(static_cast<int>(i) + 1, entries[i], number_width_, out);
      }
    }
  }
  bool ReadRows(std::string_view text, int version, DiaFile& file,
                std::string* problem) const override {
    Entries& entries = PartField<Field>(file);
    entries.clear();
    const int first_piece = number_width_ == 0 ? 0 : 1;
    bool ended = false;
    bool ok = true;
    int line_number = 0;
    ForEachMemberLine(text, [&](const MemberLine& line) {
      ++line_number;
      if (ended || !ok) return;
      Entry entry;
      OutOfRange out_of_range;
      const int number = first_piece == 0 ? 0 : line.Int(0);
      const bool usable = format_.Read(line, version, number, entry, first_piece, &out_of_range);
      if (ends_ != nullptr && ends_(entry)) {
        ended = true;
        return;
      }
      if (!usable) {
        *problem = LineProblem(line_number, out_of_range.Text());
        ok = false;
        return;
      }
      entries.push_back(entry);
    });
    return ok;
  }

 private:
  const RecordFormat<Entry>& format_;
  int number_width_;
  bool (*ends_)(const Entry&);
};

}  // namespace corvane
