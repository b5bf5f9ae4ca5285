#include "map/edit_map.h"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <utility>

namespace corvane {

namespace {

// The record of changes keeps at most this many actions, and drops the
// oldest once they hold more than this many bytes.

// Which crossing slots exist, by kind 3..8.
constexpr int kCrossingBranchTable[6][4] = {
    {1, 1, 1, 1},  // 3
    {1, 0, 1, 1},  // 4
    {1, 1, 0, 1},  // 5
    {0, 1, 1, 0},  // 6
    {1, 1, 1, 0},  // 7
    {0, 1, 1, 1},  // 8
};

}  // namespace

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

int ClampToGrid(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, -kGridLimit + 1, kGridLimit - 1));
}

GridPoint SnapToGrid(int px, int py) {
  return {ClampToGrid((std::int64_t{px} + kCellWidth / 2) / kCellWidth),
          ClampToGrid((std::int64_t{py} + kCellHeight / 2) / kCellHeight)};
}

MapRail NewRail(GridPoint a, GridPoint b, int direction) {
  MapRail rail;
  SetRailEnds(rail, a, b);
  rail.direction = direction;
  rail.length = ClampToInt((std::int64_t{rail.x2} - rail.x1) * 100);
  return rail;
}

void SetRailEnds(MapRail& rail, GridPoint a, GridPoint b) {
  if (b.x < a.x) std::swap(a, b);
  const std::int64_t top = std::int64_t{std::min(a.y, b.y)} - 1;
  rail.x1 = a.x;
  rail.x2 = b.x;
  rail.y1 = ClampToInt(top);
  rail.y2 = ClampToInt(std::int64_t{std::max(a.y, b.y)} + 1);
  rail.left_dy = ClampToInt(a.y - top);
  rail.right_dy = ClampToInt(b.y - top);
}

bool BranchExists(const MapPoint& point, int branch) {
  if (branch < 1 || branch >= kMaxBranches || branch > point.branch_count) return false;
  if (point.kind == kTurnoutJointLeft || point.kind == kTurnoutJointRight) return true;
  if (!point.IsCrossing() || branch > 4) return false;
  return kCrossingBranchTable[point.kind - kCrossingFirst][branch - 1] != 0;
}

int UsedBranchSlots(const MapPoint& point) {
  return std::clamp(point.branch_count, 0, kMaxBranches - 1);
}

Refusal FullTableRefusal(MapTable table) {
  switch (table) {
    case MapTable::kStation:
    case MapTable::kTarget:
      return {"これ以上は追加できません。", "操作エラー"};
    default:
      return {"これ以上増やせません。", "サイズエラー"};
  }
}

std::string JumpNameFor(int number, int count) {
  if (number < 1) return "";
  if (count <= 36 && number <= 36) {
    const char c =
        number <= 26 ? static_cast<char>('A' + number - 1) : static_cast<char>('0' + number - 27);
    return std::string(1, c);
  }
  if (number <= 26 * 26) {
    const int i = number - 1;
    return {static_cast<char>('A' + i / 26), static_cast<char>('A' + i % 26)};
  }
  const int i = number - 26 * 26 - 1;
  if (i >= 26 * 26 * 26) return "";
  return {static_cast<char>('A' + i / (26 * 26)), static_cast<char>('A' + i / 26 % 26),
          static_cast<char>('A' + i % 26)};
}

EditMap::EditMap() : content_(NewMapContent()) {}

// A copy takes the content and the record of changes, not the listener of
// the original's editing session.
EditMap::EditMap(const EditMap& other)
    : content_(other.content_),
      done_(other.done_),
      undone_(other.undone_),
      done_bytes_(other.done_bytes_),
      position_(other.position_),
      saved_position_(other.saved_position_),
      actions_committed_(other.actions_committed_) {}

EditMap& EditMap::operator=(const EditMap& other) {
  if (this == &other) return *this;
  content_ = other.content_;
  pending_.reset();
  done_ = other.done_;
  undone_ = other.undone_;
  done_bytes_ = other.done_bytes_;
  position_ = other.position_;
  saved_position_ = other.saved_position_;
  actions_committed_ = other.actions_committed_;
  if (listener_ != nullptr) listener_->ContentReplaced();
  return *this;
}

