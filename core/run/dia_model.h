#pragma once
// The loaded dia data as the program works on it: the stored records (as
// the file holds them), the run-time values beside them, and the record of
// changes. Everything can be read; it changes only through a DiaChange,
// which records what each user action changed, so that the modified mark
// and "a refusal changes nothing" both come from that record. Every change,
// replacement and save is told to any number of listeners (the display
// windows, the main window, the message window), so that each redraws from
// one signal. Opening a file or taking a compiled map replaces the whole
// data and forgets the record: it is no change of the user's.

#include <any>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "base/listeners.h"
#include "data/dia_file.h"
#include "run/dia_table.h"
#include "run/run_state.h"

namespace corvane {

class DiaChange;

// What one user action changed in the stored records, in the order it
// happened, each with what was there before.
class DiaAction {
 public:
  enum class OpKind : unsigned char {
    kModify,  // record `index` was changed; it was as the image says
    kInsert,  // a record was inserted as `index`
    kDelete,  // record `index` was deleted; the image holds it
    kWhole,   // a value changed as a whole (`index` 0); it was as the image says
  };
  struct Op {
    OpKind kind;
    DiaTable table;
    int index;
    std::any image;
  };

  const std::vector<Op>& ops() const { return ops_; }
  bool empty() const { return ops_.empty(); }
  // Whether anything of `table` changed.
  bool Changed(DiaTable table) const;
  // The numbers of the records of `table` that were changed, inserted or
  // deleted, in the order it happened, each once.
  std::vector<int> Records(DiaTable table) const;
  // Roughly what the action holds in memory.
  std::size_t bytes() const { return bytes_; }

  void Add(OpKind kind, DiaTable table, int index, std::any image, std::size_t image_bytes) {
    ops_.push_back({kind, table, index, std::move(image)});
    bytes_ += sizeof(Op) + image_bytes;
  }
  template <typename Pred>
  void DropOps(Pred unchanged) {
    std::erase_if(ops_, unchanged);
  }

 private:
  std::vector<Op> ops_;
  std::size_t bytes_ = sizeof(DiaAction);
};

enum class DiaEventKind {
  kChanged,   // an action changed stored records, run-time values or both
  kReplaced,  // other data was opened or compiled: everything is new
  kSaved,     // the data was written to its file: no longer modified
};

struct DiaEvent {
  DiaEventKind kind = DiaEventKind::kChanged;
  // kChanged: the stored records the action changed; null when it changed
  // run-time values only. Valid while the event is delivered.
  const DiaAction* action = nullptr;
  // Run-time values changed (always with kReplaced: they were built anew).
  bool run_state = false;
  // kChanged by SetDisplayWindow: what display window `display_window`
  // shows (its view options, font, open state) changed, nothing else; -1
  // for every other event.
  int display_window = -1;

  // Stored records changed: the data is modified.
  bool data() const { return action != nullptr && !action->empty(); }
  // Only what is shown changed (run-time values): the windows redraw, the
  // data is not modified.
  bool view_only() const { return kind == DiaEventKind::kChanged && !data(); }
  // Whether what is shown of `table` may have changed.
  bool Touches(DiaTable table) const {
    return kind == DiaEventKind::kReplaced || (action != nullptr && action->Changed(table));
  }
};

// The action a DiaModel records while DiaChange objects are open on it.
struct PendingDiaAction {
  DiaAction action;
  // Records whose image is kept already, per table (cleared when records
  // of the table move), and the values kept whole.
  std::array<std::vector<std::uint8_t>, kDiaTableCount> touched;
  std::array<bool, kDiaTableCount> whole_touched{};
  std::optional<RunState> run_before;
  int depth = 0;  // open DiaChange objects
};

class DiaModel {
 public:
  using Subscription = Listeners<DiaEvent>::Subscription;

  DiaModel();
  DiaModel(const DiaModel&) = delete;
  DiaModel& operator=(const DiaModel&) = delete;

  // ------------------------------------------------------------ reading

  const DiaFile& file() const { return file_; }
  const DiaHeader& header() const { return file_.header; }
  const SystemMap& map() const { return file_.map; }
  const DiaData& dia() const { return file_.dia; }
  const RunState& run() const { return run_; }
  // The display windows' sections: open state, place, view and font.
  const WindowSections& windows() const { return file_.windows; }

  // ------------------------------------------------------------ the display windows

  // Window `n` (0..15; others are ignored) takes `section`: the views
  // travel with the data file but are no change of the data (the data does
  // not become modified, Cancel and the record of changes leave them
  // alone). Window 00 stays open. Listeners are told (`display_window`)
  // when anything other than the place changed.
  void SetDisplayWindow(int n, const DisplayWindowSection& section);

  // ------------------------------------------------------------ the record of changes

  // True while the data differs from what was last opened, compiled or
  // saved: some action changed stored records since.
  bool modified() const { return position_ != saved_position_; }

