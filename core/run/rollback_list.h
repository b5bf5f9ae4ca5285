#pragma once
// The rollback list of the loaded dia data: the snapshots taken while it is
// loaded, one entry at a time, each kept in memory or spilled at once to a
// scratch file "roll_back_%d.csv" in the stack form. An entry is refused
// while the machine is short of memory. The list lives as long as the
// loaded data; opening other data starts a new one.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/message_log.h"
#include "base/prompter.h"
#include "run/rollback.h"

namespace corvane {

inline constexpr const char kRollbackByHandLabel[] = "手動ロールバック";
inline constexpr const char kRollbackLowMemoryLine[] =
    "メモリ不足のためロールバックデータは保存されませんでした。";
inline constexpr const char kRollbackRestoredLine[] = "ロールバックデータを復元しました。";

// Free memory of the machine, in bytes.
struct AvailableMemory {
  std::int64_t physical = 0;
  std::int64_t page_file = 0;  // physical memory and swap together
};

class MemoryProbe {
 public:
  virtual ~MemoryProbe() = default;
  // Nothing when the machine does not say.
  virtual std::optional<AvailableMemory> Available() const = 0;
};

// The machine's answer from "/proc/meminfo" (MemAvailable, and SwapFree
// added for the page file).
class SystemMemoryProbe : public MemoryProbe {
 public:
  explicit SystemMemoryProbe(std::string path = "/proc/meminfo") : path_(std::move(path)) {}
  std::optional<AvailableMemory> Available() const override;

 private:
  std::string path_;
};

// The free memory a "/proc/meminfo" text gives; nothing without
// "MemAvailable".
std::optional<AvailableMemory> ParseMemInfo(std::string_view text);

// How entries are taken: the settings and where spilled files go.
struct RollbackSetup {
  bool spill = true;               // "RollBackFile"
  std::int64_t min_physical = 0;   // "MinAvailPhys", bytes
  std::int64_t min_page_file = 0;  // "MinAvailPageFile", bytes
  std::string temp;                // scratch folder (ends with a separator); "" keeps in memory
  const MemoryProbe* memory = nullptr;  // null: the machine's
  // Told the path of every spilled file while automatic backup is on.
  std::function<void(const std::string&)> record_backup;
};

enum class RollbackKind : int { kByHand = 1 };

struct RollbackEntry {
  std::optional<RollbackSnapshot> snapshot;  // none once spilled
  std::string path;                          // its scratch file, "" when none
  RollbackKind kind = RollbackKind::kByHand;
  int value2 = 0;
  int time = 0;  // the simulation time it belongs to
  int value3 = 0;
  std::string label;
};

class RollbackList {
 public:
  explicit RollbackList(RollbackSetup setup = {}) : setup_(std::move(setup)) {}

  const std::vector<RollbackEntry>& entries() const { return entries_; }
  const RollbackSetup& setup() const { return setup_; }
  // The entries to come are taken as `setup` says.
  void SetSetup(RollbackSetup setup) { setup_ = std::move(setup); }

  // Appends a hand-taken entry with a snapshot of `model`, spilling it when
  // the setup says so. Low memory: the message line goes to `log` and no
  // entry is added (false). A spill file that cannot be written is
  // reported through `prompter` and the snapshot stays in memory.
  bool AddPoint(const DiaModel& model, MessageLog& log, Prompter& prompter);

  // The snapshot of entry `index`, read back from its file when spilled;
  // nothing (reported) when that file cannot be read.
  std::optional<RollbackSnapshot> SnapshotOf(std::size_t index, Prompter& prompter) const;

 private:
  bool MemoryShort() const;

  RollbackSetup setup_;
  std::vector<RollbackEntry> entries_;
};

// The scratch file of entry `index`.
std::string RollbackFilePath(const std::string& temp, std::size_t index);

// Restores `snapshot` into `model` as the last step of opening it (nothing
// of it is a change of the user's; the windows hear of new data). A
// snapshot that does not fit the data is reported with the file's message,
// naming `shown`, and nothing is restored.
bool RestoreOnOpening(DiaModel& model, const RollbackSnapshot& snapshot, const std::string& shown,
                      Prompter& prompter);
// The same for the stack member read with the data (`model.file().stack`);
// false without reporting when there is none or it is empty, reported when
// it holds no stack.
bool RestoreStackMember(DiaModel& model, const std::string& shown, Prompter& prompter);

// Reads a stack file (a spilled entry or a recorded backup); reported
// through `prompter` with the file messages when it cannot be read or
// holds no stack.
std::optional<RollbackSnapshot> ReadStackFile(const std::string& path, Prompter& prompter);

}  // namespace corvane
