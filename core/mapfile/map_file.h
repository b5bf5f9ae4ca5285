#pragma once
// The map file: a packed bundle of one INI header member and thirteen table
// members holding an EditMap.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompter.h"
#include "map/edit_map.h"
#include "mapfile/packed_bundle.h"

namespace corvane {

// Header member name; the table members are those of MapTables().
inline constexpr const char kMapHeaderMember[] = "temp.kv1";
inline constexpr const char kMapHeaderExtension[] = "kv1";

// The whole bundle text of a map (header member and every table member), as
// written by the current version.
std::string FormatMapText(const MapContent& map);

// Saves `map` packed into the map file `path`, which is replaced only when
// it was written whole. Reports and returns false when it cannot be written.
bool SaveMapFile(const MapContent& map, const std::string& path, Prompter& prompter);

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

// Table members of a bundle split in memory; a later member of the same
// name replaces an earlier one. Messages name a member by its path in
// `shown_folder`, where a split into files would have put it (by its name
// alone when empty). The defaults come from `default_folder` (none when
// empty).
class BundleTableSource : public MapTableSource {
 public:
  explicit BundleTableSource(std::vector<BundleMember> members, std::string shown_folder = "",
                             std::string default_folder = "");
  std::optional<std::string> ReadTable(const std::string& name, std::string* shown) override;
  std::optional<std::string> ReadDefaultTable(const std::string& name, std::string* shown) override;

 private:
  std::map<std::string, std::string, std::less<>> members_;
  std::string shown_folder_;
  std::string default_folder_;
};

// Takes the message-window lines that name what a read found wrong.
using ReadReport = std::function<void(std::string_view)>;

// Reads the header text and every table it names into `map`, which starts
// as an empty MapContent, with the newer-version and failed-read questions.
// Before the failed-read question, `report` gets the lines that name each
// member with unusable rows ("読み込みファイル'%s'の内容が正しくありません。",
// `shown_header` for the header) and what is wrong with each row.
MapReadResult ReadMapFromHeader(std::string_view header_text, const std::string& shown_header,
                                MapTableSource& source, MapContent& map, Prompter& prompter,
                                const ReadReport& report = {});

// Reads the header member at `header_path` and the tables in its folder.
MapReadResult ReadMapHeader(const std::string& header_path, const std::string& old_map_folder,
                            MapContent& map, Prompter& prompter, const ReadReport& report = {});

// Opens the map file `path`: unpacked and split in memory, then its header
// and every table read as ReadMapFromHeader does. Messages name a member by
// its path in `scratch_folder`; a file that cannot be read, whose stream was
// cut short or that holds no map data is reported and kFailed.
MapReadResult OpenMapFile(const std::string& path, const std::string& scratch_folder,
                          const std::string& old_map_folder, MapContent& map, Prompter& prompter,
                          const ReadReport& report = {});

// The aspect member of signal types ("signal.csv", "m_signal.csv"): per
// type, from the top speed down, one row per band with its colour and image.
// Reading rebuilds the aspect entries and appends one image and one colour
// per row (the tables start empty); false when a row names no type or comes
// out of order (skipped, and named in `problems`).
void FormatAspectBands(const Table<MapSignalType>& types, const Table<SignalImageRecord>& images,
                       const Table<AspectColour>& colours, MemberWriter& out);
bool ReadAspectBands(std::string_view content, Table<MapSignalType>& types,
                     Table<SignalImageRecord>& images, Table<AspectColour>& colours,
                     std::vector<std::string>* problems = nullptr);

// Replaces the map's signal types with the two signal tables. False when a
// row is unusable (the usable rows are kept).
bool ParseSignalTables(std::string_view signal_set_text, std::string_view signal_text,
                       MapContent& map);

// Loads the default signal types from the program's "old_map" folder.
bool LoadDefaultSignalTypes(MapContent& map, const std::string& old_map_folder, Prompter& prompter);

// The header's keys of the map's settings, as a listing shows them
// ("key: value" lines, UTF-8).
std::string DescribeMapHeader(const MapHeader& header);

// The new map state with the default signal types: what the new-map command
// and program start give.
bool ResetToNewMap(EditMap& map, const std::string& old_map_folder, Prompter& prompter);

}  // namespace corvane
