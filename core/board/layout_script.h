#pragma once
// The board's layout commands driven by text lines, one display window
// over the loaded data (`corvane-cli dia layout`), so that every command
// and click of the layout modes can be given from a script:
//
//   size 1000x700        the window's client size in pixels
//   scale 4096 4096      the zoom factors (kept within their range)
//   scroll 0 0           the scroll-bar positions (pixel offsets -20 x each)
//   command 表示区切り変更  a board command by its menu text without the
//                        accelerator, Japanese or English
//   click 150 60         a left click at a pixel of the board picture
//   right 150 60         a right click
//   double 150 60        a double click
//   save                 writes the data as the main window's save does
//
// Empty lines and lines starting with "#" are skipped. The window starts
// at 1000 x 700 pixels, scale 4096 on both axes, scrolled to 0, 0.

#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "base/menu.h"
#include "board/board_commands.h"

namespace corvane {

class LayoutScript {
 public:
  struct Output {
    // The message line's new text (Japanese; an empty text clears it).
    std::function<void(std::string_view)> prompt;
    // The rail property dialog opens for this rail.
    std::function<void(int)> rail_properties;
  };
  enum class Outcome {
    kDone,
    kBadLine,  // a line the script does not know, or a value out of range
    kFailed,   // the save failed
  };

  // `menus`: the menus whose commands a "command" line names by text.
  LayoutScript(DiaModel& model, std::vector<MenuEntry> menus, std::function<bool()> save,
               Output output);

  // Runs every line of `in` up to the first that fails; `*error` then says
  // which line and why ("line 3: ...").
  Outcome Run(std::istream& in, std::string* error);
  Outcome RunLine(std::string_view line, std::string* error);

  const BoardView& view() const { return view_; }
  const LayoutEditing& editing() const { return editing_; }

 private:
  Outcome Apply(const LayoutEffects& effects);

  DiaModel& model_;
  std::vector<MenuEntry> menus_;
  std::function<bool()> save_;
  Output output_;
  LayoutEditing editing_;
  BoardView view_;
};

}  // namespace corvane
