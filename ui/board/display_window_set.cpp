#include "board/display_window_set.h"

#include <QApplication>
#include <QEvent>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include "app/english_twins.h"
#include "app/messages.h"
#include "app/settings.h"
#include "board/board_commands.h"
#include "board/board_widget.h"
#include "board/display_window.h"
#include "board/display_window_menu.h"
#include "board/display_windows.h"

namespace corvane {

namespace {

// A frame's place in the area, as the sections keep it.
WindowRect PlaceOf(const QMdiSubWindow& frame) {
  const QRect g = frame.geometry();
  return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height(), true};
}

bool IsNormal(const QMdiSubWindow& frame) { return !frame.isMinimized() && !frame.isMaximized(); }

// Moves and resizes of a window's frame, passed on as its place.
class PlaceWatcher : public QObject {
 public:
  PlaceWatcher(QMdiSubWindow* frame, std::function<void(const WindowRect&, bool)> take)
      : QObject(frame), frame_(frame), take_(std::move(take)) {
    frame->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (watched == frame_ &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowStateChange)) {
      take_(PlaceOf(*frame_), IsNormal(*frame_));
    }
    return false;
  }

 private:
  QMdiSubWindow* frame_;
  std::function<void(const WindowRect&, bool)> take_;
};

std::optional<FontSettings> AskFont(const FontSettings& current, bool english, QWidget* parent) {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, BoardFont(current, english), parent);
  if (!chosen) return std::nullopt;
  return FontSettingsOf(font, english, parent != nullptr ? parent->logicalDpiY() : 96);
}

}  // namespace

DisplayWindowSet::DisplayWindowSet(AppContext& context, DiaDocument& dia, QMdiArea* area)
    : QObject(area), context_(context), dia_(dia), area_(area) {
  choose_font_ = [this](const FontSettings& current, QWidget* parent) {
    return AskFont(current, context_.english, parent);
  };
  subscription_ = dia_.model().Listen([this](const DiaEvent& event) { Changed(event); });
  Follow();
}

DisplayWindowSet::~DisplayWindowSet() {
  subscription_.End();
  for (QObject*& watcher : watchers_) {
    delete watcher;
    watcher = nullptr;
  }
  for (QMdiSubWindow*& frame : frames_) {
    delete frame;
    frame = nullptr;
  }
}

DisplayWindow* DisplayWindowSet::window(int n) const {
  return n >= 0 && n < kDisplayWindows ? windows_[static_cast<std::size_t>(n)] : nullptr;
}

const DisplayWindowSection& DisplayWindowSet::section(int n) const {
  return dia_.model().windows()[static_cast<std::size_t>(n)];
}

std::string DisplayWindowSet::Caption() const {
  return MainWindowTitle(dia_.file().header.map_name.Utf8(), context_.english);
}

MenuState DisplayWindowSet::MenuStateOf(int n) const {
  DisplayWindowMenuInputs inputs;
  inputs.view = section(n).view;
  inputs.interlocking = dia_.file().header.settings.use_interlocking != 0;
  inputs.layout = layout_editing_.mode();
  inputs.layout_commands = !dia_.file().map.rows.empty();
  for (int k = 0; k < kDisplayWindows; ++k) {
    inputs.open[static_cast<std::size_t>(k)] = section(k).open;
  }
  return DisplayWindowMenuState(inputs);
}

void DisplayWindowSet::OpenWindowsOfSettings() {
  for (int n = 1; n < kDisplayWindows; ++n) {
    const DisplayWindowLayout& layout =
        context_.settings.display_windows[static_cast<std::size_t>(n)];
    if (layout.open) OpenDisplayWindowNumber(model(), n, layout);
  }
}