  // Other data opened or compiled: the stored records are replaced, the
  // run-time values built from them (BuildRunState), the record forgotten;
  // the data is not modified.
  void Replace(DiaFile file);
  // The same, with `initialise` bringing the new data into its working
  // state as part of opening it: what it changes is no action of the
  // user's (the data stays unmodified, nothing of it can be taken back).
  void Replace(DiaFile file, const std::function<void(DiaChange&)>& initialise);
  // The last step of opening, after the load checks worked on the data as
  // read: `initialise` brings it into its working state as Replace's does
  // (nothing recorded, the modified mark as it is); listeners are told as
  // of new data.
  void Initialise(const std::function<void(DiaChange&)>& initialise);
  // The data was written to its file: it is now of the current version and
  // not modified.
  void MarkSaved();

  // The last action kept, if any.
  const DiaAction* LastAction() const { return done_.empty() ? nullptr : &done_.back(); }
  // How many actions changed stored records since the data was replaced.
  std::int64_t actions_committed() const { return position_; }
  // The most the kept actions may hold in memory; the oldest go first (the
  // last one always stays).
  void SetHistoryLimit(std::size_t bytes);
  std::size_t history_bytes() const { return done_bytes_; }

  // `listener` is called after every action that changed something, every
  // replacement and every save, until the subscription ends.
  [[nodiscard]] Subscription Listen(Listeners<DiaEvent>::Callback listener) {
    return listeners_.Add(std::move(listener));
  }

 private:
  friend class DiaChange;
  template <typename Record>
  friend class DiaTableChange;

  using Pending = PendingDiaAction;

  template <typename Record>
  Record& Touch(DiaTable table, Table<Record>& records, int index);
  template <typename Value>
  Value& TouchWhole(DiaTable table, Value& value);
  RunState& TouchRun();
  template <typename Record>
  bool InsertRecord(DiaTable table, Table<Record>& records, int index, const Record& record);
  template <typename Record>
  void DeleteRecord(DiaTable table, Table<Record>& records, int index);
  // Runs `initialise` through a change that records nothing.
  void RunUnrecorded(const std::function<void(DiaChange&)>& initialise);
  void NotifyReplaced();
  void OpenChange();
  void CloseChange();
  void CancelChange();
  // Whether `op` left its record or value as it was.
  bool CameToNothing(const DiaAction::Op& op) const;
  // Applies the reverse of `action`.
  void Revert(const DiaAction& action);
  void AddToHistory(DiaAction action);

  DiaFile file_;
  RunState run_;
  std::optional<Pending> pending_;
  bool initialising_ = false;  // Replace's initialisation runs: nothing is recorded
  std::deque<DiaAction> done_;
  std::size_t done_bytes_ = 0;
  std::size_t history_limit_ = std::size_t{64} << 20;
  // Actions committed since the data was replaced, and that count when it
  // was last saved.
  std::int64_t position_ = 0;
  std::int64_t saved_position_ = 0;
  Listeners<DiaEvent> listeners_;
};

// Roughly the memory an image of `value` holds.
template <typename T>
std::size_t ImageBytes(const T& value) {
  if constexpr (requires {
                  value.capacity();
                  typename T::value_type;
                }) {
    return sizeof(T) + value.capacity() * sizeof(typename T::value_type);
  } else {
    return sizeof(T);
  }
}

template <typename Record>
Record& DiaModel::Touch(DiaTable table, Table<Record>& records, int index) {
  Pending& pending = *pending_;
  std::vector<std::uint8_t>& touched = pending.touched[static_cast<std::size_t>(table)];
  const auto slot = static_cast<std::size_t>(index);
  if (slot >= touched.size()) touched.resize(slot + 1, 0);
  if (!touched[slot]) {
    touched[slot] = 1;
    pending.action.Add(DiaAction::OpKind::kModify, table, index, records[index],
                       ImageBytes(records[index]));
  }
  return records[index];
}

template <typename Value>
Value& DiaModel::TouchWhole(DiaTable table, Value& value) {
  Pending& pending = *pending_;
  bool& touched = pending.whole_touched[static_cast<std::size_t>(table)];
  if (!touched) {
    touched = true;
    pending.action.Add(DiaAction::OpKind::kWhole, table, 0, value, ImageBytes(value));
  }
  return value;
}

template <typename Record>
bool DiaModel::InsertRecord(DiaTable table, Table<Record>& records, int index,
                            const Record& record) {
  if (!records.Insert(index, record)) return false;
  if (HasRunList(table)) TouchRun().RecordInserted(table, index);
  Pending& pending = *pending_;
  pending.action.Add(DiaAction::OpKind::kInsert, table, index, {}, 0);
  pending.touched[static_cast<std::size_t>(table)].clear();
  return true;
}

template <typename Record>
void DiaModel::DeleteRecord(DiaTable table, Table<Record>& records, int index) {
  if (!records.Contains(index)) return;
  Pending& pending = *pending_;
  pending.action.Add(DiaAction::OpKind::kDelete, table, index, records[index],
                     ImageBytes(records[index]));
  records.Delete(index);
  if (HasRunList(table)) TouchRun().RecordDeleted(table, index);
  pending.touched[static_cast<std::size_t>(table)].clear();
}

}  // namespace corvane
