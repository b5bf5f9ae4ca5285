#pragma once
// The per-user data folder and its table of sub-folders, kept in the Path
// file (section "Korv" key "DataPath", section "Path" one key per slot).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_io.h"
#include "base/ini_file.h"

namespace corvane {

inline constexpr int kFolderSlotCount = 26;  // slot 0 and slots 24, 25 stay empty
inline constexpr std::size_t kFolderPathMaxBytes = 255;

enum FolderSlot : int {
  kSlotSystemMap = 1,
  kSlotDataKvb = 2,
  kSlotDataKvm = 3,
  kSlotDataKvw = 4,
  kSlotDataSeries = 5,
  kSlotDataLog = 6,
  kSlotExportWdia = 7,
  kSlotSystemTemp = 8,
  kSlotImage = 9,
  kSlotImage16 = 10,
  kSlotSignalImage = 11,
  kSlotCrewMsg = 12,
  kSlotSound = 13,
  kSlotSoundOpen = 14,
  kSlotSoundClose = 15,
  kSlotSoundAtc = 16,
  kSlotSoundStation = 17,
  kSlotSoundPoint = 18,
  kSlotSoundWarning = 19,
  kSlotTable = 20,
  kSlotAcceleration = 21,
  kSlotCurveLimit = 22,
  kSlotExportHtml = 23,
};

inline constexpr const char kPathFileName[] = "Path.ini";
inline constexpr const char kSettingsFileName[] = "korv.ini";
inline constexpr const char kSystemMapIniName[] = "system_map.ini";
inline constexpr const char kLanguageFileName[] = "Language.ini";
inline constexpr const char kDataFolderBaseName[] = "Corvane";
inline constexpr const char kPathFileDataSection[] = "Korv";
inline constexpr const char kPathFileDataKey[] = "DataPath";
inline constexpr const char kPathFileSlotSection[] = "Path";

// The key of a slot in the Path file ("" for an empty slot).
const char* FolderSlotKey(int slot);
// Slots holding the user's own data (moved, never overwritten by system data).
bool IsUserDataSlot(int slot);
// The slot of scratch files only.
inline bool IsScratchSlot(int slot) { return slot == kSlotSystemTemp; }

// The 26 sub-folder paths of one data folder.
class DataFolderTable {
 public:
  // The table for data folder `folder` (no trailing "/"). Nothing when a path
  // would not fit its 255-byte slot; `too_long` then receives that path.
  static std::optional<DataFolderTable> Build(std::string_view folder,
                                              std::string* too_long = nullptr);

  const std::string& operator[](int slot) const { return paths_[static_cast<std::size_t>(slot)]; }
  void Set(int slot, std::string path) { paths_[static_cast<std::size_t>(slot)] = std::move(path); }

  // Reads the slot keys of section "Path" (missing keys give empty paths).
  static DataFolderTable Read(const IniFile& path_file);
  // Writes every slot key into section "Path".
  void Write(IniFile& path_file) const;

  friend bool operator==(const DataFolderTable&, const DataFolderTable&) = default;

 private:
  std::array<std::string, kFolderSlotCount> paths_;
};

// The data folder in use, as start-up found it.
struct DataFolder {
  std::string path;       // no trailing "/"; "" when none is known
  std::string path_file;  // the Path file in use
  DataFolderTable table;  // as read from the Path file
  bool english = false;   // display language
  // The scratch folder (slot 8), ending with "/".
  std::string TempFolder() const;
  // The settings file "korv.ini" in the folder.
  std::string SettingsPath() const { return JoinPath(path, kSettingsFileName); }
};

// Writes "DataPath" = `folder` and the table built for it into the Path file
// at `path_file`. False when the table cannot be built or the file written.
bool WriteDataPath(const std::string& path_file, const std::string& folder);

// The first of "<parent>/Corvane", "<parent>/Corvane01", "<parent>/Corvane02",
// ... that is not an existing folder.
std::string FirstFreeDataFolderName(const std::string& parent);

// True when `path` lies inside `folder` (the folder itself or below it).
bool PathIsInside(std::string_view path, std::string_view folder);

// `path` without trailing "/" (but "/" stays "/").
std::string WithoutTrailingSlash(std::string path);

}  // namespace corvane