void DisplayWindowSet::RunCommand(int n, std::string_view id) {
  if (window(n) == nullptr || !MenuStateOf(n).Of(id).enabled) return;
  if (ApplyViewCommand(model(), n, id)) return;
  if (const std::optional<BoardCommand> command = BoardCommandOfId(id)) {
    const QSize size = window(n)->board()->size();
    ShowEffects(
        RunWindowBoardCommand(model(), layout_editing_, n, size.width(), size.height(), *command));
  } else if (id == kCmdNewWindow) {
    Activate(OpenNewDisplayWindow(model(), context_.settings.display_windows));
  } else if (id == kCmdCloseWindow) {
    RequestClose(n);
  } else if (id == kCmdSwitchWindow) {
    Activate(NextOpenDisplayWindow(model().windows(), n));
  } else if (id == kCmdWindowFont) {
    ChooseFont(n);
  } else if (const int k = WindowOfCommand(id); k >= 0) {
    OpenDisplayWindowNumber(model(), k,
                            context_.settings.display_windows[static_cast<std::size_t>(k)]);
    Activate(k);
  }
}

void DisplayWindowSet::Click(int n, BoardClick click, PixelPoint pixel) {
  if (window(n) == nullptr) return;
  const QSize size = window(n)->board()->size();
  ShowEffects(
      RunWindowLayoutClick(model(), layout_editing_, n, size.width(), size.height(), click, pixel));
}

void DisplayWindowSet::ToggleRailProperty() {
  const int n = active();
  if (window(n) == nullptr) return;
  const QSize size = window(n)->board()->size();
  ShowEffects(RunWindowBoardCommand(model(), layout_editing_, n, size.width(), size.height(),
                                    BoardCommand::kRailProperty));
}

void DisplayWindowSet::ShowEffects(const LayoutEffects& effects) {
  if (effects.beep) QApplication::beep();
  if (effects.prompt) prompt_ = Shown(*effects.prompt, context_.english);
  // The rail property dialog comes with the rail-property commands; the
  // selection is shown meanwhile.
  if (effects.redraw || effects.prompt) RedrawAll();
}

int DisplayWindowSet::active() const {
  const QMdiSubWindow* frame = area_->activeSubWindow();
  for (int n = 0; n < kDisplayWindows; ++n) {
    if (frame != nullptr && frames_[static_cast<std::size_t>(n)] == frame) return n;
  }
  return 0;
}

void DisplayWindowSet::ChooseDefaultFont(QWidget* parent) {
  ProgramSettings& settings = context_.settings;
  const std::optional<FontSettings> font = choose_font_(settings.default_font, parent);
  if (!font) return;
  for (int n = 0; n < kDisplayWindows; ++n) {
    DisplayWindowLayout& layout = settings.display_windows[static_cast<std::size_t>(n)];
    if (!section(n).open && layout.font == settings.default_font) layout.font = *font;
  }
  settings.default_font = *font;
}

void DisplayWindowSet::RequestClose(int n) {
  switch (CloseDisplayWindow(n, context_.prompter)) {
    case DisplayWindowClose::kClose:
      KeepLayout(n, false);
      CloseDisplayWindowNumber(model(), n);
      break;
    case DisplayWindowClose::kEndProgram:
      if (end_program_) end_program_();
      break;
    case DisplayWindowClose::kStayOpen:
      break;
  }
}

void DisplayWindowSet::OpenDropped(const std::string& path) { dia_.OpenDropped(path); }

void DisplayWindowSet::TakeScrollPositions(int n, int x, int y) {
  DisplayWindowSection changed = section(n);
  changed.view.scroll_pos_x = x;
  changed.view.scroll_pos_y = y;
  SetSection(n, changed);
}

void DisplayWindowSet::TakePlace(int n, const WindowRect& place, bool normal) {
  DisplayWindowSection changed = section(n);
  if (!changed.open) return;
  if (normal) {
    changed.place = place;
    context_.settings.display_windows[static_cast<std::size_t>(n)].place = place;
  } else {
    changed.place.has_position = false;
  }
  SetSection(n, changed);
}

void DisplayWindowSet::RedrawAll() {
  for (DisplayWindow* shown : windows_) {
    if (shown != nullptr) shown->Refresh(true);
  }
}

void DisplayWindowSet::KeepLayouts() {
  for (int n = 0; n < kDisplayWindows; ++n) {
    if (section(n).open) {
      KeepLayout(n, true);
    } else if (context_.settings.display_windows[static_cast<std::size_t>(n)].open) {
      KeepLayout(n, false);
    }
  }
}

