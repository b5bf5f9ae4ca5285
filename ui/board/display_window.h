#pragma once
// A display window of the operation board (00 to 15): the menu bar built
// from the core's menu tree, a toolbar with one button per window number
// (pressed while that window is open), the board with its scroll bars. The
// window shows what the dia model holds for its number and changes it only
// through the DisplayWindowSet; it redraws when the set tells it to.

#include <QMainWindow>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/menu.h"

class QAction;
class QMenu;
class QScrollBar;
class QToolBar;

namespace corvane {

class BoardWidget;
class DisplayWindowSet;

class DisplayWindow : public QMainWindow {
  Q_OBJECT

 public:
  DisplayWindow(DisplayWindowSet& set, int number, QWidget* parent = nullptr);

  int number() const { return number_; }
  BoardWidget* board() const { return board_; }
  QToolBar* tool_bar() const { return tool_bar_; }
  QScrollBar* horizontal_scroll() const { return horizontal_; }
  QScrollBar* vertical_scroll() const { return vertical_; }
  // The menu item of a command, or null.
  QAction* ActionFor(std::string_view id) const;
  // The toolbar button of window `n`.
  QAction* WindowButton(int n) const;

  // Shows the model's state: title, check marks, toolbar, scroll bars, the
  // layout modes' prompt; the board is drawn again when `redraw`.
  void Refresh(bool redraw);
  void UpdateMenuState();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries);
  void BuildToolBar();
  void UpdateScrollBars();
  void ScrollBy(int dx, int dy);
  // The scroll bars' positions became the window's.
  void TakeScrollPositions();

  DisplayWindowSet& set_;
  int number_;
  BoardWidget* board_ = nullptr;
  QToolBar* tool_bar_ = nullptr;
  QScrollBar* horizontal_ = nullptr;
  QScrollBar* vertical_ = nullptr;
  std::vector<QAction*> window_buttons_;
  std::map<std::string, QAction*, std::less<>> actions_;
};

}  // namespace corvane
