#pragma once
// The editing state of the map edit window and the dispatch of its input to
// the active tool, as a plain state machine: the window feeds it mouse
// positions (pixels from the scrolled origin), keys and menu commands,
// carries out the scroll requests it returns and draws and shows what it
// reports (the prompt line, the drawing options). Refusals go through the
// Prompter; the dialogs a tool opens go through EditDialogs, so the whole
// behaviour runs and is tested without a window. What each tool does is in
// its description (edit_tool.h).

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/canvas.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "editor/edit_dialogs.h"
#include "editor/edit_mode.h"
#include "editor/map_drawing.h"
#include "editor/map_selection.h"
#include "editor/map_zoom.h"
#include "map/check_marks.h"
#include "map/edit_map.h"
#include "map/map_change.h"

namespace corvane {

struct EditTool;

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

// Angle of one notch of a mouse wheel, in the units wheels report (1/8 degree).
inline constexpr int kWheelNotch = 120;

// Whole notches in a turn of the wheel by `angle`; `remainder` carries the
// part of a notch that fine-grained wheels report until it adds up to a
// whole one. Ctrl with the wheel zooms a step per notch.
int WheelNotches(int angle, int* remainder);

// The scroll of a turn of the mouse wheel: one page per notch, upward (or
// leftward) for a turn away from the user; vertical, or horizontal with
// Shift or for a wheel that turns sideways (WheelNotches).
ScrollRequest WheelScroll(int angle_x, int angle_y, bool shift, int* remainder);

// What a key or command did besides changing the session's state.
struct KeyResult {
  bool handled = false;
  ScrollRequest scroll;
  bool clear_check_messages = false;  // the error display was switched on
  // A zoom command ran: the scale before it (0: none). The view keeps the
  // grid point at its centre in place, or after Zoom to Fit shows the map
  // from column and row 0.
  int zoomed_from = 0;
  bool to_origin = false;
  // Where the view scrolls to show an object.
  std::optional<ScrollPosition> scroll_to;

  // A command or key that was taken, with nothing more to report.
  static KeyResult Handled() {
    KeyResult result;
    result.handled = true;
    return result;
  }
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

// What the tools remember between clicks, and the view's scale and size.
struct EditState {
  std::optional<GridPoint> pending;  // first click of a two-click tool
  int building_point = 0;            // turnout under construction
  std::vector<GridPoint> crossing_corners;
  int current_station = 0;
  int current_target = 0;
  int track_direction = kBothWays;
  SelectionKind selection_kind = SelectionKind::kIndividual;
  ToolValues values;
  // Where the selection tool was last pressed.
  std::optional<GridPoint> drag_reference;
  // The object whose information dialog is open (drawn highlighted).
  int highlight_rail = 0;
  int highlight_point = 0;
  int highlight_branch = 0;
  MapSelection selection;
  // What the last compile checks found, drawn while the error display is on.
  MapCheckMarks check_marks;
  bool error_display = false;
  // Every grid_x-th column and grid_y-th row line is drawn dark (0: none).
  int grid_x = 10;
  int grid_y = 4;
  // The view's scale in percent (map_zoom.h), and its size in its own
  // pixels (a session without a window keeps the window's first size).
  int zoom = kActualSize;
  int view_width = 1000;
  int view_height = 300;
  // The grid pixel under the mouse pointer, while it is over the map.
  std::optional<PixelPoint> hover;

  bool has_pending() const { return pending.has_value(); }
};

class EditSession : private MapListener {
 public:
  EditSession(EditMap& map, Prompter& prompter, EditDialogs& dialogs);
  ~EditSession() override;
  EditSession(const EditSession&) = delete;
  EditSession& operator=(const EditSession&) = delete;

  // Choosing a tool, with the variant its command gives (the track tool's
  // direction, the selection tool's kind; -1 keeps the current one). Every
  // choice clears half-finished input; a tool may refuse to be chosen, and
  // the station tools leave again when their station dialog is cancelled.
  // A setter tool first asks for its value (cancelled: nothing changes);
  // chosen while the selection tool is active, it sets the value on every
  // selected object after a confirmation and the selection tool stays.
  void ChooseMode(EditMode mode, int variant = -1);
  // Asks the active setter tool's dialog again (its right click).
  bool AskToolValue();
  // The grid display dialog.
  KeyResult EditGrid();

  // A command of the Edit or View menu by id, or by its letter key (ignored
  // while no map is open).
  KeyResult RunCommand(std::string_view id);
  KeyResult CharKey(char key);

  // Mouse buttons at a pixel measured from the scrolled origin.
  void LeftDown(int px, int py);
  void LeftUp(int px, int py);
  void RightDown(int px, int py);

  // Esc, Shift+Tab and the arrow keys.
  KeyResult KeyDown(EditKey key, bool shift);

  // The error display on or off (the "e" key); true when it is on now, and
  // the map message window is then to be cleared.
  bool ToggleErrorDisplay();

  // The half-turn rotation (Shift+Tab); forgets half-finished input. A
  // second half turn straight after the first takes the first back.
  void RotateHalfTurn();

  // The prompt line for the active tool (UTF-8).
  std::string Prompt() const;

