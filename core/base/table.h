#pragma once
// The 1-based, fixed-capacity record table used by every model: record 0 is a
// null record, the count is the index of the last record, appending is refused
// when full and deleting moves the later records down (the owner renumbers the
// references to them).

#include <cassert>
#include <climits>
#include <cstddef>
#include <utility>
#include <vector>

namespace corvane {

// Capacity of a list that grows without a fixed bound.
inline constexpr int kUnboundedTable = INT_MAX - 1;

template <typename Record>
class Table {
 public:
  using value_type = Record;

  explicit Table(int capacity) : capacity_(capacity), records_(1) {}

  int count() const { return count_; }
  // Makes room for records 0..`count` at once (a table about to be filled).
  void Reserve(int count) { records_.reserve(static_cast<std::size_t>(count) + 1); }
  int capacity() const { return capacity_; }
  bool full() const { return count_ >= capacity_; }
  bool empty() const { return count_ == 0; }
  // True for 1..count: a number that names an existing record.
  bool Contains(int index) const { return index >= 1 && index <= count_; }
  // True for 0..capacity: a number a record may be stored under.
  bool InRange(int index) const { return index >= 0 && index <= capacity_; }
  // Lets the table hold at least `capacity` records (it never shrinks): a
  // table sized from a file's counts that a command fills anew.
  void Grow(int capacity) {
    if (capacity > capacity_) capacity_ = capacity;
  }

  // Records 0..count; asserting bounds keeps a bad index from going unnoticed
  // in tests while the checks at the file boundary keep bad numbers out.
  Record& operator[](int index) {
    assert(index >= 0 && index < static_cast<int>(records_.size()));
    return records_[static_cast<std::size_t>(index)];
  }
  const Record& operator[](int index) const {
    assert(index >= 0 && index < static_cast<int>(records_.size()));
    return records_[static_cast<std::size_t>(index)];
  }

  // Appends `record` as number count + 1 and returns that number, or 0 when
  // the table is full (nothing is changed then). The record is taken by
  // value, so it may be one of the table's own (growing moves them).
  int Append(Record record) {
    if (full()) return 0;
    Store(count_ + 1, std::move(record));
    return count_;
  }

  // Stores `record` under `index` (0..capacity), growing the count to it when
  // it lies beyond; records between keep whatever they held. Returns false
  // for an index out of range.
  bool Store(int index, Record record) {
    if (!InRange(index)) return false;
    Slot(index) = std::move(record);
    if (index > count_) count_ = index;
    return true;
  }

  // The slot for `index` (0..capacity), made available without changing the
  // count; readers fill a record in place and then call Store or SetCount.
  Record& Slot(int index) {
    assert(InRange(index));
    if (static_cast<std::size_t>(index) >= records_.size()) {
      records_.resize(static_cast<std::size_t>(index) + 1);
    }
    return records_[static_cast<std::size_t>(index)];
  }

  // Inserts `record` as number `index` (1..count + 1): later records move up
  // by one. False when the table is full or the number is out of range.
  bool Insert(int index, Record record) {
    if (full() || index < 1 || index > count_ + 1) return false;
    Slot(count_ + 1);
    for (int i = count_ + 1; i > index; --i) records_[i] = std::move(records_[i - 1]);
    records_[index] = std::move(record);
    ++count_;
    return true;
  }

  // Deletes record `index` (1..count): later records move down by one and the
  // freed last slot becomes a null record.
  void Delete(int index) {
    if (!Contains(index)) return;
    for (int i = index; i < count_; ++i) records_[i] = std::move(records_[i + 1]);
    records_[count_] = Record{};
    --count_;
  }

  // Sets the count without touching the records (0..capacity); slots up to the
  // new count exist afterwards.
  void SetCount(int count) {
    assert(InRange(count));
    if (static_cast<std::size_t>(count) >= records_.size()) Slot(count);
    count_ = count;
  }

  // Empties the table and resets every record, the null record included.
  void Clear() {
    records_.assign(1, Record{});
    count_ = 0;
  }

  // Records 1..count, for range-based loops.
  Record* begin() { return records_.data() + 1; }
  Record* end() { return records_.data() + 1 + count_; }
  const Record* begin() const { return records_.data() + 1; }
  const Record* end() const { return records_.data() + 1 + count_; }

 private:
  int capacity_;
  int count_ = 0;
  std::vector<Record> records_;
};

}  // namespace corvane
