#include "board/display_window_set.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QEvent>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>

#include "app/english_twins.h"
#include "app/messages.h"
#include "app/settings.h"
#include "base/encoding.h"
#include "board/board_commands.h"
#include "board/board_widget.h"
#include "board/display_window.h"
#include "board/display_window_menu.h"
#include "board/display_windows.h"
#include "interlocking/point_control.h"
#include "platform/qt_text.h"
#include "run/dia_change.h"
#include "run/name_tables.h"

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

// The menu bar's id of a train-command submenu line of the panel.
std::string TrainMenuIdOf(const std::string& japanese) {
  if (japanese == "駅指定抑止(&H)") return "train.hold_at";
  if (japanese == "延発(&L)") return "train.delay";
  if (japanese == "早発(&E)") return "train.early";
  return {};
}

}  // namespace

DisplayWindowSet::DisplayWindowSet(AppContext& context, DiaDocument& dia, QMdiArea* area)
    : QObject(area), context_(context), dia_(dia), area_(area) {
  choose_font_ = [this](const FontSettings& current, QWidget* parent) {
    return AskFont(current, context_.english, parent);
  };
  panel_.SetPrompter(&context_.prompter);
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
  MenuState state = DisplayWindowMenuState(inputs);
  // The train commands act on the train of the last right click.
  const bool train = dia_.file().dia.trains.Contains(panel_.state(n).train);
  for (const PanelMenuLine& line : panel_.TrainCommandMenu(dia_.model(), n)) {
    if (line.separator) continue;
    const std::string id = line.id.empty() ? TrainMenuIdOf(line.japanese) : line.id;
    if (id.empty()) continue;
    CommandState& command = state.commands[id];
    command.enabled = train && line.enabled;
    command.checked = line.checked;
    command.japanese = line.japanese;
    command.english = line.english;
  }
  return state;
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
  if (id.starts_with("train.")) {
    RunTrainMenuCommand(n, id);
    return;
  }
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

PanelWindow DisplayWindowSet::ClientOf(int n) const {
  const QSize size = window(n)->board()->size();
  return {n, size.width(), size.height()};
}

void DisplayWindowSet::Click(int n, BoardClick click, PixelPoint pixel, PanelModifiers modifiers) {
  if (window(n) == nullptr) return;
  const PanelWindow client = ClientOf(n);
  switch (click) {
    case BoardClick::kLeft:
      ShowPanelEffects(n, panel_.LeftClick(model(), client, pixel, modifiers));
      break;
    case BoardClick::kRight:
      ShowPanelEffects(n, panel_.RightClick(model(), client, pixel));
      break;
    case BoardClick::kDouble:
      ShowPanelEffects(n, panel_.DoubleClick(model(), client, pixel));
      break;
  }
}

void DisplayWindowSet::Wheel(int n, int notches, bool shift) {
  if (window(n) == nullptr) return;
  ShowPanelEffects(n, panel_.Wheel(model(), ClientOf(n), notches, shift));
}

void DisplayWindowSet::Key(int n, PanelKey key, std::string_view text, PanelModifiers modifiers,
                           int function) {
  if (window(n) == nullptr) return;
  ShowPanelEffects(n, panel_.Key(model(), ClientOf(n), key, text, modifiers, function));
}

void DisplayWindowSet::RunTrainMenuCommand(int n, std::string_view id) {
  const std::vector<PanelMenuLine> menu = panel_.TrainCommandMenu(model(), n);
  std::string chosen(id);
  // A line with a submenu asks for its entry at the cursor.
  for (const PanelMenuLine& line : menu) {
    if (!line.children.empty() && TrainMenuIdOf(line.japanese) == id)
      chosen = PopUp(n, line.children);
  }
  if (!chosen.empty()) ShowPanelEffects(n, panel_.RunTrainCommand(model(), n, chosen));
}

std::string DisplayWindowSet::PopUp(int n, const std::vector<PanelMenuLine>& lines) {
  QMenu menu(window(n));
  std::map<QAction*, std::string> ids;
  const std::function<void(QMenu*, const std::vector<PanelMenuLine>&)> add =
      [&](QMenu* into, const std::vector<PanelMenuLine>& entries) {
        for (const PanelMenuLine& line : entries) {
          if (line.separator) {
            into->addSeparator();
            continue;
          }
          const QString text = Qs(context_.english ? line.english : line.japanese);
          if (!line.children.empty()) {
            QMenu* sub = into->addMenu(text);
            sub->setEnabled(line.enabled);
            add(sub, line.children);
            continue;
          }
          QAction* action = into->addAction(text);
          action->setEnabled(line.enabled && !line.id.empty());
          action->setCheckable(line.checked);
          action->setChecked(line.checked);
          ids[action] = line.id;
        }
      };
  add(&menu, lines);
  if (lines.empty()) return {};
  QAction* chosen = menu.exec(QCursor::pos());
  const auto found = ids.find(chosen);
  return found != ids.end() ? found->second : std::string();
}

void DisplayWindowSet::EditPointKey(int n, int point) {
  if (!model().map().points.Contains(point)) return;
  bool accepted = false;
  const QString key =
      QInputDialog::getText(window(n), Qs(Shown(kPointKeyCaption, context_.english)),
                            Qs(Shown(kPointKeyLabel, context_.english)), QLineEdit::Normal,
                            Qs(model().map().points[point].point_key.Utf8()), &accepted);
  if (!accepted) return;
  const std::string sjis = Utf8ToSjis(Utf8(key));
  if (sjis.size() > static_cast<std::size_t>(kKeyBufferSize) ||
      sjis.find(',') != std::string::npos) {
    QApplication::beep();
    return;
  }
  OperationReport report;
  report.boxes = &context_.prompter;
  DiaChange change(model());
  SetPointKey(change, point, sjis, report);
}

void DisplayWindowSet::ShowPanelEffects(int n, const PanelEffects& effects) {
  bool beep = effects.beep;
  for (const PanelEffects::Line& line : effects.lines) {
    prompt_ = Shown(line.text, context_.english);
    beep = beep || line.beep;
  }
  if (effects.prompt) prompt_ = Shown(*effects.prompt, context_.english);
  if (beep) QApplication::beep();
  if (effects.redraw || effects.prompt || !effects.lines.empty()) RedrawAll();
  if (effects.open_menu) {
    const std::string id = PopUp(n, panel_.ContextMenu(model(), n));
    if (!id.empty()) ShowPanelEffects(n, panel_.RunContextCommand(model(), ClientOf(n), id));
  }
  if (effects.open_point_key != 0) EditPointKey(n, effects.open_point_key);
  if (effects.open_station_frame != 0 && station_frame_handler_) {
    station_frame_handler_(effects.open_station_frame);
  }
  if (effects.new_window) {
    const int k = OpenNewDisplayWindow(model(), context_.settings.display_windows);
    if (k >= 0) {
      DisplayWindowSection opened = section(k);
      opened.view = *effects.new_window;
      SetSection(k, opened);
      Activate(k);
    }
  }
  if (effects.next_window) Activate(NextOpenDisplayWindow(model().windows(), n));
  if (effects.rename_names) {
    DiaChange change(model());
    RenameFromNameTables(change, context_.data_folder.path + "/", context_.prompter);
  }
  if (effects.copy_board && window(n) != nullptr) {
    const QImage whole = window(n)->board()->WholePicture();
    if (whole.isNull()) {
      QApplication::beep();
    } else {
      QGuiApplication::clipboard()->setImage(whole);
    }
  }
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

void DisplayWindowSet::TakeDropped(const std::vector<std::string>& paths) {
  if (drop_handler_) {
    drop_handler_(paths);
  } else if (!paths.empty()) {
    dia_.OpenDropped(paths.front());
  }
}

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
  shown->board()->SetPanel(&panel_);
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
