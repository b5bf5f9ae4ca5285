#pragma once
// The display windows 00 to 15 of the main window: made and removed as the
// dia model's window sections open and close them, placed in the main
// window's area, redrawn from the model's change events only. Window 00
// exists with the main window; closing it asks whether to end the program.
// Places, toolbars and fonts go to the settings file when a window closes
// and at the program's close.

#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_context.h"
#include "app/dia_document.h"
#include "base/menu.h"
#include "board/board_window.h"
#include "board/layout_editing.h"
#include "board/line_items.h"
#include "board/operation_panel.h"
#include "data/view_settings.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace corvane {

class DisplayWindow;

class DisplayWindowSet : public QObject {
  Q_OBJECT

 public:
  // Asks for a font starting from `current`; nothing when cancelled.
  using FontChooser =
      std::function<std::optional<FontSettings>(const FontSettings& current, QWidget* parent)>;

  DisplayWindowSet(AppContext& context, DiaDocument& dia, QMdiArea* area);
  ~DisplayWindowSet() override;

  // The open window `n`, or null.
  DisplayWindow* window(int n) const;
  const DisplayWindowSection& section(int n) const;
  DiaModel& model() { return dia_.model(); }
  AppContext& context() { return context_; }
  const LineItems& line_items() const { return context_.settings.main_window_lines; }

  // The board's layout mode, one for every window.
  const LayoutEditing& layout_editing() const { return layout_editing_; }
  // The layout mode's prompt as the windows show it, "" none.
  const std::string& prompt() const { return prompt_; }
  // A click, wheel notches or a key on window `n`'s board: the operation
  // panel's (the layout modes take theirs).
  void Click(int n, BoardClick click, PixelPoint pixel, PanelModifiers modifiers = {});
  void Wheel(int n, int notches, bool shift);
  void Key(int n, PanelKey key, std::string_view text, PanelModifiers modifiers, int function);
  OperationPanel& panel() { return panel_; }
  // The main window's "線路プロパティ": rail-property selection on or off,
  // from the active window.
  void ToggleRailProperty();

  // Opens windows 01 to 15 the settings file marks to reopen.
  void OpenWindowsOfSettings();
  // Runs a command of window `n`'s menu or toolbar.
  void RunCommand(int n, std::string_view id);
  // The display window the user works in (the active one of the area), or
  // 00.
  int active() const;
  // The board's default font through the font dialog: the font of every
  // window that has none of its own yet.
  void ChooseDefaultFont(QWidget* parent);
  MenuState MenuStateOf(int n) const;
  // The caption the display windows' titles start with.
  std::string Caption() const;

  // Closing window `n` (its close button or "閉じる"): window 00 asks
  // whether to end the program; another window closes.
  void RequestClose(int n);
  // Files dropped onto a window: handed to the drop handler (the main
  // window's), else the first is opened as the main window's open does.
  void TakeDropped(const std::vector<std::string>& paths);
  void SetDropHandler(std::function<void(const std::vector<std::string>&)> handler) {
    drop_handler_ = std::move(handler);
  }
  // What opens the station dialog of a clicked station frame (the main
  // window's).
  void SetStationFrameHandler(std::function<void(int frame)> handler) {
    station_frame_handler_ = std::move(handler);
  }
  // Window `n`'s scroll positions as the user moved them.
  void TakeScrollPositions(int n, int x, int y);
  // Window `n` moved or was resized (`normal`: neither minimised nor
  // maximised) to `place`, in the area's pixels.
  void TakePlace(int n, const WindowRect& place, bool normal);
  // The board's pens and colours changed: every window draws again.
  void RedrawAll();
  // Writes every open window's place, toolbar and font to the settings file
  // (the program closes; they reopen at the next start).
  void KeepLayouts();

  void SetFontChooser(FontChooser chooser) { choose_font_ = std::move(chooser); }
  // What ends the program when window 00 is closed with Yes.
  void SetEndProgram(std::function<void()> end) { end_program_ = std::move(end); }

 private:
  void Changed(const DiaEvent& event);
  // Makes and removes windows as the sections say.
  void Follow();
  void Create(int n);
  // Puts window `n` at `place` in the area by the placement rule.
  void MoveTo(int n, WindowRect place);
  // After other data came: windows go where it places them, and it takes
  // the places of the others.
  void TakeFramePlaces();
  void Remove(int n);
  void Activate(int n);
  void ChooseFont(int n);
  void KeepLayout(int n, bool open);
  void SetSection(int n, const DisplayWindowSection& section);
  // Shows what a board command or layout click asks for: the prompt, a
  // beep, every window drawn again.
  void ShowEffects(const LayoutEffects& effects);
  // Shows what a panel input asks for: the message line, a menu, a dialog,
  // a new window, the clipboard.
  void ShowPanelEffects(int n, const PanelEffects& effects);
  // A menu of the panel's lines at the cursor: the id of the chosen line,
  // "" none.
  std::string PopUp(int n, const std::vector<PanelMenuLine>& lines);
  void EditPointKey(int n, int point);
  // A train command of the menu bar; a line with a submenu asks for its
  // entry.
  void RunTrainMenuCommand(int n, std::string_view id);
  PanelWindow ClientOf(int n) const;
  AppContext& context_;
  DiaDocument& dia_;
  QMdiArea* area_;
  std::array<QMdiSubWindow*, kDisplayWindows> frames_{};
  std::array<DisplayWindow*, kDisplayWindows> windows_{};
  // What passes each frame's moves on as its place.
  std::array<QObject*, kDisplayWindows> watchers_{};
  DiaModel::Subscription subscription_;
  FontChooser choose_font_;
  std::function<void()> end_program_;
  std::function<void(const std::vector<std::string>&)> drop_handler_;
  std::function<void(int frame)> station_frame_handler_;
  bool following_ = false;
  LayoutEditing layout_editing_;
  OperationPanel panel_{layout_editing_};
  std::string prompt_;
};

}  // namespace corvane
