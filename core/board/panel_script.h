#pragma once
// The operation panel driven by text lines (`corvane-cli dia operate`),
// beside the interlocking commands of OperateScript, on display window 00
// with a client of a given size. Every panel line acts as the mouse or the
// keyboard would on that window:
//
//   click X Y [shift] [ctrl]    a left click at window pixel (X, Y)
//   rclick X Y                  a right click (the context menu is built)
//   dclick X Y                  a double click
//   wheel N [shift]             N wheel notches away from the user
//                               (negative: towards the user)
//   press KEY [shift] [ctrl]    a key: tab enter esc space left right up
//                               down backspace delete insert pause f1..f12
//   type TEXT                   each character of TEXT typed in turn
//   menu                        prints the context menu of the last right click
//   orders                      prints the "指令" menu
//   choose TEXT                 runs the context-menu line TEXT
//   order TEXT                  runs the "指令" line TEXT ("延発/5分" for a
//                               line of a submenu)
//   dump trains                 each train's commands and the followed train
//
// TEXT is the rest of the line, a menu line's text without its accelerator
// in Japanese or English. Any other line is an OperateScript line.

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "board/operation_panel.h"
#include "interlocking/operate_script.h"

namespace corvane {

// A key by the name a script gives it (the names of "press", f1 … f12 for
// the function keys); nothing for another name.
struct NamedPanelKey {
  PanelKey key;
  int function = 0;  // a function key's number
};
std::optional<NamedPanelKey> PanelKeyNamed(std::string_view name);

// The trains' command values, one line each ("train T hold=H station=S
// departure=D seconds=X"), then "follow F": the train window 00 follows.
std::string DumpTrains(const DiaModel& model);

class PanelScript {
 public:
  // `data` gets every dump and printed menu; messages, message boxes and
  // prompts go through `report` (prompts as lines without a beep);
  // `english` chooses the menus' language.
  PanelScript(DiaModel& model, PanelWindow window, std::function<void(std::string_view)> data,
              OperationReport report, bool english);

  // The folder (ending in "/") whose name tables "/jtoe" renames the loaded
  // names from; none renames nothing.
  void SetNameTablesFolder(std::string folder) { name_tables_ = std::move(folder); }

  OperateScript::Outcome Run(std::istream& in, std::string* error);
  OperateScript::Outcome RunLine(int number, std::string_view line, std::string* error);

 private:
  void Report(const PanelEffects& effects);
  std::string MenuText(const std::vector<PanelMenuLine>& menu, int depth) const;

  DiaModel& model_;
  PanelWindow window_;
  std::function<void(std::string_view)> data_;
  OperationReport report_;
  bool english_;
  std::string name_tables_;
  OperateScript contract_;
  LayoutEditing editing_;
  OperationPanel panel_{editing_};
};

}  // namespace corvane
