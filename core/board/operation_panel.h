#pragma once
// The board of every display window as the operation panel: clicks, the
// wheel and keys on the trains, points, levers, buttons and station frames
// drawn there, the context menu of a right click as data, the train
// commands of the "指令(&O)" menu and the typed point keys. The window and
// the headless tool feed the same inputs and get the same effects back;
// every change of the data goes through a DiaChange, a change of a
// window's view through the model's windows.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/canvas.h"
#include "base/prompter.h"
#include "board/board_drawing.h"
#include "board/layout_editing.h"
#include "run/dia_model.h"

namespace corvane {

inline constexpr char kPointRefusedText[] =
    "指定されたポイントは操作出来ません。発点てこを操作して下さい。";
inline constexpr char kPointRefusedNoPanelText[] =
    "指定されたポイントは操作出来ません。継電連動装置表示を有効にして、発点てこを操作して下さい。";
inline constexpr char kRouteForTrainFailedText[] = "進路構成に失敗しました。";
inline constexpr char kPlaceLabelPrompt[] = "ポイント記号の表示位置を、クリックして下さい。";
// The point key dialog.
inline constexpr char kPointKeyCaption[] = "キー設定";
inline constexpr char kPointKeyLabel[] = "ポイントキー";

// The most characters the typed-key buffer holds.
inline constexpr int kKeyBufferSize = 20;
// The maintenance text that renames the loaded names from the name tables.
inline constexpr char kRenameNamesText[] = "/jtoe";

// What one input asks of the windows.
struct PanelEffects {
  struct Line {
    std::string text;  // Japanese, UTF-8; the English interface shows its twin
    bool beep = false;
    friend bool operator==(const Line&, const Line&) = default;
  };
  std::vector<Line> lines;            // for the message line, in order
  bool beep = false;                  // a beep without a text
  std::optional<std::string> prompt;  // the message line's prompt ("" clears it)
  bool redraw = false;
  bool open_menu = false;                  // the context menu of the right click opens
  int open_rail_properties = 0;            // the rail whose property dialog opens
  int open_point_key = 0;                  // the point whose key dialog opens
  int open_station_frame = 0;              // the station frame whose station dialog opens
  std::optional<ViewSettings> new_window;  // a new display window with this view
  bool next_window = false;                // the next open display window is activated
  bool copy_board = false;                 // the whole board goes to the clipboard
  bool rename_names = false;               // the name tables rename the loaded names
};

struct PanelModifiers {
  bool shift = false;
  bool ctrl = false;
};

// The keys the board tells apart; a key that writes a character is
// kCharacter with its text.
enum class PanelKey {
  kCharacter,
  kTab,
  kEnter,
  kEscape,
  kSpace,
  kLeft,
  kRight,
  kUp,
  kDown,
  kBackspace,
  kDelete,
  kShift,
  kControl,
  kPause,
  kInsert,
  kFunction,  // F1 .. F12, with its number
};

// One line of a menu the panel builds.
struct PanelMenuLine {
  std::string id;  // "" for a separator and a header
  std::string japanese;
  std::string english;
  bool enabled = true;
  bool checked = false;
  bool separator = false;
  std::vector<PanelMenuLine> children;  // a submenu's lines
};

// What a window remembers of the panel.
struct PanelWindowState {
  // Hit by the last right click (rails for the lever and buttons), 0 none.
  int train = 0;
  int point = 0;
  int lever_rail = 0;
  int signal_rail = 0;
  int button_rail = 0;
  PixelPoint click;       // where the last right click was
  int chosen_lever = 0;   // the rail of the lever chosen as a route's start
  int placing_label = 0;  // the point whose label the next click places
};

// A window's client: its number and size in pixels.
struct PanelWindow {
  int n = 0;
  int width = 0;
  int height = 0;
};

class OperationPanel {
 public:
  explicit OperationPanel(LayoutEditing& editing) : editing_(editing) {}

  // Cleared while a modal operation of the main window runs: clicks on
  // trains, points and levers and typed keys then do nothing.
  bool operations_enabled() const { return enabled_; }
  void SetOperationsEnabled(bool enabled) { enabled_ = enabled; }
  const std::string& key_buffer() const { return buffer_; }
  const PanelWindowState& state(int n) const;
  // Message boxes go there (none: every box takes its safe answer).
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }

  // The scene window `n` draws, with its chosen lever and label placement.
  BoardScene Scene(const DiaModel& model, const PanelWindow& window,
                   const LineItems& items = DefaultLineItems()) const;

  PanelEffects LeftClick(DiaModel& model, const PanelWindow& window, PixelPoint click,
                         PanelModifiers modifiers);
  PanelEffects RightClick(DiaModel& model, const PanelWindow& window, PixelPoint click);
  PanelEffects DoubleClick(DiaModel& model, const PanelWindow& window, PixelPoint click);
  // `notches` away from the user (positive) or towards the user.
  PanelEffects Wheel(DiaModel& model, const PanelWindow& window, int notches, bool shift);
  // `text` is the character a kCharacter key writes; `function` the number
  // of a function key.
  PanelEffects Key(DiaModel& model, const PanelWindow& window, PanelKey key, std::string_view text,
                   PanelModifiers modifiers, int function = 0);

  // The context menu of window `n`'s last right click: blocks of lines
  // with a separator between them; empty in the layout modes.
  std::vector<PanelMenuLine> ContextMenu(const DiaModel& model, int n) const;
  PanelEffects RunContextCommand(DiaModel& model, const PanelWindow& window, std::string_view id);
  // The "指令(&O)" menu for window `n`'s selected train, and its commands.
  std::vector<PanelMenuLine> TrainCommandMenu(const DiaModel& model, int n) const;
  PanelEffects RunTrainCommand(DiaModel& model, int n, std::string_view id);

 private:
  PanelWindowState& Mutable(int n);
  PanelEffects TypedKey(DiaModel& model, PanelKey key, std::string_view text,
                        PanelModifiers modifiers);
  PanelEffects LayoutKey(DiaModel& model, const PanelWindow& window, LayoutEditing::Key key,
                         bool* taken);
  PanelEffects ArrowKey(DiaModel& model, const PanelWindow& window, PanelKey key,
                        PanelModifiers modifiers);

  LayoutEditing& editing_;
  bool enabled_ = true;
  Prompter* prompter_ = nullptr;
  std::string buffer_;
  std::array<PanelWindowState, kDisplayWindows> windows_{};
};

// The minutes of the "延発" and "早発" entries.
inline constexpr int kDepartureMinutes[] = {1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 20};
// The stations offered for "駅指定抑止": the first five distinct stations
// at which the train's diagram stops (arrivals and departures).
std::vector<int> HoldStations(const DiaFile& file, int train);
// The length in characters of the longest point key.
int LongestPointKey(const SystemMap& map);

// A menu line found by its text without the accelerator (Japanese or
// English): "抑止" or "延発/5分" for a submenu's line. Null when none or
// when it is a separator, a header or disabled.
const PanelMenuLine* FindPanelLine(const std::vector<PanelMenuLine>& menu, std::string_view text);

}  // namespace corvane
