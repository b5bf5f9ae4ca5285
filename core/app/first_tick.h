#pragma once
// The decisions of the main window's first tick that do not need a window:
// whether the data folder is usable, whether to ask for the start mode, what
// to do with a start-up file, and which backup files to recover.

#include <optional>
#include <span>
#include <string>

#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/dia_document.h"
#include "app/map_document.h"
#include "app/settings.h"
#include "base/prompter.h"

namespace corvane {

inline constexpr const char kStartupErrorCaption[] = "起動エラー";

// The message about a missing data folder, or nothing when it exists.
struct StartupProblem {
  std::string text;
  std::string caption;
};
std::optional<StartupProblem> CheckDataFolder(const DataFolder& data_folder);

// Whether the start-mode dialog opens: a mode was given on the command line,
// or the Shift key is held at start.
inline bool ShouldAskStartMode(const CommandLine& line, bool shift_held) {
  return line.start_mode_given || shift_held;
}

// The start modes the start-mode dialog offers, in the order of its list:
// normal start, window-position reset, reset of all settings.
std::span<const int> OfferedStartModes();
// The row of `start_mode` in that list (the first for a mode not offered),
// and the mode of a row (normal start for a row outside the list).
int StartModeRow(int start_mode);
int StartModeAtRow(int row);
// The dialog's caption: the program's title and "起動モード選択".
std::string StartModeDialogTitle(bool english);

// The entry the start-mode dialog shows first (mode 3 shows as normal start)
// and the description under the list for an entry.
int StartModeDialogSelection(int start_mode);
const char* StartModeDescription(int start_mode);
const char* StartModeName(int start_mode);

// What the first tick does with the dialog's answer (nothing: cancelled):
// the run's start mode, and whether the program ends at once. A reset ends
// it, the close sequence doing the reset; so does a cancelled dialog.
struct StartModeChoice {
  int start_mode = kStartNormal;
  bool end_program = false;
};
StartModeChoice ChosenStartMode(std::optional<int> chosen);

enum class StartupFileAction {
  kNone,      // nothing pending
  kDiaData,   // a dia data file: stays pending for the dia data loader
  kImport,    // an import list: import it; no longer pending
  kRejected,  // reported; no longer pending
};

// Sorts out the pending start-up file by its extension, reporting a file of
// an unknown kind.
StartupFileAction HandleStartupFile(CommandLine& line, Prompter& prompter);

// The backup files to recover after an abnormal end.
struct BackupRecovery {
  std::optional<std::string> dia_data;  // "kvb"
  std::optional<std::string> stack;     // "stack", with the dia data only
  std::optional<std::string> map;       // "kvm"
};

// Asks about each backup recorded in korv.ini (only when automatic backups
// are on). A map backup needs the map edit window; without it the user is
// told so.
BackupRecovery AskBackupRecovery(const BackupFiles& backups, bool backups_enabled,
                                 bool map_window_open, Prompter& prompter);

// Open a recovered backup. The data has no file of its own until it is
// saved: the backup's path is not kept (nor remembered among the recent
// maps). The dia data's rollback stack, when one was recorded, is restored
// into it once it is open.
DiaOpenOutcome OpenDiaBackup(DiaDocument& dia, const std::string& path,
                             const std::optional<std::string>& stack = std::nullopt);
OpenOutcome OpenMapBackup(MapDocument& map, const std::string& path);

}  // namespace corvane
