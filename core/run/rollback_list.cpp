#include "run/rollback_list.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "base/file_io.h"
#include "base/file_messages.h"

namespace corvane {

namespace {

// The value of `key` in a "/proc/meminfo" text, in bytes.
std::optional<std::int64_t> MemInfoBytes(std::string_view text, std::string_view key) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t feed = text.find('\n', pos);
    const std::string_view line =
        text.substr(pos, feed == std::string_view::npos ? std::string_view::npos : feed - pos);
    pos = feed == std::string_view::npos ? text.size() : feed + 1;
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':') {
      continue;
    }
    std::string_view number = line.substr(key.size() + 1);
    const std::size_t start = number.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    number.remove_prefix(start);
    std::int64_t kilobytes = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), kilobytes);
    if (ec != std::errc() || kilobytes < 0 || kilobytes > (INT64_MAX >> 10)) return std::nullopt;
    return kilobytes << 10;
  }
  return std::nullopt;
}

}  // namespace

std::optional<AvailableMemory> ParseMemInfo(std::string_view text) {
  const auto available = MemInfoBytes(text, "MemAvailable");
  if (!available) return std::nullopt;
  const std::int64_t swap = MemInfoBytes(text, "SwapFree").value_or(0);
  return AvailableMemory{*available, *available + swap};
}

std::optional<AvailableMemory> SystemMemoryProbe::Available() const {
  const auto text = ReadFileBytes(path_);
  if (!text) return std::nullopt;
  return ParseMemInfo(*text);
}

std::string RollbackFilePath(const std::string& temp, std::size_t index) {
  char name[40];
  std::snprintf(name, sizeof name, "roll_back_%zu.csv", index);
  return temp + name;
}

bool RollbackList::MemoryShort() const {
  static const SystemMemoryProbe kMachine;
  const MemoryProbe& probe = setup_.memory != nullptr ? *setup_.memory : kMachine;
  const auto available = probe.Available();
  // A machine that does not say is taken to have room.
  if (!available) return false;
  return available->physical < setup_.min_physical || available->page_file < setup_.min_page_file;
}

bool RollbackList::AddPoint(const DiaModel& model, MessageLog& log, Prompter& prompter) {
  if (MemoryShort()) {
    log.AddLine(kRollbackLowMemoryLine);
    return false;
  }
  RollbackEntry& entry = entries_.emplace_back();
  entry.snapshot = TakeSnapshot(model);
  entry.kind = RollbackKind::kByHand;
  entry.time = model.run().time;
  entry.label = kRollbackByHandLabel;
  if (!setup_.spill || setup_.temp.empty()) return true;
  const std::string path = RollbackFilePath(setup_.temp, entries_.size() - 1);
  if (!WriteFileAtomically(path, WriteStack(*entry.snapshot))) {
    ReportFileError(prompter, kCannotOpenText, path, kWriteErrorCaption);
    return true;
  }
  entry.snapshot.reset();
  entry.path = path;
  if (setup_.record_backup) setup_.record_backup(path);
  return true;
}

std::optional<RollbackSnapshot> RollbackList::SnapshotOf(std::size_t index,
                                                         Prompter& prompter) const {
  if (index >= entries_.size()) return std::nullopt;
  const RollbackEntry& entry = entries_[index];
  if (entry.snapshot) return entry.snapshot;
  if (entry.path.empty()) return std::nullopt;
  return ReadStackFile(entry.path, prompter);
}

bool RestoreOnOpening(DiaModel& model, const RollbackSnapshot& snapshot, const std::string& shown,
                      Prompter& prompter) {
  // A stack of other data (another map, tables of other sizes) is refused
  // whole: the data stays as loaded, without its run-time state.
  std::string problem;
  if (!SnapshotFits(model, snapshot, &problem)) {
    prompter.Error(FillIn(kBadMemberData, {shown, problem}), kReadErrorCaption);
    return false;
  }
  model.Initialise(
      [&snapshot, &problem](DiaChange& change) { RestoreSnapshot(change, snapshot, &problem); });
  return true;
}

bool RestoreStackMember(DiaModel& model, const std::string& shown, Prompter& prompter) {
  const std::optional<std::string>& stack = model.file().stack;
  // An empty member holds no stack: nothing to restore.
  if (!stack || stack->find_first_not_of(" \t\r\n") == std::string::npos) return false;
  RollbackSnapshot snapshot;
  std::string problem;
  if (!ReadStack(*stack, snapshot, &problem)) {
    prompter.Error(FillIn(kBadMemberData, {shown, problem}), kReadErrorCaption);
    return false;
  }
  return RestoreOnOpening(model, snapshot, shown, prompter);
}

std::optional<RollbackSnapshot> ReadStackFile(const std::string& path, Prompter& prompter) {
  const auto text = ReadFileBytes(path);
  if (!text) {
    ReportFileError(prompter, kCannotOpenText, path, kReadErrorCaption);
    return std::nullopt;
  }
  RollbackSnapshot snapshot;
  std::string problem;
  if (!ReadStack(*text, snapshot, &problem)) {
    prompter.Error(FillIn(kBadMemberData, {path, problem}), kReadErrorCaption);
    return std::nullopt;
  }
  return snapshot;
}

}  // namespace corvane
