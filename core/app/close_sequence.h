#pragma once
// Closing the program: the order of its steps and their rules
// (RunCloseSequence), and the steps that touch files rather than windows:
// emptying the backup keys of the settings file, moving the data to a newly
// requested data folder, and the start-mode resets of the settings file.

#include <ctime>
#include <optional>
#include <string>

#include "app/data_folder.h"
#include "app/environment.h"
#include "app/settings.h"
#include "base/ini_file.h"
#include "base/prompter.h"

namespace corvane {

// After a normal end nothing is left to recover: empties "kvb", "stack" and
// "kvm" of section "BackupFile" in the settings file at `settings_path`.
// False when the file cannot be written.
bool ClearBackupKeysInFile(const std::string& settings_path);

// What moving the data folder did.
struct DataFolderMoveReport {
  // The change log, for the default viewer; "" when it could not be written.
  std::string log_path;
  // The log's text (UTF-8), for showing it when the file could not be written.
  std::string log_text;
  // True when the Path file now names the new folder.
  bool path_file_updated = false;
};

// Moves the data of `current` (the data folder in use, its Path file and
// table) to `new_folder` and makes the Path file name it, writing a change
// log "データフォルダ変更記録<date><time>.txt" (Shift-JIS) into the data folder:
// - the current folder is missing: only the Path file changes;
// - something that is not a folder has the new name: nothing moves;
// - the current folder lies inside the program folder, or the new folder
//   exists already: the sub-folders are made anew, the user's data is moved
//   file by file and the system data copied;
// - otherwise the whole folder is renamed and the Path file's paths follow.
// A file that fails to move or copy is logged; nothing here is fatal.
DataFolderMoveReport MoveDataFolder(const DataFolder& current, const std::string& new_folder,
                                    Environment& environment);

// The name of the change log and of the settings backup for time `now`.
std::string DataFolderChangeLogName(const std::tm& now);
std::string SettingsBackupName(const std::tm& now);

// What a start-mode reset of the settings file did.
struct SettingsReset {
  enum class Outcome {
    kNothingToDo,  // the mode resets nothing, or there is no settings file
    kReset,
    kFailed,  // a step failed; the settings file is as it was
  };
  Outcome outcome = Outcome::kNothingToDo;
  std::string backup_path;  // the old settings file, after kReset
};

// The start-mode reset of the settings file "korv.ini" in `data_folder`
// (mode 1: window positions, mode 2: all settings): the file is renamed to
// "設定ファイルバックアップ<date><time>.ini" and a new one is written from it.
// A backup of the same second is never replaced (the reset fails then).
SettingsReset ResetSettingsFile(const std::string& data_folder, int start_mode, const std::tm& now);

// What the close sequence asks of the program's windows.
class CloseWindows {
 public:
  virtual ~CloseWindows() = default;
  // The map edit window's question whether to save its map; false when the
  // user stopped the ending.
  virtual bool ConfirmMapEditClose() = 0;
  // The question whether to save changed dia data; false when the user
  // stopped the ending.
  virtual bool ConfirmDiaClose() = 0;
  virtual void StopTimer() = 0;
  // Puts the windows' places and open states into the settings, and writes
  // the sections of the settings file the windows keep themselves (only
  // when there is a settings file).
  virtual void KeepLayout() = 0;
  // Moves the data folder to the one the user asked for.
  virtual void MoveDataFolder() = 0;
  virtual void HideWindows() = 0;
};

struct CloseRequest {
  std::string data_folder;
  std::string settings_path;
  // The program's settings, written at the end (none: not written).
  ProgramSettings* settings = nullptr;
  bool english = false;  // the interface language the settings are written in
  bool move_data_folder = false;
  int start_mode = 0;
  std::tm now{};
};

// The close sequence every exit goes through, in order: the map edit
// window's save question and the dia data's (the ending stops when either is
// cancelled), the timer, the backup files forgotten (a normal end leaves
// nothing to recover: the settings file's keys emptied, the settings' record
// too), the windows' layout and the settings written, a requested move of
// the data folder, the windows hidden, the start-mode reset of the settings
// file. Without a data folder no file is written. A settings file that could
// not be written, in any of these steps, is reported once at the end. False
// when the user stopped the ending.
bool RunCloseSequence(const CloseRequest& request, CloseWindows& windows, Prompter& prompter);

// The new settings file's bytes for a reset: mode 1 empties the value of
// every line beginning "PosLeft=", "PosTop=", "PosRight=" or "PosBottom=";
// mode 2 keeps the lines before the first section and the "Path" section.
// Every line kept stays byte for byte, line end included.
std::string ResetSettingsText(std::string_view settings, int start_mode);

}  // namespace corvane