  // Copies what the drawing shows of the session into `options` (mode,
  // selection, current station, tool values, highlight, pending point,
  // crossing corners); the view fields stay the window's.
  void FillDrawOptions(MapDrawOptions* options) const;

  // Adds a station (stop section) as the station selection dialog does and
  // makes it the current one. 0 after a refusal.
  int AddStation(const MapStation& station);
  int AddStopSection(const MapTarget& target);

  EditMode mode() const { return mode_; }
  SelectionKind selection_kind() const { return state_.selection_kind; }
  std::optional<GridPoint> pending() const { return state_.pending; }
  bool has_pending() const { return state_.has_pending(); }
  int track_direction() const { return state_.track_direction; }
  int building_point() const { return state_.building_point; }
  const std::vector<GridPoint>& crossing_corners() const { return state_.crossing_corners; }
  int current_station() const { return state_.current_station; }
  int current_target() const { return state_.current_target; }
  void set_current_station(int station) { state_.current_station = station; }
  void set_current_target(int target) { state_.current_target = target; }
  ToolValues& tool_values() { return state_.values; }
  const ToolValues& tool_values() const { return state_.values; }
  std::optional<GridPoint> drag_reference() const { return state_.drag_reference; }
  bool error_display() const { return state_.error_display; }
  const MapSelection& selection() const { return state_.selection; }
  MapSelection& selection() { return state_.selection; }
  int highlight_rail() const { return state_.highlight_rail; }
  int highlight_point() const { return state_.highlight_point; }
  int highlight_branch() const { return state_.highlight_branch; }

  // The window's no-map state (before a new map is started or a map opened):
  // character keys and commands are ignored and the prompt asks for a map.
  bool map_open() const { return map_open_; }
  void set_map_open(bool open) { map_open_ = open; }
  // The new-map command: `reset(confirm)` resets the map (asking first,
  // when `confirm`, whether a modified map may be lost; false when kept);
  // the window is without a map while the map property dialog and then the
  // signal settings dialog ask for the new map's basics. OK in both starts
  // the map unmodified; a cancelled dialog leaves the window without a map.
  bool StartNewMap(const std::function<bool(bool confirm)>& reset);

  // The view's scale: one step in or out of kZoomSteps, actual size, or the
  // scale that shows the whole map in the view.
  KeyResult ZoomBy(int steps);
  KeyResult ZoomReset();
  KeyResult ZoomToFit();
  // The size of the view in its own pixels, for Zoom to Fit.
  void SetViewSize(int width, int height);
  // The mouse pointer over grid pixel (px, py), or off the map: what the
  // next click would add is drawn as a preview.
  void Hover(int px, int py);
  void LeaveView();

  // A double click on a message-window line: the object the line names
  // becomes the one selection of the selection tool, and the view is to
  // centre it. Not handled for a line without an object (or one whose
  // object is gone) and while no map is open.
  KeyResult ShowLinked(std::optional<MessageLink> link);
  // The links of `log`'s lines follow the map's records (inserts, deletes,
  // a replaced map); null for none.
  void FollowLinksOf(MessageLog* log) { linked_log_ = log; }

  // Undo and redo of the map's actions (menu commands, Ctrl+Z, Ctrl+Y).
  KeyResult Undo();
  KeyResult Redo();

  // The map's settings dialogs (menu commands).
  KeyResult EditMapProperty();
  KeyResult EditSignalSettings();
  KeyResult EditTimeUnits();
  KeyResult EditSignalDetails();

  EditMap& map() { return map_; }
  const EditMap& map() const { return map_; }

  // For the tools' handlers.
  EditState& state() { return state_; }
  const EditState& state() const { return state_; }
  EditDialogs& dialogs() { return dialogs_; }
  void Refuse(const Refusal& refusal);
  // Makes `mode` the active tool and forgets half-finished input.
  void SetMode(EditMode mode);
  void ForgetInput();

 private:
  // The session's numbers of records follow every insert and delete; a
  // replaced map forgets the input and what no longer exists.
  void RecordInserted(MapTable table, int index) override;
  void RecordDeleted(MapTable table, int index) override;
  void ContentReplaced() override;
  std::any SaveEditorState() const override;
  void RestoreEditorState(const std::any& state) override;
  // Every input ends a half turn waiting to be taken back and a run of arrow
  // moves; the map changes it causes are named after `tool`.
  void BeginInput(const EditTool& tool);
  bool AskValue(const EditTool& tool);
  void SetOnSelection(const EditTool& tool);
  KeyResult ZoomTo(int zoom);

  EditMap& map_;
  Prompter& prompter_;
  EditDialogs& dialogs_;

  EditMode mode_ = EditMode::kNone;
  EditState state_;
  // Set by a half turn that changed the map, until any other input.
  bool half_turn_pending_ = false;
  // The count of committed actions after the last arrow move of a run of
  // them (-1: no run), so the run becomes one undo step.
  std::int64_t move_run_ = -1;
  // The prompt line while a value dialog is open ("" none).
  std::string dialog_prompt_;
  bool map_open_ = true;
  MessageLog* linked_log_ = nullptr;
};

}  // namespace corvane