void EditMap::Replace(MapContent content) {
  content_ = std::move(content);
  pending_.reset();
  done_.clear();
  undone_.clear();
  done_bytes_ = 0;
  position_ = 0;
  saved_position_ = 0;
  if (listener_ != nullptr) listener_->ContentReplaced();
}

void EditMap::MarkSaved() {
  content_.header.version = kMapVersion;
  saved_position_ = position_;
}

// The action that takes `action` back, with its name and the editor's
// states around it.
MapAction EditMap::Reverted(const MapAction& action) {
  MapAction reverse = Revert(action);
  reverse.name_japanese = action.name_japanese;
  reverse.name_english = action.name_english;
  reverse.state_before = action.state_before;
  reverse.state_after = action.state_after;
  return reverse;
}

bool EditMap::Undo() {
  if (done_.empty() || pending_) return false;
  MapAction action = std::move(done_.back());
  done_.pop_back();
  done_bytes_ -= action.bytes();
  MapAction redo = Reverted(action);
  --position_;
  if (listener_ != nullptr) listener_->RestoreEditorState(action.state_before);
  undone_.push_back(std::move(redo));
  return true;
}

bool EditMap::Redo() {
  if (undone_.empty() || pending_) return false;
  MapAction action = std::move(undone_.back());
  undone_.pop_back();
  MapAction undo = Reverted(action);
  ++position_;
  if (listener_ != nullptr) listener_->RestoreEditorState(action.state_after);
  done_bytes_ += undo.bytes();
  done_.push_back(std::move(undo));
  return true;
}

bool EditMap::JoinLastTwo() {
  // A save between the two must stay reachable.
  if (done_.size() < 2 || pending_ || saved_position_ == position_ - 1) return false;
  MapAction last = std::move(done_.back());
  done_.pop_back();
  done_bytes_ -= last.bytes() + done_.back().bytes();
  done_.back().Append(last);
  done_bytes_ += done_.back().bytes();
  --position_;
  if (saved_position_ == position_ + 1) saved_position_ = position_;
  return true;
}

void EditMap::SetHistoryLimit(std::size_t bytes) {
  history_limit_ = bytes;
  TrimHistory();
}

void EditMap::TrimHistory() {
  while (done_.size() > 1 && done_bytes_ > history_limit_) {
    done_bytes_ -= done_.front().bytes();
    done_.pop_front();
  }
}

bool EditMap::Withdraw() {
  if (!Undo()) return false;
  undone_.pop_back();
  // The state after the withdrawn action can no longer come back.
  if (saved_position_ > position_) saved_position_ = -1;
  return true;
}

void EditMap::AddToHistory(MapAction action) {
  // A new action makes the undone ones unreachable, and with them a saved
  // state among them.
  undone_.clear();
  if (saved_position_ > position_) saved_position_ = -1;
  ++position_;
  ++actions_committed_;
  done_bytes_ += action.bytes();
  done_.push_back(std::move(action));
  TrimHistory();
}

MapAction EditMap::Revert(const MapAction& action) {
  using Kind = MapAction::OpKind;
  MapAction applied;
  const auto& ops = action.ops();
  for (auto op = ops.rbegin(); op != ops.rend(); ++op) {
    if (op->kind == Kind::kHeader) {
      // The file version belongs to the file, not to the action.
      const int version = content_.header.version;
      if (op->patched) {
        action.ApplyPatch(*op, content_.header, applied);
      } else {
        applied.Add(Kind::kHeader, op->table, 0, content_.header);
        content_.header = action.Image<MapHeader>(*op);
      }
      content_.header.version = version;
      continue;
    }
    WithMapTable(content_, op->table, [&](auto& records, const auto*) {
      using Record = typename std::decay_t<decltype(records)>::value_type;
      switch (op->kind) {
        case Kind::kModify:
          if (op->patched) {
            action.ApplyPatch(*op, records[op->index], applied);
          } else {
            applied.Add(Kind::kModify, op->table, op->index, records[op->index]);
            records[op->index] = action.Image<Record>(*op);
          }
          break;
        case Kind::kInsert:
          applied.Add(Kind::kDelete, op->table, op->index, records[op->index]);
          records.Delete(op->index);
          if (listener_ != nullptr) listener_->RecordDeleted(op->table, op->index);
          break;
        case Kind::kDelete:
          records.Insert(op->index, action.Image<Record>(*op));
          applied.AddInsert(op->table, op->index);
          if (listener_ != nullptr) listener_->RecordInserted(op->table, op->index);
          break;
        case Kind::kHeader:
          break;
      }
    });
  }
  return applied;
}

