#pragma once
// The map edit window's file commands: open, save and save as, with their
// questions, dialogs and messages, on the one EditMap.

#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "app/environment.h"
#include "base/chooser.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "map/edit_map.h"

namespace corvane {

// The folders the map file commands use.
struct MapFolders {
  std::string temp;      // the scratch folder, where messages place a file's members
  std::string map_data;  // where map files are kept
  std::string old_map;   // the program's default signal types
};

// The folders of the map file commands in `data_folder`.
MapFolders MapFoldersOf(const DataFolder& data_folder, const Environment& env);

inline constexpr const char kMapFileExtension[] = "kvm";

enum class OpenOutcome {
  kOpened,
  kCancelled,    // the user stopped the command
  kFailed,       // reported; the map is unchanged
  kCloseWindow,  // the user chose to abandon the map edit window
};

class MapDocument {
 public:
  MapDocument(EditMap& map, MapFolders folders, Prompter& prompter, Chooser& chooser,
              MessageLog& log);

  // Asks whether to save a modified map before `action` (its first line);
  // Yes saves under a new name and asks again while the map stays modified.
  // False when the user cancelled.
  bool ConfirmSaveChanges(std::string_view action);

  // The open command: save question, file dialog, reading; a Retry answer to
  // a read warning starts it again.
  OpenOutcome Open();
  // Reads the map file at `path` without asking first. The map and the
  // current path change only when the file was read.
  OpenOutcome OpenPath(const std::string& path);
  // Opens `path` as the open command would have (asking first whether to
  // save a modified map), without the file dialog: a recent map.
  OpenOutcome OpenChosen(const std::string& path);

  // The save command: saves under the current path, or asks for a name when
  // there is none or the map came from an older version.
  bool Save();
  // The save-as command.
  bool SaveAs();
  // Save as with the name already chosen: refuses a name that is not a map
  // file's.
  bool SaveAsPath(const std::string& path);
  // Writes the map to `path`, which then becomes the current path.
  bool SaveToPath(const std::string& path);

  // Forgets the current file, so that the next save asks for a name (a map
  // recovered from a backup has no file of its own).
  void ForgetPath() { path_.clear(); }

  // A new, empty map with the default signal types and no file.
  bool NewMap();
  // The new-map command's reset: while the map is modified, asks first
  // (unless `confirm_changes` is false) whether its changes may be lost.
  // False when the user kept the map.
  bool StartNewMap(bool confirm_changes = true);

  // The language of the file dialogs' filters.
  void set_english(bool english) { english_ = english; }

  const std::string& path() const { return path_; }
  // The file's base name shown in the window title ("" for a new map).
  std::string title_name() const;
  bool loading() const { return loading_; }
  EditMap& map() { return map_; }

 private:
  // Reads without the file dialog; kCancelled stands for a Retry request.
  OpenOutcome ReadFile(const std::string& path, bool* retry);
  bool IsMapFileName(const std::string& path) const;

  EditMap& map_;
  MapFolders folders_;
  Prompter& prompter_;
  Chooser& chooser_;
  MessageLog& log_;
  std::string path_;
  bool loading_ = false;
  bool english_ = false;
};

// Opens `path` of the recent maps (OpenChosen); a file that cannot be read
// any more leaves `recent`.
OpenOutcome OpenRecentMap(MapDocument& document, std::vector<std::string>& recent,
                          const std::string& path);

}  // namespace corvane
