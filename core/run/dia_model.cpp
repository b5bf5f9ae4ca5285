#include "run/dia_model.h"

#include <algorithm>
#include <type_traits>

#include "run/dia_change.h"

namespace corvane {

bool DiaAction::Changed(DiaTable table) const {
  return std::any_of(ops_.begin(), ops_.end(), [table](const Op& op) { return op.table == table; });
}

std::vector<int> DiaAction::Records(DiaTable table) const {
  std::vector<int> records;
  for (const Op& op : ops_) {
    if (op.table != table || op.kind == OpKind::kWhole) continue;
    if (std::find(records.begin(), records.end(), op.index) == records.end()) {
      records.push_back(op.index);
    }
  }
  return records;
}

DiaModel::DiaModel() : run_(BuildRunState(file_)) {}

void DiaModel::Replace(DiaFile file) { Replace(std::move(file), nullptr); }

void DiaModel::Replace(DiaFile file, const std::function<void(DiaChange&)>& initialise) {
  file_ = std::move(file);
  run_ = BuildRunState(file_);
  pending_.reset();
  RunUnrecorded(initialise);
  done_.clear();
  done_bytes_ = 0;
  position_ = 0;
  saved_position_ = 0;
  NotifyReplaced();
}

void DiaModel::Initialise(const std::function<void(DiaChange&)>& initialise) {
  RunUnrecorded(initialise);
  NotifyReplaced();
}

void DiaModel::RunUnrecorded(const std::function<void(DiaChange&)>& initialise) {
  if (!initialise) return;
  initialising_ = true;
  {
    DiaChange change(*this);
    initialise(change);
  }
  initialising_ = false;
}

void DiaModel::NotifyReplaced() {
  DiaEvent event;
  event.kind = DiaEventKind::kReplaced;
  event.run_state = true;
  listeners_.Notify(event);
}

void DiaModel::MarkSaved() {
  file_.header.version = kDiaVersion;
  saved_position_ = position_;
  DiaEvent event;
  event.kind = DiaEventKind::kSaved;
  listeners_.Notify(event);
}

void DiaModel::SetDisplayWindow(int n, const DisplayWindowSection& section) {
  if (n < 0 || n >= kDisplayWindows) return;
  DisplayWindowSection& window = file_.windows[static_cast<std::size_t>(n)];
  DisplayWindowSection taken = section;
  if (n == 0) taken.open = true;
  const bool shown_changed =
      taken.open != window.open || taken.view != window.view || taken.font != window.font;
  window = taken;
  if (!shown_changed) return;
  DiaEvent event;
  event.display_window = n;
  listeners_.Notify(event);
}

void DiaModel::SetHistoryLimit(std::size_t bytes) {
  history_limit_ = bytes;
  while (done_.size() > 1 && done_bytes_ > history_limit_) {
    done_bytes_ -= done_.front().bytes();
    done_.pop_front();
  }
}

void DiaModel::AddToHistory(DiaAction action) {
  done_bytes_ += action.bytes();
  done_.push_back(std::move(action));
  SetHistoryLimit(history_limit_);
}

RunState& DiaModel::TouchRun() {
  Pending& pending = *pending_;
  if (!pending.run_before) pending.run_before = run_;
  return run_;
}

void DiaModel::OpenChange() {
  if (!pending_) pending_.emplace();
  ++pending_->depth;
}

bool DiaModel::CameToNothing(const DiaAction::Op& op) const {
  return WithDiaTable(file_, op.table, [&op](const auto& part) {
    using Part = std::decay_t<decltype(part)>;
    if constexpr (kIsRecordTable<Part>) {
      using Record = typename Part::value_type;
      return std::any_cast<const Record&>(op.image) == part[op.index];
    } else {
      return std::any_cast<const Part&>(op.image) == part;
    }
  });
}

void DiaModel::CloseChange() {
  if (!pending_ || --pending_->depth > 0) return;
  Pending pending = std::move(*pending_);
  pending_.reset();
  if (initialising_) return;
  DiaAction& action = pending.action;
  // A record handed out and left as it was is no change, unless records of
  // its table moved meanwhile (then its number no longer says which record
  // it was).
  std::array<bool, kDiaTableCount> moved{};
  for (const DiaAction::Op& op : action.ops()) {
    if (op.kind == DiaAction::OpKind::kInsert || op.kind == DiaAction::OpKind::kDelete) {
      moved[static_cast<std::size_t>(op.table)] = true;
    }
  }
  action.DropOps([&](const DiaAction::Op& op) {
    if (op.kind == DiaAction::OpKind::kWhole) return CameToNothing(op);
    return op.kind == DiaAction::OpKind::kModify && !moved[static_cast<std::size_t>(op.table)] &&
           CameToNothing(op);
  });
  const bool run_changed = pending.run_before && *pending.run_before != run_;
  if (action.empty() && !run_changed) return;
  DiaEvent event;
  event.run_state = run_changed;
  if (!action.empty()) {
    ++position_;
    AddToHistory(std::move(action));
    event.action = &done_.back();
  }
  listeners_.Notify(event);
}

void DiaModel::CancelChange() {
  if (!pending_) return;
  Revert(pending_->action);
  if (pending_->run_before) run_ = *pending_->run_before;
  const int depth = pending_->depth;
  pending_.emplace();
  pending_->depth = depth;
}

void DiaModel::Revert(const DiaAction& action) {
  using Kind = DiaAction::OpKind;
  const std::vector<DiaAction::Op>& ops = action.ops();
  for (auto op = ops.rbegin(); op != ops.rend(); ++op) {
    WithDiaTable(file_, op->table, [&](auto& part) {
      using Part = std::decay_t<decltype(part)>;
      if constexpr (kIsRecordTable<Part>) {
        using Record = typename Part::value_type;
        switch (op->kind) {
          case Kind::kModify:
            part[op->index] = std::any_cast<const Record&>(op->image);
            break;
          case Kind::kInsert:
            part.Delete(op->index);
            if (HasRunList(op->table)) run_.RecordDeleted(op->table, op->index);
            break;
          case Kind::kDelete:
            part.Insert(op->index, std::any_cast<const Record&>(op->image));
            if (HasRunList(op->table)) run_.RecordInserted(op->table, op->index);
            break;
          case Kind::kWhole:
            break;
        }
      } else {
        part = std::any_cast<const Part&>(op->image);
      }
    });
  }
}

DiaChange::DiaChange(DiaModel& model) : model_(model) { model_.OpenChange(); }

DiaChange::~DiaChange() { model_.CloseChange(); }

}  // namespace corvane
