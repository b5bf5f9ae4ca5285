#include "app/data_folder.h"

#include <cstdio>

#include "base/file_io.h"

namespace corvane {

namespace {

struct SlotLayout {
  const char* key;
  int base;            // 0: the data folder; otherwise the slot it is built from
  const char* suffix;  // appended to the base path
};

// Slots 1..12 end with "/"; 13 and 20..23 do not.
constexpr SlotLayout kSlots[kFolderSlotCount] = {
    {"", 0, nullptr},
    {"SystemMap", 0, "/system_map/"},
    {"DataKvb", 0, "/dia_data/"},
    {"DataKvm", 0, "/map_data/"},
    {"DataKvw", 0, "/kvw_data/"},
    {"DataSeries", 0, "/series_data/"},
    {"DataLog", 0, "/log_data/"},
    {"ExportWdia", 0, "/export_dia/"},
    {"SystemTemp", 0, "/temp/"},
    {"Image", 0, "/image/"},
    {"Image16", 0, "/image16/"},
    {"SignalImage", 0, "/signal_image/"},
    {"CrewMsg", 0, "/crew_msg/"},
    {"Sound", 0, "/sound"},
    {"SoundOpen", kSlotSound, "/open/"},
    {"SoundClose", kSlotSound, "/close/"},
    {"SoundAtc", kSlotSound, "/atc/"},
    {"SoundStation", kSlotSound, "/station/"},
    {"SoundPoint", kSlotSound, "/point/"},
    {"SoundWarning", kSlotSound, "/warning/"},
    {"Table", 0, "/table"},
    {"Acceleration", kSlotTable, "/acceleration"},
    {"CurveLimit", kSlotTable, "/curve_limit"},
    {"ExportHtml", 0, "/export_html"},
    {"", 0, nullptr},
    {"", 0, nullptr},
};

}  // namespace

const char* FolderSlotKey(int slot) {
  if (slot < 0 || slot >= kFolderSlotCount) return "";
  return kSlots[slot].key;
}

bool IsUserDataSlot(int slot) {
  switch (slot) {
    case kSlotDataKvb:
    case kSlotDataKvm:
    case kSlotDataKvw:
    case kSlotDataLog:
    case kSlotExportWdia:
    case kSlotExportHtml:
      return true;
    default:
      return false;
  }
}

std::optional<DataFolderTable> DataFolderTable::Build(std::string_view folder,
                                                      std::string* too_long) {
  DataFolderTable table;
  for (int slot = 1; slot < kFolderSlotCount; ++slot) {
    const SlotLayout& layout = kSlots[slot];
    if (layout.suffix == nullptr) continue;
    const std::string base = layout.base == 0 ? std::string(folder) : table[layout.base];
    std::string path = base + layout.suffix;
    if (path.size() > kFolderPathMaxBytes) {
      if (too_long) *too_long = path;
      return std::nullopt;
    }
    table.Set(slot, std::move(path));
  }
  return table;
}

DataFolderTable DataFolderTable::Read(const IniFile& path_file) {
  DataFolderTable table;
  for (int slot = 1; slot < kFolderSlotCount; ++slot) {
    const char* key = FolderSlotKey(slot);
    if (*key == '\0') continue;
    std::string path = path_file.GetString(kPathFileSlotSection, key);
    if (path.size() > kFolderPathMaxBytes) path.clear();  // never use a cut path
    table.Set(slot, std::move(path));
  }
  return table;
}

void DataFolderTable::Write(IniFile& path_file) const {
  for (int slot = 1; slot < kFolderSlotCount; ++slot) {
    const char* key = FolderSlotKey(slot);
    if (*key != '\0') path_file.SetString(kPathFileSlotSection, key, (*this)[slot]);
  }
}

std::string DataFolder::TempFolder() const {
  const std::string& temp = table[kSlotSystemTemp];
  if (temp.empty() || temp.back() == '/') return temp;
  return temp + "/";
}

bool WriteDataPath(const std::string& path_file, const std::string& folder) {
  const auto table = DataFolderTable::Build(folder);
  if (!table) return false;
  return IniFile::Update(path_file, [&](IniFile& file) {
    file.SetString(kPathFileDataSection, kPathFileDataKey, folder);
    table->Write(file);
  });
}

std::string FirstFreeDataFolderName(const std::string& parent) {
  std::string candidate = JoinPath(parent, kDataFolderBaseName);
  for (int n = 1; IsDirectory(candidate) && n < 10000; ++n) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%02d", n);
    candidate = JoinPath(parent, std::string(kDataFolderBaseName) + suffix);
  }
  return candidate;
}

bool PathIsInside(std::string_view path, std::string_view folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
  if (path.size() < folder.size() || path.substr(0, folder.size()) != folder) return false;
  return path.size() == folder.size() || path[folder.size()] == '/' || folder == "/";
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace corvane
