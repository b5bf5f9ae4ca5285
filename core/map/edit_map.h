#pragma once
// The railway map while it is being drawn. Everything it holds can be read;
// it changes only through a MapChange, which records each user action, so
// that the modified mark, undo and "a refusal changes nothing" all come from
// that record. Opening a file or starting a new map replaces the whole
// content and forgets the record.

#include <any>
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "map/map_action.h"
#include "map/map_tables.h"

namespace corvane {

// End of a jump found under a pixel.
struct JumpEnd {
  int jump = 0;  // 0: none
  bool end_a = true;
};

struct MapExtent {
  int max_x = 0;
  int max_y = 0;
};

// Whoever keeps numbers of records (the editing session: selection, current
// station) is told of every record inserted or deleted as it happens, in
// changes, undo and redo alike, and of a content replaced as a whole.
class MapListener {
 public:
  virtual ~MapListener() = default;
  // Record `index` of `table` was inserted: later records moved up by one.
  virtual void RecordInserted(MapTable table, int index) = 0;
  // Record `index` of `table` was deleted: later records moved down by one.
  virtual void RecordDeleted(MapTable table, int index) = 0;
  // The map was opened, started anew or assigned.
  virtual void ContentReplaced() = 0;
  // The editor's own state that goes with the map (selection, current
  // station): taken before and after each action, given back with the map
  // by undo and redo.
  virtual std::any SaveEditorState() const { return {}; }
  virtual void RestoreEditorState(const std::any& state) { (void)state; }
};

// The action being recorded while changes of a map are open.
struct PendingMapAction {
  MapAction action;
  // Records whose image is kept already, per table (cleared when records of
  // the table move).
  std::array<std::vector<std::uint8_t>, kMapTableCount> touched;
  bool header_touched = false;
  int depth = 0;  // open MapChange objects
};

class EditMap {
 public:
  EditMap();
  EditMap(const EditMap& other);
  EditMap& operator=(const EditMap& other);

  // ------------------------------------------------------------ reading

  const MapContent& content() const { return content_; }
  const MapHeader& header() const { return content_.header; }
  const Table<MapRail>& rails() const { return content_.rails; }
  const Table<MapPoint>& points() const { return content_.points; }
  const Table<MapStation>& stations() const { return content_.stations; }
  const Table<MapTarget>& targets() const { return content_.targets; }
  const Table<MapStationDraw>& station_draws() const { return content_.station_draws; }
  const Table<MapJump>& jumps() const { return content_.jumps; }
  const Table<MapNameEntry>& Names(NameTable table) const { return content_.Names(table); }
  const Table<MapDetail>& details() const { return content_.details; }
  const Table<MapSignalType>& signal_types() const { return content_.signal_types; }
  const Table<SignalImageRecord>& images() const { return content_.images; }
  const Table<AspectColour>& colours() const { return content_.colours; }

  // ------------------------------------------------------------ the record of changes

  // True while the map differs from what was last opened, started or saved:
  // some action has been done since (or undone back past it).
  bool modified() const { return position_ != saved_position_; }

  // Opening a map or starting a new one: the content is replaced, the record
  // of changes forgotten, and the map is not modified.
  void Replace(MapContent content);
  // The map was written to its file: it is now of the current version and
  // not modified.
  void MarkSaved();

  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // The action Undo (Redo) would take back (do again), if any.
  const MapAction* NextUndo() const { return done_.empty() ? nullptr : &done_.back(); }
  const MapAction* NextRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
  // Takes back the last action (and keeps it for Redo); false when there is
  // none.
  bool Undo();
  bool Redo();
  // Takes back the last action for good, as if it had never been done.
  bool Withdraw();
  // The last action done, if any.
  const MapAction* LastAction() const { return NextUndo(); }
  // Makes the last two actions one (a run of moves by the arrow keys); false
  // when there are not two, or the map was saved between them.
  bool JoinLastTwo();
  // The name the next actions get in the Undo and Redo commands.
  void NameActions(std::string japanese, std::string english);
  // The most the kept actions may hold in memory; the oldest go first.
  void SetHistoryLimit(std::size_t bytes);
  std::size_t history_bytes() const { return done_bytes_; }
  // How many actions were ever committed (undo and redo do not count).
  std::int64_t actions_committed() const { return actions_committed_; }

