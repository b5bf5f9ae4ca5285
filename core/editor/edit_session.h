#pragma once
// The editing state of the map edit window and its click tools, as a plain
// state machine: the window feeds it mouse positions (pixels from the
// scrolled origin) and keys, carries out the scroll requests it returns and
// draws and shows what it reports (the prompt line, the drawing options).
// Refusals go through the Prompter; the value dialogs a tool opens go through
// EditDialogs, so the whole behaviour runs and is tested without a window.

#include <string>
#include <vector>

#include "base/prompter.h"
#include "editor/edit_map.h"
#include "editor/edit_mode.h"
#include "editor/map_drawing.h"

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
  // may add, change and delete records of the map on its way. True with
  // `*current` set when the user chose one, false when the tool is left.
  // Default: keeps the current one, or the first when there is none; with an
  // empty list only leaving is possible.
  virtual bool ChooseStation(EditMap& map, EditMode tool, int* current);

  // The rail information dialog of segment `rail`, on copies of the record
  // and of the whole detail list. True when they are to be stored.
  // Default: cancelled.
  virtual bool EditRail(const EditMap& map, int rail, MapRail* record,
                        std::vector<MapDetail>* details);
  // The same dialog for point `point`.
  virtual bool EditPoint(const EditMap& map, int point, MapPoint* record,
                         std::vector<MapDetail>* details);
};

// Keys besides the character keys.
enum class EditKey { kEscape, kLeft, kRight, kUp, kDown, kTab };

// A scroll the window is asked to carry out, in pages or in cells.
struct ScrollRequest {
  int dx = 0;  // columns or pages rightward (negative: leftward)
  int dy = 0;  // rows or pages downward (negative: upward)
  bool pages = true;
  bool any() const { return dx != 0 || dy != 0; }
};

// Cells scrolled by an arrow key with Shift.
inline constexpr int kShiftScrollCells = 5;

// What a key did besides changing the session's state.
struct KeyResult {
  bool handled = false;
  ScrollRequest scroll;
  bool clear_check_messages = false;  // the error display was switched on
};

// Values the value-setting click tools store; set by their dialogs.
struct ToolValues {
  int electric = kDefaultElectric;
  int signal_type = kDefaultSignal;
  int speed_limit = 0;  // km/h, 0 none
  int distance = 0;     // metres: lengths and stop targets
  MapNameEntry names;   // manual naming
  int name_entry = 0;   // automatic naming: the naming-table entry
};

// Number of selection marks on the map (each jump end counts once).
int SelectionCount(const EditMap& map);
// Clears every selection mark.
void ClearSelection(EditMap& map);

// Clamps the stop targets of a segment inside a station or stop section to
// length - 20 for each direction the segment allows (0 counts as unset and
// becomes that value too).
void ClampStopTargets(MapRail& rail);

// Turns the whole map by a half turn about the centre of the area its objects
// use, so it stays where it was and turning it twice gives the map back.
// Left and right exchange everywhere (directions, turnout kinds, signals,
// stop targets, names, sub-section details, jump ends); gradients and radii
// change sign. Sets `modified` when there was anything to turn.
void RotateMapHalfTurn(EditMap& map);

class EditSession {
 public:
  EditSession(EditMap& map, Prompter& prompter, EditDialogs& dialogs);

  // Choosing a tool; every choice clears the pending point and any
  // half-built turnout or crossing. The station tools (5 to 9) first ask for
  // their station and leave the tool (mode 0) when that is cancelled; the
  // move tool needs a selection.
  void ChooseMode(EditMode mode);
  // The track tool with a direction (1 both, 2 leftward, 3 rightward).
  void ChooseTrackTool(int direction);
  // The selection tool of a kind.
  void ChooseSelection(SelectionKind kind);
  // "移動": into the move tool, or back to selection from it.
  void ToggleMove();

  // Mouse buttons at a pixel measured from the scrolled origin.
  void LeftDown(int px, int py);
  void LeftUp(int px, int py);
  void RightDown(int px, int py);

