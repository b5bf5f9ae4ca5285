#include "editor/edit_dialogs.h"

#include "editor/rail_info_dialog.h"
#include "editor/station_dialogs.h"

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

}  // namespace corvane
