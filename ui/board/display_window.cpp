#include "board/display_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <cstdio>

#include "board/board_scroll.h"
#include "board/board_widget.h"
#include "board/display_window_menu.h"
#include "board/display_window_set.h"
#include "board/display_windows.h"
#include "platform/qt_text.h"

namespace corvane {

DisplayWindow::DisplayWindow(DisplayWindowSet& set, int number, QWidget* parent)
    : QMainWindow(parent), set_(set), number_(number) {
  setAcceptDrops(true);
  auto* central = new QWidget(this);
  auto* layout = new QGridLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  board_ = new BoardWidget(set_.model(), set_.layout_editing(), number_, set_.line_items(),
                           set_.context().english, central);
  horizontal_ = new QScrollBar(Qt::Horizontal, central);
  vertical_ = new QScrollBar(Qt::Vertical, central);
  for (QScrollBar* bar : {horizontal_, vertical_}) {
    bar->setSingleStep(1);
    connect(bar, &QScrollBar::valueChanged, this, &DisplayWindow::TakeScrollPositions);
  }
  layout->addWidget(board_, 0, 0);
  layout->addWidget(vertical_, 0, 1);
  layout->addWidget(horizontal_, 1, 0);
  setCentralWidget(central);
  connect(board_, &BoardWidget::ScrollRequested, this, &DisplayWindow::ScrollBy);
  connect(board_, &BoardWidget::Resized, this, [this] { Refresh(false); });
  connect(board_, &BoardWidget::ZoomRequested, this,
          [this](const QString& id) { set_.RunCommand(number_, Utf8(id)); });
  connect(board_, &BoardWidget::Clicked, this,
          [this](BoardClick click, QPoint pixel, PanelModifiers modifiers) {
            set_.Click(number_, click, {pixel.x(), pixel.y()}, modifiers);
          });
  connect(board_, &BoardWidget::Wheeled, this,
          [this](int notches, bool shift) { set_.Wheel(number_, notches, shift); });
  connect(board_, &BoardWidget::KeyPressed, this,
          [this](PanelKey key, const QString& text, PanelModifiers modifiers, int function) {
            set_.Key(number_, key, Utf8(text), modifiers, function);
          });
  statusBar()->setSizeGripEnabled(false);
  BuildMenus();
  BuildToolBar();
  Refresh(true);
}

void DisplayWindow::BuildMenus() {
  for (const MenuEntry& entry : DisplayWindowMenu()) {
    AddEntries(menuBar()->addMenu(Qs(entry.Text(set_.context().english))), entry.children);
  }
}

void DisplayWindow::AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
  connect(menu, &QMenu::aboutToShow, this, &DisplayWindow::UpdateMenuState);
  for (const MenuEntry& entry : entries) {
    if (entry.separator) {
      menu->addSeparator();
    } else if (entry.IsMenu()) {
      AddEntries(menu->addMenu(Qs(entry.Text(set_.context().english))), entry.children);
    } else {
      QAction* action = menu->addAction(Qs(entry.Text(set_.context().english)));
      action->setCheckable(entry.checkable);
      if (!entry.shortcut.empty()) {
        action->setShortcut(QKeySequence(Qs(entry.shortcut)));
        // Each window's shortcuts act in that window only.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
      }
      const std::string id = entry.id;
      connect(action, &QAction::triggered, this, [this, id] {
        UpdateMenuState();
        set_.RunCommand(number_, id);
      });
      actions_[id] = action;
    }
  }
}

void DisplayWindow::BuildToolBar() {
  tool_bar_ = addToolBar(QStringLiteral("windows"));
  tool_bar_->setMovable(false);
  for (int n = 0; n < kDisplayWindows; ++n) {
    char label[8];
    std::snprintf(label, sizeof label, "%02d", n);
    QAction* button = tool_bar_->addAction(QString::fromLatin1(label));
    button->setCheckable(true);
    if (const MenuEntry* line = FindMenuEntry(DisplayWindowMenu(), WindowCommand(n))) {
      button->setToolTip(Qs(PlainMenuText(line->Text(set_.context().english))));
    }
    connect(button, &QAction::triggered, this, [this, n] {
      set_.RunCommand(number_, WindowCommand(n));
      Refresh(false);
    });
    window_buttons_.push_back(button);
  }
}

QAction* DisplayWindow::ActionFor(std::string_view id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

QAction* DisplayWindow::WindowButton(int n) const {
  return n >= 0 && n < kDisplayWindows ? window_buttons_[static_cast<std::size_t>(n)] : nullptr;
}

void DisplayWindow::UpdateMenuState() {
  const MenuState state = set_.MenuStateOf(number_);
  for (const auto& [id, action] : actions_) {
    const CommandState command = state.Of(id);
    action->setEnabled(command.enabled);
    if (action->isCheckable()) action->setChecked(command.checked);
    // A line that says more than its own text (the hold station).
    const std::string& text = set_.context().english ? command.english : command.japanese;
    if (!text.empty()) action->setText(Qs(text));
  }
}

void DisplayWindow::Refresh(bool redraw) {
  const DisplayWindowSection& section = set_.section(number_);
  UpdateMenuState();
  for (int n = 0; n < kDisplayWindows; ++n) {
    window_buttons_[static_cast<std::size_t>(n)]->setChecked(set_.section(n).open);
  }
  tool_bar_->setVisible(section.view.view_tool_bar);
  UpdateScrollBars();
  setWindowTitle(Qs(DisplayWindowTitle(set_.Caption(), number_, set_.model().file(), section.view,
                                       board_->View())));
  const std::string& prompt = set_.prompt();
  statusBar()->setVisible(!prompt.empty());
  statusBar()->showMessage(Qs(prompt));
  if (redraw) board_->Invalidate();
}

void DisplayWindow::UpdateScrollBars() {
  const ViewSettings& view = set_.section(number_).view;
  const BoardView board = board_->View();
  const BoardScrollRanges ranges =
      ScrollRangesOf(board, set_.model().map(), set_.layout_editing().row());
  const QSignalBlocker block_x(horizontal_);
  const QSignalBlocker block_y(vertical_);
  // A stored position beyond the range (another window size) stays
  // reachable until the user scrolls.
  const auto show = [](QScrollBar* bar, const ScrollRange& range, int position) {
    const int last = std::max(range.minimum, range.maximum - range.page + 1);
    bar->setRange(std::min(range.minimum, position), std::max(last, position));
    bar->setPageStep(range.page);
    bar->setValue(position);
  };
  show(horizontal_, ranges.horizontal, view.scroll_pos_x);
  show(vertical_, ranges.vertical, view.scroll_pos_y);
}

void DisplayWindow::ScrollBy(int dx, int dy) {
  const QSignalBlocker block_x(horizontal_);
  const QSignalBlocker block_y(vertical_);
  horizontal_->setValue(horizontal_->value() + dx);
  vertical_->setValue(vertical_->value() + dy);
  TakeScrollPositions();
}

void DisplayWindow::TakeScrollPositions() {
  set_.TakeScrollPositions(number_, horizontal_->value(), vertical_->value());
}

void DisplayWindow::closeEvent(QCloseEvent* event) {
  // The set removes the window once the model says it is closed.
  event->ignore();
  set_.RequestClose(number_);
}

void DisplayWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void DisplayWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(Utf8(url.toLocalFile()));
  }
  if (paths.empty()) return;
  event->acceptProposedAction();
  set_.TakeDropped(paths);
}

}  // namespace corvane