  // Esc, Shift+Tab and the arrow keys.
  KeyResult KeyDown(EditKey key, bool shift);
  // Character keys choosing tools (ignored while no map is open).
  KeyResult CharKey(char key);

  // The error display on or off (the "e" key); true when it is on now, and
  // the map message window is then to be cleared.
  bool ToggleErrorDisplay();

  // The half-turn rotation (Shift+Tab); forgets half-finished input.
  void RotateHalfTurn();

  // The prompt line for the active tool (UTF-8).
  std::string Prompt() const;

  // Copies what the drawing shows of the session into `options` (mode,
  // selection kind, current station, tool values, highlight, pending point,
  // crossing corners); the view fields stay the window's.
  void FillDrawOptions(MapDrawOptions* options) const;

  // The map was replaced or reset: forgets half-finished input and the
  // highlight, and current stations that no longer exist.
  void MapReplaced();

  // Adds a station (stop section) as the station selection dialog does and
  // makes it the current one; sets `modified`. 0 after a refusal.
  int AddStation(const MapStation& station);
  int AddStopSection(const MapTarget& target);

  EditMode mode() const { return mode_; }
  SelectionKind selection_kind() const { return selection_kind_; }
  GridPoint pending() const { return pending_; }
  bool has_pending() const { return pending_ != GridPoint{}; }
  int track_direction() const { return track_direction_; }
  int building_point() const { return building_point_; }
  const std::vector<GridPoint>& crossing_corners() const { return crossing_corners_; }
  int current_station() const { return current_station_; }
  int current_target() const { return current_target_; }
  void set_current_station(int station) { current_station_ = station; }
  void set_current_target(int target) { current_target_ = target; }
  ToolValues& tool_values() { return tool_values_; }
  const ToolValues& tool_values() const { return tool_values_; }
  GridPoint drag_reference() const { return drag_reference_; }
  bool error_display() const { return error_display_; }

  // The object whose information dialog is open (drawn highlighted).
  int highlight_rail() const { return highlight_rail_; }
  int highlight_point() const { return highlight_point_; }
  int highlight_branch() const { return highlight_branch_; }

  // The window's no-map state (before a new map is started or a map opened):
  // character keys are ignored and the prompt asks for a map.
  bool map_open() const { return map_open_; }
  void set_map_open(bool open) { map_open_ = open; }

  EditMap& map() { return map_; }
  const EditMap& map() const { return map_; }

 private:
  void SetMode(EditMode mode);
  void ForgetInput();
  void Refuse(const Refusal& refusal);
  // Asks for the current station of a station tool; mode 0 when cancelled.
  void ReopenStationDialog();

  void TrackClick(GridPoint p);
  void TurnoutClick(GridPoint p);
  void AddTurnoutBranch(GridPoint p);
  void CrossingClick(int px, int py, GridPoint p);
  void AddCrossing();
  void AssignClick(int px, int py);
  void StationDrawingClick(GridPoint p);
  void JumpClick(GridPoint p);
  void DeleteAt(int px, int py);
  void PropertyAt(int px, int py);
  bool MoveSelection(EditKey key, bool shift);
  void DragSelection(GridPoint to);

  EditMap& map_;
  Prompter& prompter_;
  EditDialogs& dialogs_;

  EditMode mode_ = EditMode::kNone;
  SelectionKind selection_kind_ = SelectionKind::kIndividual;
  GridPoint pending_;  // (0, 0): none
  // Set by a half turn until any other input; a second half turn then
  // restores modified_before_half_turn_.
  bool half_turn_pending_ = false;
  bool modified_before_half_turn_ = false;
  int track_direction_ = kBothWays;
  int building_point_ = 0;  // turnout under construction
  std::vector<GridPoint> crossing_corners_;
  int current_station_ = 0;
  int current_target_ = 0;
  ToolValues tool_values_;
  GridPoint drag_reference_;  // where the selection tool was last clicked
  int highlight_rail_ = 0;
  int highlight_point_ = 0;
  int highlight_branch_ = 0;
  bool error_display_ = false;
  bool map_open_ = true;
};

}  // namespace corvane
