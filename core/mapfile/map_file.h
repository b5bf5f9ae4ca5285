#pragma once
// The map file: a packed bundle of one INI header member and thirteen table
// members holding an EditMap.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/prompter.h"
#include "editor/edit_map.h"

namespace corvane {

// Header member name and the table members in the order they are written.
inline constexpr const char kMapHeaderMember[] = "temp.kv1";
inline constexpr const char kMapHeaderExtension[] = "kv1";
inline constexpr int kOldestSignalTablesVersion = 1110;  // older maps use the default signal types

struct MapMember {
  const char* file_name;   // member file name
  const char* header_key;  // key in the header's file section
};
inline constexpr MapMember kMapTableMembers[] = {
    {"m_rail.csv", "M_RAIL_FILE"},
    {"m_point.csv", "M_POINT_FILE"},
    {"m_station.csv", "M_STATION_FILE"},
    {"m_target.csv", "M_TARGET_FILE"},
    {"m_station_draw.csv", "M_STATION_DRAW_FILE"},
    {"m_name_ar.csv", "M_NAME_AR_FILE"},
    {"m_name_ap.csv", "M_NAME_AP_FILE"},
    {"m_name_as.csv", "M_NAME_AS_FILE"},
    {"m_name_at.csv", "M_NAME_AT_FILE"},
    {"m_detail.csv", "M_DETAIL_FILE"},
    {"m_jump.csv", "M_JUMP_FILE"},
    {"m_signal_set.csv", "M_SIGNAL_SET_FILE"},
    {"m_signal.csv", "M_SIGNAL_FILE"},
};
inline constexpr const char kSignalSetFile[] = "m_signal_set.csv";
inline constexpr const char kSignalFile[] = "m_signal.csv";

// The whole bundle text of a map (header member and every table member), as
// written by the current version.
std::string FormatMapText(const EditMap& map);

// Writes the bundle text of `map` to `text_path`; the map's version becomes
// the current one. Reports and returns false when the file cannot be written.
bool WriteMapText(EditMap& map, const std::string& text_path, Prompter& prompter);

enum class MapReadResult {
  kRead,         // the map was read (or the user chose to go on after a warning)
  kFailed,       // reported; the map may hold a partly read map
  kRetry,        // the user asked to choose another file
  kCloseWindow,  // the user asked to abandon the map edit window
};

// Where the table members named by a header come from.
class MapTableSource {
 public:
  virtual ~MapTableSource() = default;
  // The content of table member `name` named by the header, or nothing;
  // `shown` receives the path or name to show in a message.
  virtual std::optional<std::string> ReadTable(const std::string& name, std::string* shown) = 0;
  // The content of a default signal table of the program's own data.
  virtual std::optional<std::string> ReadDefaultTable(const std::string& name,
                                                      std::string* shown) = 0;
};

// Table members read from files: the folder of the header and the program's
// "old_map" folder. Names that are not bare file names are never opened.
class FolderTableSource : public MapTableSource {
 public:
  FolderTableSource(std::string folder, std::string old_map_folder)
      : folder_(std::move(folder)), old_map_folder_(std::move(old_map_folder)) {}
  std::optional<std::string> ReadTable(const std::string& name, std::string* shown) override;
  std::optional<std::string> ReadDefaultTable(const std::string& name, std::string* shown) override;

 private:
  std::string folder_;
  std::string old_map_folder_;
};

// Reads the header text and every table it names into `map`, with the
// newer-version and failed-read questions.
MapReadResult ReadMapFromHeader(std::string_view header_text, MapTableSource& source, EditMap& map,
                                Prompter& prompter);

// Reads the header member at `header_path` and the tables in its folder.
MapReadResult ReadMapHeader(const std::string& header_path, const std::string& old_map_folder,
                            EditMap& map, Prompter& prompter);

// Replaces the map's signal types with the two signal tables. False when a
// row is unusable (the usable rows are kept).
bool ParseSignalTables(std::string_view signal_set_text, std::string_view signal_text,
                       EditMap& map);

// Loads the default signal types from the program's "old_map" folder.
bool LoadDefaultSignalTypes(EditMap& map, const std::string& old_map_folder, Prompter& prompter);

// The new map state with the default signal types: what the new-map command
// and program start give.
bool ResetToNewMap(EditMap& map, const std::string& old_map_folder, Prompter& prompter);

}  // namespace corvane