  // The one listener; removing one that is no longer the listener does
  // nothing.
  void SetListener(MapListener* listener) { listener_ = listener; }
  void RemoveListener(const MapListener* listener) {
    if (listener_ == listener) listener_ = nullptr;
  }

  // ------------------------------------------------------------ questions

  // Hit tests on a pixel; `ignore` is a record number to skip (0 none).
  int RailAt(int px, int py, int ignore = 0) const;
  int PointAt(int px, int py, int ignore = 0) const;
  int StationDrawAt(int px, int py, int ignore = 0) const;
  JumpEnd JumpEndAt(int px, int py, int ignore = 0) const;

  // Free checks against the boxes of segments and points.
  bool GridPointFree(GridPoint p) const;
  bool BoxFree(int x1, int y1, int x2, int y2) const;

  // Connections at a grid point; first match in number order, or 0.
  int RailWithLeftEndAt(GridPoint p) const;
  int RailWithRightEndAt(GridPoint p) const;
  int PointWithLeftBranchAt(GridPoint p) const;
  int PointWithRightBranchAt(GridPoint p) const;

  // The segment continuing rightward (leftward) from `p`, following jumps;
  // a ring of jumps ends the search with 0.
  int RailContinuingRight(GridPoint p) const;
  int RailContinuingLeft(GridPoint p) const;

  // Largest column and row used by any segment, point, drawing or jump.
  MapExtent Extent() const;

  // Whether segment `rail` may be the start point: one of its ends continues
  // nowhere.
  bool CanBeStartRail(int rail) const;

 private:
  friend class MapChange;
  template <typename Record>
  friend class TableChange;

  using Pending = PendingMapAction;

  template <typename Record>
  Record& Touch(MapTable table, Table<Record>& records, int index);
  MapHeader& TouchHeader();
  template <typename Record>
  bool InsertRecord(MapTable table, Table<Record>& records, int index, const Record& record);
  void DeleteRecord(MapTable table, int index);
  void RemoveRecord(MapTable table, int index);
  void RenameJumps();
  void OpenChange();
  void CloseChange();
  void CancelChange();
  void AddToHistory(MapAction action);
  void TrimHistory();
  // Applies the reverse of `action`; returns what was applied.
  MapAction Revert(const MapAction& action);
  MapAction Reverted(const MapAction& action);
  MapAction Compacted(const MapAction& action, const std::array<bool, kMapTableCount>& moved) const;

  MapContent content_;
  std::optional<Pending> pending_;
  std::deque<MapAction> done_;
  std::vector<MapAction> undone_;
  std::size_t done_bytes_ = 0;
  // Actions applied since the content was replaced, and that count when the
  // map was last opened or saved (-1: a state no longer reachable).
  std::int64_t position_ = 0;
  std::int64_t saved_position_ = 0;
  std::int64_t actions_committed_ = 0;
  std::size_t history_limit_ = std::size_t{256} << 20;
  std::string action_name_japanese_;
  std::string action_name_english_;
  MapListener* listener_ = nullptr;
};

template <typename Record>
Record& EditMap::Touch(MapTable table, Table<Record>& records, int index) {
  Pending& pending = *pending_;
  std::vector<std::uint8_t>& touched = pending.touched[static_cast<std::size_t>(table)];
  const std::size_t slot = static_cast<std::size_t>(index);
  if (slot >= touched.size()) touched.resize(slot + 1, 0);
  if (!touched[slot]) {
    touched[slot] = 1;
    pending.action.Add(MapAction::OpKind::kModify, table, index, records[index]);
  }
  return records[index];
}

template <typename Record>
bool EditMap::InsertRecord(MapTable table, Table<Record>& records, int index,
                           const Record& record) {
  if (!records.Insert(index, record)) return false;
  if (listener_ != nullptr) listener_->RecordInserted(table, index);
  Pending& pending = *pending_;
  pending.action.AddInsert(table, index);
  pending.touched[static_cast<std::size_t>(table)].clear();
  if (table == MapTable::kJump) RenameJumps();
  return true;
}

}  // namespace corvane
