#pragma once
// The layout modes of the operation board: row-division editing (the
// right end of each display row chosen among the cut positions),
// row-position editing (each row's origin placed by a click) and
// rail-property selection. One LayoutEditing serves the whole program: the
// mode is shared by every display window, and entering one mode ends the
// others. Each input returns what the windows are to do; the rows change
// through one DiaChange per click, and the windows redraw from the model's
// event as after any change of the data.

#include <optional>
#include <string>

#include "base/canvas.h"
#include "board/board_view.h"
#include "run/dia_model.h"

namespace corvane {

// What a layout command or click asks of the windows.
struct LayoutEffects {
  // The message line's new text (Japanese; the English interface shows its
  // twin); an empty text clears the line; none leaves it.
  std::optional<std::string> prompt;
  // Every display window redraws: the mode, the row or the selection
  // changed (a change of the data is told by the model as well).
  bool redraw = false;
  // The window's new scroll offsets in pixels.
  std::optional<int> scroll_x;
  std::optional<int> scroll_y;
  // The rail whose property dialog opens, 0 none.
  int open_rail_properties = 0;
  // A click that could do nothing (no cut within the row's reach, no room
  // for another row): the window beeps.
  bool beep = false;
};

class LayoutEditing {
 public:
  LayoutMode mode() const { return mode_; }
  // The row being edited in row-division and row-position editing, else 0.
  int row() const {
    return mode_ == LayoutMode::kRowDivision || mode_ == LayoutMode::kRowPosition ? row_ : 0;
  }
  // The rail selected in rail-property selection, else 0.
  int selected_rail() const { return mode_ == LayoutMode::kRailProperty ? selected_rail_ : 0; }

  // The menu commands "表示区切り変更", "表示位置変更" and "線路プロパティ":
  // each enters its mode (ending another) or, when it is the mode already,
  // leaves it. Nothing happens while the data has no display rows.
  // `view` is the window the command came from.
  LayoutEffects ToggleRowDivision(const DiaModel& model, const BoardView& view);
  LayoutEffects ToggleRowPosition(const DiaModel& model);
  LayoutEffects ToggleRailProperty(const DiaModel& model);
  // Back to the normal mode.
  LayoutEffects Leave();

  // Clicks on a window showing `view` (its pixels); they do nothing in the
  // normal mode.
  LayoutEffects LeftClick(DiaModel& model, const BoardView& view, PixelPoint click);
  LayoutEffects RightClick(const DiaModel& model);
  LayoutEffects DoubleClick(const DiaModel& model, const BoardView& view, PixelPoint click);

  // A board key in the current mode. Space moves to the next row (the twin
  // of the selected rail in rail-property selection); Enter opens the
  // selected rail's properties; the arrows move the row's right end to the
  // previous or next cut (left and right, row-division editing), the row's
  // origin by kRowOriginStep map units (row-position editing), or the
  // selection to the rail linked on that side or the nearest rail above or
  // below. False in `*taken` when the key does nothing in the mode (the
  // window then scrolls as in the normal mode).
  enum class Key { kSpace, kEnter, kLeft, kRight, kUp, kDown };
  LayoutEffects PressKey(DiaModel& model, const BoardView& view, Key key, bool* taken);

 private:
  // False after leaving the mode, when the data has no rows any more (other
  // data was opened); the row is kept among the rows there are.
  bool StillEditing(const DiaModel& model, LayoutEffects& effects);
  // The edited row's right end moves to `cut` (one change); false, with a
  // beep, when it could not.
  bool MoveRightEnd(DiaModel& model, const BoardView& view, int cut, LayoutEffects& effects);
  std::string Prompt() const;
  LayoutEffects MoveCut(DiaModel& model, const BoardView& view, int towards);
  LayoutEffects MoveOrigin(DiaModel& model, int dx, int dy);
  LayoutEffects SelectRail(int rail);

  LayoutMode mode_ = LayoutMode::kNormal;
  int row_ = 1;
  int selected_rail_ = 0;
};

// How far an arrow key moves a row's origin, in map units.
inline constexpr int kRowOriginStep = 20;

// The drawn rail nearest to `rail`'s middle among those whose middle lies
// above it (`towards` -1) or below it (+1), the first on ties; 0 none.
int RailAboveOrBelow(const BoardView& view, const SystemMap& map, int rail, int towards);

// The rail drawn nearest `click` other than `except`, the first on ties; 0
// when there is none. Nearness weighs the middle and both ends of the rail
// as drawn (row offsets, a leftward rail one track width lower).
int NearestRail(const BoardView& view, const SystemMap& map, PixelPoint click, int except = 0);

}  // namespace corvane
