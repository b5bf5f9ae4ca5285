#pragma once
// The board as text: one line per label, frame and rail that display window
// drawing produces, in drawing order, every record visited whatever lies in
// the window. Used by `corvane-cli dia board` and by tests that compare what
// the board draws.

#include <string>

#include "board/board_drawing.h"

namespace corvane {

// A canvas that draws nothing and measures text in a fixed-pitch font
// (6 pixels a byte, 12 high), for drawings only an observer listens to.
class NullCanvas : public Canvas {
 public:
  void FillRect(int, int, int, int, Rgb) override {}
  void FrameRect(int, int, int, int, Rgb, int) override {}
  void Line(PixelPoint, PixelPoint, Rgb, int) override {}
  void FillPolygon(const std::vector<PixelPoint>&, Rgb) override {}
  void Text(PixelPoint, std::string_view, Rgb) override {}
  TextSize MeasureText(std::string_view utf8) override {
    return {static_cast<int>(utf8.size()) * 6, 12};
  }
};

// The text between double quotes with `\` and `"` escaped.
std::string QuotedText(std::string_view utf8);

// The dump of `scene`: the header line "board WxH scale SX,SY scroll PX,PY
// track W", then the point labels, jump labels, station frames with their
// names and the drawn rails, each line ending in "\n".
std::string DumpBoard(const BoardScene& scene);

}  // namespace corvane
