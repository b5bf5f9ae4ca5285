#pragma once
// The dialogs the editing tools open, behind one interface: the tools ask,
// the desktop program shows them, a script answers them, a test fakes them.

#include <vector>

#include "base/dialog_model.h"
#include "editor/edit_mode.h"
#include "editor/signal_detail.h"
#include "map/edit_map.h"
#include "map/map_change.h"

namespace corvane {

// The dialogs the click tools open. Each works on copies and reports whether
// the user confirmed; the default implementation stands in until the real
// dialogs exist and keeps every current value.
class EditDialogs {
 public:
  virtual ~EditDialogs() = default;

  // The station selection dialog of a station, stop-section, yard or
  // station-drawing tool (`tool` says which). `*current` is the tool's
  // current station (modes 5, 7, 9) or stop section (modes 6, 8); the dialog
  // may add, change and delete records of the map on its way (through
  // `change`). True with `*current` set when the user chose one, false when
  // the tool is left. Default: keeps the current one, or the first when
  // there is none; with an empty list only leaving is possible.
  virtual bool ChooseStation(MapChange& change, EditMode tool, int* current);

  // The rail information dialog of segment `rail`, on copies of the record
  // and of the whole detail list. True when they are to be stored.
  // Default: cancelled.
  virtual bool EditRail(const EditMap& map, int rail, MapRail* record,
                        std::vector<MapDetail>* details);
  // The same dialog for point `point`.
  virtual bool EditPoint(const EditMap& map, int point, MapPoint* record,
                         std::vector<MapDetail>* details);

  // The naming list dialog of a naming command for naming table `table`;
  // entries may be added, changed and deleted on its way. True with `*entry`
  // set when the user chose one. Default: keeps the current entry, or the
  // first.
  virtual bool ChooseNameEntry(MapChange& change, NameTable table, int* entry);
  // The name dialog of the manual naming command, on a copy of the four
  // texts. Default: cancelled.
  virtual bool EditNames(MapNameEntry* names);

  // The value dialogs of the setter commands, preset to the current value;
  // true with the value set when confirmed. Defaults: confirmed unchanged.
  virtual bool ChooseElectric(int* kind);
  virtual bool ChooseSignalType(const EditMap& map, int* type);
  virtual bool EnterSpeed(int* speed);
  virtual bool EnterDistance(int* metres);
  // The grid display dialog: every n-th column and row line dark (0 none).
  virtual bool EditGrid(int* grid_x, int* grid_y);

  // The map's own settings, on copies: map properties, signal settings,
  // unit and standard times, and the signal types with their aspects.
  // Defaults: confirmed unchanged.
  virtual bool EditMapProperty(MapHeader* header);
  virtual bool EditSignalSettings(MapSettings* settings);
  virtual bool EditTimeUnits(TimeUnits* units);
  virtual bool EditSignalDetails(const MapSettings& settings, SignalTables* tables);
};

// The dialogs shown as dialog models by a host: the desktop program's
// windows, or the answers of an editing script.
class HostedEditDialogs : public EditDialogs {
 public:
  explicit HostedEditDialogs(DialogHost& host) : host_(host) {}

  bool ChooseStation(MapChange& change, EditMode tool, int* current) override;
  bool EditRail(const EditMap& map, int rail, MapRail* record,
                std::vector<MapDetail>* details) override;
  bool EditPoint(const EditMap& map, int point, MapPoint* record,
                 std::vector<MapDetail>* details) override;
  bool ChooseNameEntry(MapChange& change, NameTable table, int* entry) override;
  bool EditNames(MapNameEntry* names) override;
  bool ChooseElectric(int* kind) override;
  bool ChooseSignalType(const EditMap& map, int* type) override;
  bool EnterSpeed(int* speed) override;
  bool EnterDistance(int* metres) override;
  bool EditGrid(int* grid_x, int* grid_y) override;
  bool EditMapProperty(MapHeader* header) override;
  bool EditSignalSettings(MapSettings* settings) override;
  bool EditTimeUnits(TimeUnits* units) override;
  bool EditSignalDetails(const MapSettings& settings, SignalTables* tables) override;

 private:
  DialogHost& host_;
};

}  // namespace corvane
