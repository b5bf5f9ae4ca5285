#include "editor/edit_dialogs.h"

#include "editor/edit_tool.h"
#include "editor/rail_info_dialog.h"
#include "editor/settings_dialogs.h"
#include "editor/station_dialogs.h"
#include "editor/value_dialogs.h"

namespace corvane {

bool EditDialogs::ChooseStation(MapChange& change, EditMode tool, int* current) {
  const EditMap& map = change.map();
  const int count = IsStopSectionTool(tool) ? map.targets().count() : map.stations().count();
  if (count == 0) return false;
  if (*current < 1 || *current > count) *current = 1;
  return true;
}

bool EditDialogs::EditRail(const EditMap& /*map*/, int /*rail*/, MapRail* /*record*/,
                           std::vector<MapDetail>* /*details*/) {
  return false;
}

bool EditDialogs::EditPoint(const EditMap& /*map*/, int /*point*/, MapPoint* /*record*/,
                            std::vector<MapDetail>* /*details*/) {
  return false;
}

bool EditDialogs::ChooseNameEntry(MapChange& change, NameTable table, int* entry) {
  const int count = change.map().Names(table).count();
  if (count == 0) return false;
  if (*entry < 1 || *entry > count) *entry = 1;
  return true;
}

bool EditDialogs::EditNames(MapNameEntry* /*names*/) { return false; }

bool EditDialogs::ChooseElectric(int*) { return true; }
bool EditDialogs::ChooseSignalType(const EditMap&, int*) { return true; }
bool EditDialogs::EnterSpeed(int*) { return true; }
bool EditDialogs::EnterDistance(int*) { return true; }
bool EditDialogs::EditGrid(int*, int*) { return true; }
bool EditDialogs::EditMapProperty(MapHeader*) { return true; }
bool EditDialogs::EditSignalSettings(MapSettings*) { return true; }
bool EditDialogs::EditTimeUnits(TimeUnits*) { return true; }
bool EditDialogs::EditSignalDetails(const MapSettings&, SignalTables*) { return true; }

bool HostedEditDialogs::ChooseStation(MapChange& change, EditMode tool, int* current) {
  StationSelectDialog dialog(change, tool, *current);
  if (!host_.Run(dialog)) return false;
  *current = dialog.chosen();
  return true;
}

bool HostedEditDialogs::EditRail(const EditMap& map, int rail, MapRail* record,
                                 std::vector<MapDetail>* details) {
  RailInfoDialog dialog(map, rail, false, host_.english());
  if (!host_.Run(dialog)) return false;
  *record = dialog.rail();
  *details = dialog.details();
  return true;
}

bool HostedEditDialogs::EditPoint(const EditMap& map, int point, MapPoint* record,
                                  std::vector<MapDetail>* details) {
  RailInfoDialog dialog(map, point, true, host_.english());
  if (!host_.Run(dialog)) return false;
  *record = dialog.point_record();
  *details = dialog.details();
  return true;
}

bool HostedEditDialogs::ChooseNameEntry(MapChange& change, NameTable table, int* entry) {
  NamingListDialog dialog(change, table, *entry);
  if (!host_.Run(dialog)) return false;
  *entry = dialog.chosen();
  return true;
}

bool HostedEditDialogs::EditNames(MapNameEntry* names) {
  NameDialog dialog(*names);
  if (!host_.Run(dialog)) return false;
  *names = dialog.names();
  return true;
}

bool HostedEditDialogs::ChooseElectric(int* kind) {
  ChoiceDialog dialog = ElectricKindDialog(*kind, host_.english());
  if (!host_.Run(dialog)) return false;
  *kind = dialog.chosen();
  return true;
}

bool HostedEditDialogs::ChooseSignalType(const EditMap& map, int* type) {
  SignalDetailDialog dialog(SignalTablesOf(map), map.header().settings, SignalDetailMode::kChoose,
                            *type, host_.english());
  if (!host_.Run(dialog)) return false;
  *type = dialog.chosen_type();
  return true;
}

bool HostedEditDialogs::EnterSpeed(int* speed) {
  SpeedDialog dialog;
  if (!host_.Run(dialog)) return false;
  *speed = dialog.speed();
  return true;
}

bool HostedEditDialogs::EnterDistance(int* metres) {
  DistanceDialog dialog;
  if (!host_.Run(dialog)) return false;
  *metres = dialog.distance();
  return true;
}

bool HostedEditDialogs::EditGrid(int* grid_x, int* grid_y) {
  GridDialog dialog(*grid_x, *grid_y);
  if (!host_.Run(dialog)) return false;
  *grid_x = dialog.grid_x();
  *grid_y = dialog.grid_y();
  return true;
}

bool HostedEditDialogs::EditMapProperty(MapHeader* header) {
  MapPropertyDialog dialog(*header);
  if (!host_.Run(dialog)) return false;
  *header = dialog.header();
  return true;
}

bool HostedEditDialogs::EditSignalSettings(MapSettings* settings) {
  SignalSettingsDialog dialog(*settings, SignalSettingsMode::kEditor);
  if (!host_.Run(dialog)) return false;
  *settings = dialog.settings();
  return true;
}

bool HostedEditDialogs::EditTimeUnits(TimeUnits* units) {
  TimeUnitsDialog dialog(*units);
  if (!host_.Run(dialog)) return false;
  *units = dialog.units();
  return true;
}

bool HostedEditDialogs::EditSignalDetails(const MapSettings& settings, SignalTables* tables) {
  SignalDetailDialog dialog(*tables, settings, SignalDetailMode::kEdit, 1, host_.english());
  if (!host_.Run(dialog)) return false;
  *tables = dialog.tables();
  return true;
}

}  // namespace corvane
