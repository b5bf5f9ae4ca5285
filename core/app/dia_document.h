#pragma once
class DialogHost;

// The main window's dia data: the one working set (compiled map, timetable,
// header, with its run-time values and record of changes in a DiaModel) with
// the file commands that open and save it (map selection, open, save, save
// as), their questions, dialogs and messages, the record of opened maps in
// "system_map.ini" and the map selection dialog. Commands and dialogs
// change the data through a DiaChange on `model()`; windows follow it by
// listening to the model.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "base/chooser.h"
#include "base/dialog_model.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "data/dia_file.h"
#include "run/dia_model.h"
#include "run/load_checks.h"
#include "run/rollback_list.h"

namespace corvane {

// An empty "system_map.ini" or image folder: no record, no image check (the
// headless tool's reading commands leave the data folder alone).
struct DiaFolders {
  std::string temp;            // scratch files (ends with a separator)
  std::string dia_data;        // "DataKvb": where dia data files are kept
  std::string system_map;      // "SystemMap": the built maps
  std::string system_map_ini;  // the data folder's "system_map.ini"
  std::string image;           // series photos
  std::string image16;         // series icons
};

// The folders of the main window's dia file commands in `data_folder`.
DiaFolders DiaFoldersOf(const DataFolder& data_folder);
// A scratch folder alone: no record in "system_map.ini", no image check.
DiaFolders ScratchDiaFolders(const std::string& temp);

enum class DiaOpenOutcome {
  kOpened,
  kCancelled,  // the user stopped the command
  kFailed,     // reported; the data and the paths are as they were
};

class DiaDocument {
 public:
  DiaDocument(DiaFolders folders, Prompter& prompter, Chooser& chooser, MessageLog& log);

  // The discard prompt: while the dia is modified, asks whether to save it
  // before `action` (MsgOpenDia, MsgOpenMap or MsgQuit); Yes saves under a
  // new name and asks again while it stays modified. False on Cancel.
  bool ConfirmDiscard(int action);

  // "ダイヤデータを開く": discard prompt, file dialog, reading; a Retry
  // answer to the newer-version warning starts the command again.
  DiaOpenOutcome Open();
  // Reads `path` (any dia kind) without asking first; the data and the
  // current paths change only when it was read.
  DiaOpenOutcome OpenPath(const std::string& path);
  // A file dropped onto a window: opened as "ダイヤデータを開く" opens the
  // chosen file (the discard prompt first, a Retry answer reads it again).
  DiaOpenOutcome OpenDropped(const std::string& path);
  // Opens a map of the SystemMap folder by its file name: afterwards no
  // current path, so that a save asks for a name.
  DiaOpenOutcome OpenSystemMap(const std::string& file_name);
  // "マップ選択": discard prompt, the map selection dialog, opening.
  DiaOpenOutcome SelectMap(const std::string& default_kvb,
                           const std::function<void(const std::string&)>& set_default,
                           DialogHost& host);

  // "ダイヤデータインポート": the discard prompt, the open-file dialog for
  // WinDIA timetables starting in `*load_folder` (the dia data folder when
  // empty), the chosen file's folder stored back there, and the imported
  // line taking the place of the data as a compiled map does. A file that
  // cannot be imported is reported and the data stays as it was.
  DiaOpenOutcome ImportWindia(std::string* load_folder);

  // "ダイヤデータを上書き保存": under the current dia path, or save as when
  // there is none or the data came from an older version.
  bool Save();
  // "ダイヤデータを別名で保存".
  bool SaveAs();
  // Save as with the name chosen: packed for ".kvb" and ".kvw", the bundle
  // text for other names.
  bool SaveAsPath(const std::string& path);

  // Takes a compiled map (or any new working set): no current paths, the
  // version of this program, not modified (no change of the user's yet).
  // The display windows keep their views.
  void Replace(DiaFile file);

  const DiaFile& file() const { return model_.file(); }
  // The data with its run-time values: changed through a DiaChange on it,
  // followed by listening to it.
  DiaModel& model() { return model_; }
  const DiaModel& model() const { return model_; }
  // Changed since it was opened, compiled or saved (from the model's record
  // of changes).
  bool modified() const { return model_.modified(); }
  const std::string& dia_path() const { return dia_path_; }
  const std::string& executed_path() const { return executed_path_; }
  int loaded_version() const { return loaded_version_; }
  // Forgets the file names (data restored from a backup has none).
  void ForgetPaths();

