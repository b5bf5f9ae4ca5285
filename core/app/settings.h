#pragma once
// The program settings file "korv.ini": simulation and view options, the
// passenger route-choice types, window positions and open windows, the last
// choices of some file dialogs, the automatic backup files, the main
// window's line styles and the default font.
//
// Every text here is Shift-JIS, as it is in the file. Reading starts from the
// defaults and lets each key that is present override its field; writing
// changes only the keys the program owns and keeps every other line.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "app/data_folder.h"
#include "app/environment.h"
#include "base/fixed_text.h"
#include "base/font_record.h"
#include "base/ini_file.h"
#include "board/line_items.h"
#include "data/dia_header.h"
#include "data/view_settings.h"

namespace corvane {

inline constexpr int kAccidentLevelCount = 4;  // AccidentFrequency00..03 and AccidentRepair00..03
inline constexpr int kPassengerTypeCount = 4;  // PassengerType00..03

inline constexpr const char kSettingSection[] = "Setting";
inline constexpr const char kMainWindowSection[] = "KORVMainWindow";
inline constexpr const char kMapEditWindowSection[] = "MapEditWindow";
inline constexpr const char kMapMessageWindowSection[] = "MapMsgWindow";
inline constexpr const char kMessageWindowSection[] = "KORVMsgWindow";
inline constexpr const char kPassengerWindowSection[] = "PassengerEditWindow";
inline constexpr const char kWindowOpenKey[] = "open";
inline constexpr const char kSettingsPathSection[] = "Path";
inline constexpr const char kLoadWdiaKey[] = "LoadWdia";
inline constexpr const char kDefaultKvbKey[] = "DefaultKvb";
inline constexpr const char kBackupFileSection[] = "BackupFile";
inline constexpr const char kBackupKvbKey[] = "kvb";
inline constexpr const char kBackupStackKey[] = "stack";
inline constexpr const char kBackupKvmKey[] = "kvm";
inline constexpr const char kMainWindowLineOwner[] = "MainWindow";
inline constexpr const char kDefaultFontSection[] = "DefaultFont";

inline constexpr std::int64_t kBytesPerMegabyte = std::int64_t{1} << 20;

// The part of a screen windows may take (without panels and docks).
struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

enum class StartWindow { kMain, kMessage, kMapEdit, kPassenger };

// Where a window goes while it has no place of its own (its default one):
// the main window at the top left, the message window beside it, the map
// edit window below both across the area, none hiding another.
WindowRect StartPlace(StartWindow window, const ScreenArea& area);
// `rect` moved, and made smaller where it is larger, so that the window
// with its frame lies wholly inside `area`.
WindowRect FitIntoArea(const WindowRect& rect, const ScreenArea& area);

// Where a window goes when it opens, given the screens' areas: without a
// place of its own (no position, no size, or still its default place
// `defaults`) its start place on the primary screen; else its own place
// fitted into the screen holding most of it, or into the primary screen when
// it lies on none any more. `rect` is as the settings file gave it: any
// numbers. With no screens, `rect` as it is.
WindowRect PlaceOnScreens(const WindowRect& rect, const WindowRect& defaults, StartWindow which,
                          std::span<const ScreenArea> screens, std::size_t primary);

// How many map files the File menu remembers.
inline constexpr std::size_t kRecentMapCount = 8;
// `path` first in `recent`, once, the oldest beyond the count dropped.
void RememberRecentMap(std::vector<std::string>& recent, const std::string& path);

struct MapEditWindowSettings {
  WindowRect rect;
  int grid_x = 10;  // every grid_x-th column line is drawn dark (0: none)
  int grid_y = 4;   // every grid_y-th row line likewise
  bool open = false;
  // The most memory the undo record of the map may hold, in megabytes
  // (UndoLimitBytes).
  int undo_limit_mb = 256;
  // Map files last opened or saved, the latest first ("RecentMap1"...).
  std::vector<std::string> recent_maps;

  friend bool operator==(const MapEditWindowSettings&, const MapEditWindowSettings&) = default;
};

// The undo record's limit in bytes: "UndoLimitMB" megabytes, at least one.
std::size_t UndoLimitBytes(const MapEditWindowSettings& window);

// One route-choice type of the passengers ("PassengerType%02d").
struct PassengerType {
  int transfer_cost = 0;
  int reverse_cost = 0;
  int behavior_rate = 0;
  LongText behavior_name;

  friend bool operator==(const PassengerType&, const PassengerType&) = default;
};

// Paths of the automatic backup files; a path is pending recovery while its
// key is not empty.
struct BackupFiles {
  std::string kvb;
  std::string stack;
  std::string kvm;

  friend bool operator==(const BackupFiles&, const BackupFiles&) = default;
};

struct ProgramSettings {
  // Section "Setting".
  int call_speed = 4;
  int view_speed = 1;
  int accident_size = 10;
  std::array<int, kAccidentLevelCount> accident_frequency = {0, 3600, 1800, 900};
  std::array<int, kAccidentLevelCount> accident_repair = {0, 600, 1800, 7200};
  int view_type = 2;
  int view_for = 2;
  bool smart_view = false;
  bool track_view = false;
  bool route_view = true;
  bool inter_view = true;
  bool view_image16 = true;
  bool tool_window = true;
  bool roll_back_file = true;
  bool roll_back_train = true;
  bool roll_back_fast = true;
  // Memory thresholds of the rollback list, in bytes (whole megabytes in the
  // file).
  std::int64_t min_avail_phys = 0;
  std::int64_t min_avail_page_file = 0;
  bool use_dijkstra = false;
  bool debug_dijkstra = false;
  bool use_undo = true;
  bool use_duplicate = true;
  bool backup_file = true;  // automatic backup and recovery after an abnormal end
  bool extension = false;   // key "Extention"

