#pragma once
// corvane-cli's picture of the operation board, drawn as a display window
// draws it. Built only with the Qt layer.

#include <string>

#include "board/board_drawing.h"

namespace corvane {

// Writes the board of `scene` as a PNG picture to `out_path` (replacing a
// file there only once the picture is written whole): the window's client
// area, or with `whole` everything its scroll bars reach at its zoom.
// The series' icons come from `icon_folder`. Reports to standard error;
// false on failure.
bool RenderBoardFile(BoardScene scene, bool whole, const std::string& icon_folder,
                     const std::string& out_path);

}  // namespace corvane