  void set_english(bool english) { english_ = english; }

  // The load-time checks every open runs once the data is read
  // (RunLoadChecks); without them data is used as read. When the checks
  // are aborted the open fails and the data and paths before it stay.
  void SetLoadChecks(LoadCheckSetup setup) { load_checks_ = std::move(setup); }
  // What the checks of the last open found (nothing without checks).
  const LoadCheckResult& load_check_result() const { return load_check_result_; }

  // How rollback points are taken from now on (the settings, the backup
  // record); the scratch folder is the document's.
  void SetRollbackSetup(RollbackSetup setup);
  // The rollback points of the loaded data.
  const RollbackList& rollback() const { return rollback_; }
  // Adds a hand-taken rollback point of the data as it is now; false when
  // memory is short (logged).
  bool AddRollbackPoint();
  // Restores the rollback stack in the file at `path` (a backup recorded at
  // start-up) into the loaded data, as opening executed data restores its
  // own; false (reported) when it cannot be read or does not fit.
  bool RestoreStackFile(const std::string& path);

 private:
  DiaOpenOutcome ReadPath(const std::string& path, bool* retry);
  // Writes the data to `path` and reports it; the caller takes the path and
  // marks the data saved.
  bool WriteTo(const std::string& path);
  // The file opened or saved becomes the current dia or executed path (or
  // neither, for the other kinds).
  void TakePath(const std::string& path, bool opened);
  void RecordSystemMap(const std::string& path) const;
  // Restores the stack member read with the data, if there was one.
  void RestoreStackMember();
  // After a stack was restored: a rollback point, and the log says so.
  void TakeRestoredPoint();
  void StartRollbackList();
  void ReportSeriesImages() const;

  DiaFolders folders_;
  Prompter& prompter_;
  Chooser& chooser_;
  MessageLog& log_;
  bool english_ = false;
  DiaModel model_;
  std::string dia_path_;
  std::string executed_path_;
  int loaded_version_ = kDiaVersion;
  std::optional<LoadCheckSetup> load_checks_;
  LoadCheckResult load_check_result_;
  RollbackSetup rollback_setup_;
  RollbackList rollback_;
};

// The "system_map.ini" record of a dia file: its section is the file's name
// without folder and extension.
std::string SystemMapSection(const std::string& path);

// The map selection dialog ("マップ選択"): the maps of the SystemMap folder,
// what "system_map.ini" knows of the selected one, and the button that makes
// it the start-up map.
class MapSelectDialog : public DialogModel {
 public:
  // `files` are the file names found (at most 255); `default_kvb` the
  // settings value, changed by the button through `set_default`.
  MapSelectDialog(std::vector<std::string> files, IniFile system_map_ini, std::string default_kvb,
                  std::function<void(const std::string&)> set_default);

  std::string Title(bool english) const override;
  // The lines the dialog composes (safety device, start-up map) in English.
  void set_english(bool english) {
    english_ = english;
    ShowSelected();
  }
  void Changed(const std::string& id) override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

  // The chosen file's name after OK.
  const std::string& chosen() const { return chosen_; }

 private:
  void ShowSelected();

  std::vector<std::string> files_;
  IniFile ini_;
  std::string default_kvb_;
  std::function<void(const std::string&)> set_default_;
  std::string chosen_;
  bool english_ = false;
};

// The file names of the SystemMap folder the dialog lists (folders and
// names starting with "." left out, at most 255, sorted), or nothing when
// the folder cannot be searched.
std::optional<std::vector<std::string>> ListSystemMaps(const std::string& folder);

// The map selection command: the folder's messages, the dialog, and the
// name chosen (nothing when cancelled or nothing to choose).
std::optional<std::string> ChooseSystemMap(
    const DiaFolders& folders, const std::string& default_kvb,
    const std::function<void(const std::string&)>& set_default, DialogHost& host);

}  // namespace corvane
