#pragma once
// The menus as data: the main window's menu bar and the map edit window's
// menus, each a tree of entries with their Japanese and English texts ("&"
// marks the accelerator) and a stable id per command, and the rules that say
// which commands are enabled and checked.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/web_help.h"
#include "editor/edit_session.h"

namespace corvane {

struct MenuEntry {
  std::string id;  // "" for a separator
  std::string japanese;
  std::string english;
  bool separator = false;
  bool checkable = false;           // shows a check mark when checked
  std::string shortcut;             // the key that does the same, as shown beside the text
  std::vector<MenuEntry> children;  // a menu's entries; empty for a command

  const std::string& Text(bool use_english) const { return use_english ? english : japanese; }
  bool IsMenu() const { return !children.empty(); }
};

// Ids of the main window's commands.
inline constexpr const char kCmdMapSelect[] = "file.map_select";
inline constexpr const char kCmdOpenDia[] = "file.open_dia";
inline constexpr const char kCmdSaveDia[] = "file.save_dia";
inline constexpr const char kCmdSaveDiaAs[] = "file.save_dia_as";
inline constexpr const char kCmdImport[] = "file.import";
inline constexpr const char kCmdOpenAnnouncement[] = "file.open_announcement";
inline constexpr const char kCmdQuit[] = "file.quit";
inline constexpr const char kCmdPassengerSimulation[] = "simulate.passenger_options";
inline constexpr const char kCmdInterlockingPanelMode[] = "simulate.interlocking_panel";
inline constexpr const char kCmdStartTime[] = "dia.start_time";
inline constexpr const char kCmdUnitTimes[] = "dia.unit_times";
inline constexpr const char kCmdTrainTypes[] = "dia.train_types";
inline constexpr const char kCmdSeries[] = "dia.series";
inline constexpr const char kCmdStopTimes[] = "dia.stop_times";
inline constexpr const char kCmdSpeedTypes[] = "dia.speed_types";
inline constexpr const char kCmdSignalSettings[] = "dia.signal_settings";
inline constexpr const char kCmdDiaProperty[] = "dia.property";
inline constexpr const char kCmdRailProperty[] = "map.rail_property";
inline constexpr const char kCmdElectrificationAll[] = "map.electrification_all";
inline constexpr const char kCmdSignalDetail[] = "map.signal_detail";
inline constexpr const char kCmdFont[] = "options.font";
inline constexpr const char kCmdLineStyles[] = "options.line_styles";
inline constexpr const char kCmdSimpleDisplay[] = "options.simple_display";
inline constexpr const char kCmdFullInterlockingDisplay[] = "options.full_interlocking";
inline constexpr const char kCmdTrainIcons[] = "options.train_icons";
inline constexpr const char kCmdInternetConfirmation[] = "options.internet_confirmation";
inline constexpr const char kCmdAutoBackup[] = "options.auto_backup";
inline constexpr const char kCmdMessageWindow[] = "window.message";
inline constexpr const char kCmdPassengerWindow[] = "window.passenger";
inline constexpr const char kCmdStationInfo[] = "window.station_info";
inline constexpr const char kCmdHelpLocal[] = "help.local";
inline constexpr const char kCmdHelpWeb[] = "help.web";
inline constexpr const char kCmdFaq[] = "help.faq";
inline constexpr const char kCmdEnquete[] = "help.enquete";
inline constexpr const char kCmdHomePage[] = "help.home_page";
inline constexpr const char kCmdAbout[] = "help.about";

// Ids of the map edit window's File menu.
inline constexpr const char kCmdNewMap[] = "map_edit.new_map";
inline constexpr const char kCmdOpenMap[] = "map_edit.open_map";
inline constexpr const char kCmdSaveMap[] = "map_edit.save_map";
inline constexpr const char kCmdSaveMapAs[] = "map_edit.save_map_as";

// Ids of the map edit window's tool commands.
inline constexpr const char kCmdTrackBoth[] = "map_edit.track_both";
inline constexpr const char kCmdTrackLeftward[] = "map_edit.track_leftward";
inline constexpr const char kCmdTrackRightward[] = "map_edit.track_rightward";
inline constexpr const char kCmdTurnout[] = "map_edit.turnout";
inline constexpr const char kCmdCrossing[] = "map_edit.crossing";
inline constexpr const char kCmdStation[] = "map_edit.station";
inline constexpr const char kCmdStopSection[] = "map_edit.stop_section";
inline constexpr const char kCmdStationYard[] = "map_edit.station_yard";
inline constexpr const char kCmdStopSectionYard[] = "map_edit.stop_section_yard";
inline constexpr const char kCmdStationDrawing[] = "map_edit.station_drawing";
inline constexpr const char kCmdJump[] = "map_edit.jump";
inline constexpr const char kCmdDelete[] = "map_edit.delete";
inline constexpr const char kCmdProperty[] = "map_edit.property";
inline constexpr const char kCmdSelectIndividual[] = "map_edit.select_individual";
inline constexpr const char kCmdSelectBatch[] = "map_edit.select_batch";
inline constexpr const char kCmdSelectRange[] = "map_edit.select_range";
inline constexpr const char kCmdMove[] = "map_edit.move";
inline constexpr const char kCmdErrorDisplay[] = "map_edit.error_display";

// The main window's menu bar: one entry per menu, in order.
const std::vector<MenuEntry>& MainMenu();
// The map edit window's File menu (new, open, save, save as), as a menu bar
// holding that one menu.
const std::vector<MenuEntry>& MapEditFileMenu();
// The map edit window's tool menus after the File menu: Edit (placing,
// deleting, property, selecting, moving) and View (error display).
const std::vector<MenuEntry>& MapEditToolMenus();

// The entry with `id` anywhere in `tree`, or null.
const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& tree, std::string_view id);
// The ids of every command (not menus, not separators) of `tree`, in order.
std::vector<std::string> CommandIds(const std::vector<MenuEntry>& tree);

// The commands whose feature this program has so far.
std::set<std::string, std::less<>> AvailableMainCommands();

// What the main menu's state depends on.
struct MainMenuInputs {
  // Commands whose feature exists; every other command is disabled.
  std::set<std::string, std::less<>> available = AvailableMainCommands();
  bool message_window_open = false;
  bool passenger_window_open = false;
  bool internet_confirmation = true;
  bool auto_backup = true;  // program setting "BackupFile"
  bool simple_display = false;
  bool train_icons = false;
  bool rail_property_mode = false;
};

struct CommandState {
  bool enabled = false;
  bool checked = false;
  friend bool operator==(const CommandState&, const CommandState&) = default;
};

// The state of every main-menu command, by id.
struct MenuState {
  std::map<std::string, CommandState, std::less<>> commands;
  // The state of `id`; disabled and unchecked for an id not in the menu.
  CommandState Of(std::string_view id) const;
};

// The main window runs as the map compiler: the running part's commands
// are always disabled, and so is the full interlocking display; check marks
// follow the inputs.
MenuState MainMenuState(const MainMenuInputs& inputs);

// Carries out tool command `id` of the map edit window on the session as its
// letter key would; not handled for any other id.
KeyResult RunEditToolCommand(std::string_view id, EditSession& session);

// The tool commands of the map edit window: enabled while a map is open;
// the active tool (with its direction or selection kind) and the error
// display are checked.
MenuState MapEditMenuState(const EditSession& session);

// The web page a help command opens; nothing for other commands.
std::optional<WebPage> WebPageForCommand(std::string_view id);

}  // namespace corvane