  std::array<PassengerType, kPassengerTypeCount> passenger_types;

  // Windows.
  WindowRect main_window;
  MapEditWindowSettings map_edit_window;
  bool map_message_window_open = false;
  WindowRect message_window;
  // The passenger number window's place ("PassengerEditWindow").
  WindowRect passenger_window;
  // The display windows by number: place, toolbar and font, and whether
  // each reopens at start ("open" of windows 01 to 15; window 00 is open
  // while the program runs).
  std::array<DisplayWindowLayout, kDisplayWindows> display_windows;

  // Section "Path": last choices of file dialogs.
  std::string load_wdia;
  std::string default_kvb;

  // Section "BackupFile".
  BackupFiles backup_files;

  LineItems main_window_lines;  // the board's pens and colours
  // The board's default font ("DefaultFont"): a display window's font while
  // the settings file keeps none of its own.
  FontSettings default_font;

  friend bool operator==(const ProgramSettings&, const ProgramSettings&) = default;
};

// The settings of a missing "korv.ini". The page-file threshold is one tenth
// of the machine's total page file; the default font's face name is the one
// of the interface language (without `english`, of the user's locale).
ProgramSettings DefaultSettings(const Environment& env, bool english);
ProgramSettings DefaultSettings(const Environment& env);

// Reads the whole file over the defaults; `english` picks the face-name key
// of the default font.
ProgramSettings ReadSettings(const IniFile& ini, bool english, const Environment& env);

// Writes the keys the program owns at close: every key of "Setting" and of
// the passenger types, the main window's rectangle (only when it has one),
// the open flags of the map edit and map message windows, the main window's
// line styles and the default font. Every other line stays as it was. The
// display windows write their own sections (WriteDisplayWindowLayout).
void WriteSettings(const ProgramSettings& settings, IniFile& ini, bool english);

// The file on disk: a missing file reads as the defaults; saving rewrites the
// program's keys in the existing file and replaces it atomically.
ProgramSettings LoadSettingsFile(const std::string& path, bool english, const Environment& env);
bool SaveSettingsFile(const std::string& path, const ProgramSettings& settings, bool english);

// The settings of the data folder in use: its settings file, or the defaults
// when there is no data folder (the program runs without one, and a
// settings file elsewhere is none of its business).
ProgramSettings LoadProgramSettings(const DataFolder& data_folder, const Environment& env);
// Changes the data folder's settings file in place, every other line kept.
// Without a data folder there is no settings file: nothing is written
// (true). False when the file could not be written.
bool UpdateSettingsFile(const DataFolder& data_folder, const std::function<void(IniFile&)>& change);

// Empties the keys "kvb", "stack" and "kvm" of "BackupFile": after a normal
// end there is nothing to recover.
void ClearBackupKeys(IniFile& ini);

// A window's rectangle; `defaults` gives the keys that are missing.
WindowRect ReadWindowRect(const IniFile& ini, std::string_view section, const WindowRect& defaults);
// Writes the four position keys, or nothing when `rect` has no position.
void WriteWindowRect(IniFile& ini, std::string_view section, const WindowRect& rect);
// What the map edit window saves when it closes: its rectangle and grid steps.
void WriteMapEditWindowLayout(IniFile& ini, const MapEditWindowSettings& window);

// "%sLine%02d" with the owner's name and the item's number.
std::string LineItemSection(std::string_view owner, int number);
// Reads every key of each item's section with the item's current value as
// default, so a partly written section keeps the rest; each colour
// component is one byte.
void ReadLineItems(const IniFile& ini, std::string_view owner, std::span<LineItem> items);
void WriteLineItems(IniFile& ini, std::string_view owner, std::span<const LineItem> items);
// Stores the board's items in the data folder's settings file at once
// (true without a data folder: there is no file; false when it could not
// be written).
bool SaveMainWindowLineItems(const DataFolder& data_folder, const LineItems& items);

// The display window `n` (0..15) of the settings file: its place (the
// defaults of window 00 or of the others where keys are missing), toolbar,
// font ("FontDisplayWindow%02d", over the board's default font) and, for
// windows 01 to 15, whether it reopens.
DisplayWindowLayout DefaultDisplayWindowLayout(int n, bool english);
DisplayWindowLayout ReadDisplayWindowLayout(const IniFile& ini, int n, bool english,
                                            const FontSettings& default_font);
// What a display window writes when it closes (and at the program's close
// for the windows still open): the position keys (as "%ld", only while it
// has a position), "ViewToolBar", "open" (windows 01 to 15) and its font.
void WriteDisplayWindowLayout(IniFile& ini, int n, const DisplayWindowLayout& layout, bool english);

}  // namespace corvane