void EditMap::OpenChange() {
  if (!pending_) {
    pending_.emplace();
    if (listener_ != nullptr) pending_->action.state_before = listener_->SaveEditorState();
  }
  ++pending_->depth;
}

void EditMap::NameActions(std::string japanese, std::string english) {
  action_name_japanese_ = std::move(japanese);
  action_name_english_ = std::move(english);
}

// Keeps of each changed record only the bytes the action changed, where the
// record's number still names it (no record of its table moved).
MapAction EditMap::Compacted(const MapAction& action,
                             const std::array<bool, kMapTableCount>& moved) const {
  using Kind = MapAction::OpKind;
  MapAction compact;
  for (const MapAction::Op& op : action.ops()) {
    if (op.kind == Kind::kHeader) {
      compact.AddPatch(Kind::kHeader, op.table, 0, action.Image<MapHeader>(op), content_.header);
      continue;
    }
    WithMapTable(content_, op.table, [&](const auto& records, const auto*) {
      using Record = typename std::decay_t<decltype(records)>::value_type;
      if (op.kind == Kind::kInsert) {
        compact.AddInsert(op.table, op.index);
      } else if (op.kind == Kind::kModify && !moved[static_cast<std::size_t>(op.table)]) {
        compact.AddPatch(Kind::kModify, op.table, op.index, action.Image<Record>(op),
                         records[op.index]);
      } else {
        compact.Add(op.kind, op.table, op.index, action.Image<Record>(op));
      }
    });
  }
  compact.state_before = action.state_before;
  return compact;
}

void EditMap::CloseChange() {
  if (!pending_ || --pending_->depth > 0) return;
  MapAction action = std::move(pending_->action);
  pending_.reset();
  // Changes that came to nothing are no changes: a record handed out and
  // left as it was, unless records of its table moved meanwhile (then its
  // number no longer says which record it was).
  std::array<bool, kMapTableCount> moved{};
  for (const MapAction::Op& op : action.ops()) {
    if (op.kind == MapAction::OpKind::kInsert || op.kind == MapAction::OpKind::kDelete) {
      moved[static_cast<std::size_t>(op.table)] = true;
    }
  }
  action.DropOps([&](const MapAction::Op& op) {
    if (op.kind == MapAction::OpKind::kHeader) {
      // What the last walk met is no change of the map.
      MapHeader before = action.Image<MapHeader>(op);
      before.first_station = content_.header.first_station;
      before.first_target = content_.header.first_target;
      return before == content_.header;
    }
    if (op.kind != MapAction::OpKind::kModify || moved[static_cast<std::size_t>(op.table)]) {
      return false;
    }
    return WithMapTable(content_, op.table, [&](auto& records, const auto*) {
      using Record = typename std::decay_t<decltype(records)>::value_type;
      return action.Image<Record>(op) == records[op.index];
    });
  });
  if (action.empty()) return;
  MapAction compact = Compacted(action, moved);
  compact.name_japanese = action_name_japanese_;
  compact.name_english = action_name_english_;
  if (listener_ != nullptr) compact.state_after = listener_->SaveEditorState();
  AddToHistory(std::move(compact));
}

void EditMap::CancelChange() {
  if (!pending_) return;
  Revert(pending_->action);
  const int depth = pending_->depth;
  pending_.emplace();
  pending_->depth = depth;
}

}  // namespace corvane
