#pragma once
// The main window's menu bar as data, with the rules that say which of its
// commands are enabled and checked.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/web_help.h"
#include "base/menu.h"

namespace corvane {

// Ids of the main window's commands.
inline constexpr const char kCmdMapSelect[] = "file.map_select";
inline constexpr const char kCmdOpenDia[] = "file.open_dia";
inline constexpr const char kCmdSaveDia[] = "file.save_dia";
inline constexpr const char kCmdSaveDiaAs[] = "file.save_dia_as";
inline constexpr const char kCmdImport[] = "file.import";
inline constexpr const char kCmdImportWindia[] = "file.import_windia";
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
inline constexpr const char kCmdMapEditWindow[] = "window.map_edit";
inline constexpr const char kCmdMessageWindow[] = "window.message";
inline constexpr const char kCmdPassengerWindow[] = "window.passenger";
inline constexpr const char kCmdStationInfo[] = "window.station_info";
inline constexpr const char kCmdHelpLocal[] = "help.local";
inline constexpr const char kCmdHelpWeb[] = "help.web";
inline constexpr const char kCmdFaq[] = "help.faq";
inline constexpr const char kCmdEnquete[] = "help.enquete";
inline constexpr const char kCmdHomePage[] = "help.home_page";
inline constexpr const char kCmdAbout[] = "help.about";

// The main window's menu bar: one entry per menu, in order.
const std::vector<MenuEntry>& MainMenu();
// The commands whose feature this program has so far.
std::set<std::string, std::less<>> AvailableMainCommands();

// What the main menu's state depends on.
struct MainMenuInputs {
  // Commands whose feature exists; every other command is disabled.
  std::set<std::string, std::less<>> available = AvailableMainCommands();
  bool map_edit_window_open = false;
  bool message_window_open = false;
  bool passenger_window_open = false;
  bool internet_confirmation = true;
  bool auto_backup = true;  // program setting "BackupFile"
  // The active display window's simple display and train icons.
  bool simple_display = false;
  bool train_icons = false;
  bool rail_property_mode = false;
};

// The main window runs as the map compiler: the running part's commands
// are always disabled, and so is the full interlocking display; check marks
// follow the inputs.
MenuState MainMenuState(const MainMenuInputs& inputs);

// The web page a help command opens; nothing for other commands.
std::optional<WebPage> WebPageForCommand(std::string_view id);

}  // namespace corvane
