#pragma once
// A display window's board as the program shows it: its view built from
// the window's stored options and client size, the program's layout mode
// drawn into it, and the board commands and layout clicks of a window run
// on the data with the window's new zoom and scroll kept in its options (a
// change of what the window shows, not of the data).

#include "board/board_commands.h"
#include "board/board_drawing.h"
#include "board/layout_editing.h"
#include "board/line_items.h"
#include "run/dia_model.h"

namespace corvane {

// The view of open window `n` of `model` for a client of `width` x
// `height` pixels, in the program's layout mode.
BoardView WindowBoardView(const DiaModel& model, const LayoutEditing& editing, int n, int width,
                          int height);

// The scene window `n` draws: its view, options and the layout mode's
// row, cut and selected rail.
BoardScene WindowBoardScene(const DiaModel& model, const LayoutEditing& editing,
                            const LineItems& items, int n, int width, int height);

// Keeps `view`'s zoom and scroll as window `n`'s options; nothing when they
// are the ones stored or the window is not open.
void KeepWindowView(DiaModel& model, int n, const BoardView& view);

// Runs a board command ("運行盤表示" or the main window's "線路プロパティ")
// from window `n`: the layout commands change the data, the modes change
// `editing`, and the zoom and the scroll the command leaves are kept.
LayoutEffects RunWindowBoardCommand(DiaModel& model, LayoutEditing& editing, int n, int width,
                                    int height, BoardCommand command);

enum class BoardClick { kLeft, kRight, kDouble };
// A click at `pixel` of window `n` in a layout mode (nothing in the normal
// mode); the scroll it asks for is kept.
LayoutEffects RunWindowLayoutClick(DiaModel& model, LayoutEditing& editing, int n, int width,
                                   int height, BoardClick click, PixelPoint pixel);

}  // namespace corvane
