#pragma once
// Editing a map from a script of commands, one per line, as the headless
// tool reads them from standard input. Each command is what the user does in
// the map edit window: choose a tool, click, right-click, press a key, save.
//
//   mode N [ARG]        choose tool N; ARG is the direction of the track tool
//                       (both|left|right or 1|2|3), the kind of the selection
//                       tool (individual|batch|range or 0|1|2), or for the
//                       station tools (5 to 9) the station or stop section
//                       that answers their selection dialog
//   station ONE SHORT [NAME]      add a station as the station dialog does
//   stopsection ONE SHORT [NAME]  add a stop section likewise
//   click X Y           left click on grid point (X, Y), i.e. at pixel
//                       (X*10, Y*12)
//   clickpx PX PY       left click at a pixel
//   right X Y, rightpx PX PY      right click
//   release X Y, releasepx PX PY  left button released (the move tool's drag)
//   key NAME            Esc, Left, Right, Up, Down (each also with "Shift+"),
//                       Shift+Tab, space, a letter, or a shortcut of the
//                       window's menus (Ctrl+Z undo, Ctrl+Y or Ctrl+Shift+Z
//                       redo)
//   command NAME        a command of the map edit window's menus by its text
//                       without the accelerator, in Japanese or English
//                       ("選択解除", "Clear Selection"), or by its id
//                       ("map_edit.turnout"; the "map_edit." may be left out);
//                       "新規マップ" starts a new map (its map property and
//                       signal settings dialogs take the next answers)
//   answer yes|no       the answer to the next Yes/No question
//   answer [FIELD=VALUE]... ok|cancel
//                       the answer to the next dialog that opens: fields by
//                       their Japanese labels (with the group's arrow in
//                       front where a label stands in both direction groups,
//                       "詳細" for the detail entry's speed, gradient and
//                       radius), list items by their text or "#N", check
//                       boxes 0 or 1, a checked number empty to uncheck it,
//                       buttons as press=LABEL; a dialog with no answer
//                       queued is cancelled
//   save                write the map
//
// Empty lines and lines starting with "#" are skipped. Names are UTF-8.

#include <functional>
#include <istream>
#include <string>
#include <string_view>

#include "base/dialog_model.h"
#include "base/prompter.h"
#include "base/script_words.h"
#include "editor/edit_dialogs.h"
#include "editor/edit_session.h"
#include "map/edit_map.h"

namespace corvane {

class EditScript {
 public:
  // `save` writes the map and `new_map(confirm)` resets it for a new map
  // (asking first when `confirm`; false when it did not), each reporting any
  // failure itself.
  // Questions are asked through `prompter`, which takes the script's
  // "answer yes|no" lines.
  EditScript(EditMap& map, QueuedAnswers& prompter, std::function<bool()> save,
             std::function<bool(bool confirm)> new_map = nullptr);

  using Outcome = ScriptLineOutcome;

  // Runs one line; `*error` says what is wrong with a malformed one.
  Outcome RunLine(std::string_view line, std::string* error);

  // Runs every line of `in`, stopping at a malformed line ("line N: ...") or
  // a failed save. True when every line ran.
  bool Run(std::istream& in, std::string* error);

  // Whether answers are left that no dialog or question took: an answer
  // is used by the next dialog or question that opens after it.
  bool HasUnusedAnswers() const { return host_.has_answers() || answers_.has_answers(); }

  EditSession& session() { return session_; }

 private:
  Outcome RunCommand(std::string_view line, std::string* error);
  // A menu command by its name: the File menu's new map, or a tool command.
  Outcome RunMenuCommand(std::string_view name, std::string* error);

  QueuedAnswers& answers_;
  ScriptDialogHost host_;
  HostedEditDialogs dialogs_{host_};
  EditSession session_;
  std::function<bool()> save_;
  std::function<bool(bool confirm)> new_map_;
};

}  // namespace corvane
