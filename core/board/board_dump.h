#pragma once
// The board as text: one line per label, frame and rail that display window
// drawing produces, in drawing order, every record visited whatever lies in
// the window. Used by `corvane-cli dia board` and by tests that compare what
// the board draws.

#include <string>

#include "board/board_drawing.h"

namespace corvane {

// The text between double quotes with `\` and `"` escaped.
std::string QuotedText(std::string_view utf8);

// The dump of `scene`: the header line "board WxH scale SX,SY scroll PX,PY
// track W", then the point labels, jump labels, station frames with their
// names and the drawn rails, each line ending in "\n".
std::string DumpBoard(const BoardScene& scene);

}  // namespace corvane
