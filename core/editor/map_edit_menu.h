#pragma once
// The map edit window's menus as data: the File menu, and the Edit and View
// menus built from the tools' descriptions, with the state of their commands.

#include <string_view>
#include <vector>

#include "base/menu.h"

namespace corvane {

class EditSession;

// Ids of the map edit window's File menu.
inline constexpr const char kCmdNewMap[] = "map_edit.new_map";
inline constexpr const char kCmdOpenMap[] = "map_edit.open_map";
inline constexpr const char kCmdSaveMap[] = "map_edit.save_map";
inline constexpr const char kCmdSaveMapAs[] = "map_edit.save_map_as";
inline constexpr const char kCmdCompile[] = "map_edit.compile";
// The submenu of recent map files, filled by the window.
inline constexpr const char kRecentMapsMenuId[] = "map_edit.recent_maps";

// The entries of the recent maps submenu: "&1 name.kvm  (folder)".
std::vector<std::string> RecentMapLabels(const std::vector<std::string>& paths);

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
inline constexpr const char kCmdUndo[] = "map_edit.undo";
inline constexpr const char kCmdRedo[] = "map_edit.redo";
inline constexpr const char kCmdClearSelection[] = "map_edit.clear_selection";
inline constexpr const char kCmdInvertSelection[] = "map_edit.invert_selection";
inline constexpr const char kCmdErrorDisplay[] = "map_edit.error_display";
inline constexpr const char kCmdGrid[] = "map_edit.grid";
inline constexpr const char kCmdZoomIn[] = "map_edit.zoom_in";
inline constexpr const char kCmdZoomOut[] = "map_edit.zoom_out";
inline constexpr const char kCmdZoomReset[] = "map_edit.zoom_reset";
inline constexpr const char kCmdZoomToFit[] = "map_edit.zoom_to_fit";
inline constexpr const char kCmdDirectionBoth[] = "map_edit.direction_both";
inline constexpr const char kCmdDirectionLeftward[] = "map_edit.direction_leftward";
inline constexpr const char kCmdDirectionRightward[] = "map_edit.direction_rightward";
inline constexpr const char kCmdSingleTrack[] = "map_edit.single_track";
inline constexpr const char kCmdElectric[] = "map_edit.electric";
inline constexpr const char kCmdSignalLeftward[] = "map_edit.signal_leftward";
inline constexpr const char kCmdSignalRightward[] = "map_edit.signal_rightward";
inline constexpr const char kCmdSpeedLimit[] = "map_edit.speed_limit";
inline constexpr const char kCmdPointSpeed[] = "map_edit.point_speed";
inline constexpr const char kCmdLength[] = "map_edit.length";
inline constexpr const char kCmdStopLeftward[] = "map_edit.stop_leftward";
inline constexpr const char kCmdStopRightward[] = "map_edit.stop_rightward";
inline constexpr const char kCmdStartPoint[] = "map_edit.start_point";
inline constexpr const char kCmdStartDistance[] = "map_edit.start_distance";
inline constexpr const char kCmdInsertRows[] = "map_edit.insert_rows";
inline constexpr const char kCmdInsertColumns[] = "map_edit.insert_columns";
inline constexpr const char kCmdDeleteRows[] = "map_edit.delete_rows";
inline constexpr const char kCmdDeleteColumns[] = "map_edit.delete_columns";
inline constexpr const char kCmdMapProperty[] = "map_edit.map_property";
inline constexpr const char kCmdMapSignalSettings[] = "map_edit.signal_settings";
inline constexpr const char kCmdMapTimeUnits[] = "map_edit.time_units";
inline constexpr const char kCmdMapSignalDetails[] = "map_edit.signal_details";
inline constexpr const char kCmdManualName[] = "map_edit.manual_name";
inline constexpr const char kCmdBlockNameAuto[] = "map_edit.block_name_auto";
inline constexpr const char kCmdBlockNameSemi[] = "map_edit.block_name_semi";
inline constexpr const char kCmdYardName[] = "map_edit.yard_name";
inline constexpr const char kCmdStationName[] = "map_edit.station_name";
inline constexpr const char kCmdStopSectionName[] = "map_edit.stop_section_name";

// The File menu (new, open, save, save as, with their shortcuts, and the
// compile command), as a menu bar holding that one menu.
const std::vector<MenuEntry>& MapEditFileMenu();
// The tool menus after the File menu: Edit (placing, deleting, property,
// selecting, moving), the settings (value setters, start point, rows and
// columns), the naming tools and View (error display, grid), each tool
// checkable, with its letter key shown.
const std::vector<MenuEntry>& MapEditToolMenus();

// The tool commands and the compile command: enabled while a map is open (undo and redo while there
// is something to take back or do again, their texts naming it); the active
// tool (with its direction or selection kind) and the error display are
// checked.
MenuState MapEditMenuState(const EditSession& session);

}  // namespace corvane