void DisplayWindowSet::KeepLayout(int n, bool open) {
  DisplayWindowLayout& kept = context_.settings.display_windows[static_cast<std::size_t>(n)];
  if (section(n).open) kept = LayoutOfWindow(section(n), kept, open);
  kept.open = open && n != 0;
  UpdateSettingsFile(context_.data_folder, [&](IniFile& ini) {
    WriteDisplayWindowLayout(ini, n, kept, context_.english);
  });
}

void DisplayWindowSet::SetSection(int n, const DisplayWindowSection& section) {
  model().SetDisplayWindow(n, section);
}

void DisplayWindowSet::Changed(const DiaEvent& event) {
  Follow();
  if (event.kind == DiaEventKind::kReplaced) TakeFramePlaces();
  for (int n = 0; n < kDisplayWindows; ++n) {
    DisplayWindow* shown = window(n);
    if (shown == nullptr) continue;
    const bool data = event.display_window < 0;
    if (data) shown->board()->DataChanged();
    shown->Refresh(data || event.display_window == n);
  }
}

void DisplayWindowSet::Follow() {
  if (following_) return;
  following_ = true;
  for (int n = 0; n < kDisplayWindows; ++n) {
    const bool open = section(n).open;
    if (open && window(n) == nullptr) Create(n);
    if (!open && window(n) != nullptr) Remove(n);
  }
  following_ = false;
}

void DisplayWindowSet::Create(int n) {
  const std::size_t i = static_cast<std::size_t>(n);
  auto* shown = new DisplayWindow(*this, n);
  QMdiSubWindow* frame = area_->addSubWindow(shown);
  frame->setAttribute(Qt::WA_DeleteOnClose, false);
  windows_[i] = shown;
  frames_[i] = frame;

  MoveTo(n, WindowOpenedByData(section(n), context_.settings.display_windows[i]).place);
  watchers_[i] = new PlaceWatcher(
      frame, [this, n](const WindowRect& rect, bool normal) { TakePlace(n, rect, normal); });
  frame->show();
  shown->Refresh(true);
}

void DisplayWindowSet::MoveTo(int n, WindowRect place) {
  QMdiSubWindow* frame = frames_[static_cast<std::size_t>(n)];
  QSize room = area_->viewport()->size();
  if (!area_->isVisible() || room.isEmpty()) {
    room = QGuiApplication::primaryScreen()->availableSize();
  }
  place = PlaceDisplayWindow(place, room.width(), room.height());
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  if (width > 0 && height > 0) frame->setGeometry(place.left, place.top, width, height);
}

void DisplayWindowSet::TakeFramePlaces() {
  for (int n = 0; n < kDisplayWindows; ++n) {
    QMdiSubWindow* frame = frames_[static_cast<std::size_t>(n)];
    if (frame == nullptr) continue;
    // Data with a place of its own moves the window there; else the window
    // stays and the data takes its place.
    if (section(n).place.has_position) MoveTo(n, section(n).place);
    TakePlace(n, PlaceOf(*frame), IsNormal(*frame));
  }
}

void DisplayWindowSet::Remove(int n) {
  const std::size_t i = static_cast<std::size_t>(n);
  QMdiSubWindow* frame = frames_[i];
  // The frame goes later, when its own events are done: from now on it
  // tells nobody its place.
  delete watchers_[i];
  watchers_[i] = nullptr;
  windows_[i] = nullptr;
  frames_[i] = nullptr;
  frame->hide();
  frame->deleteLater();
}

void DisplayWindowSet::Activate(int n) {
  if (window(n) == nullptr) return;
  QMdiSubWindow* frame = frames_[static_cast<std::size_t>(n)];
  frame->show();
  area_->setActiveSubWindow(frame);
  window(n)->board()->setFocus();
}

void DisplayWindowSet::ChooseFont(int n) {
  const std::optional<FontSettings> font = choose_font_(section(n).font, window(n));
  if (!font) return;
  DisplayWindowSection changed = section(n);
  changed.font = *font;
  SetSection(n, changed);
}

}  // namespace corvane
