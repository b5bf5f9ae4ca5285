#include "mapedit/map_edit_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/compile_command.h"
#include "app/dia_document.h"
#include "app/english_twins.h"
#include "app/first_tick.h"
#include "app/map_document.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/window_rect.h"
#include "base/ini_file.h"
#include "compiler/compile_checks.h"
#include "editor/map_edit_menu.h"
#include "editor/map_edit_title.h"
#include "mapedit/map_view.h"
#include "platform/qt_text.h"

namespace corvane {

namespace {

constexpr const char kCloseAction[] = "マップの編集を終了します。";

}  // namespace

MapEditWindow::MapEditWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
  document_ = std::make_unique<MapDocument>(context_.edit_map,
                                            MapFoldersOf(context_.data_folder, context_.env),
                                            context_.prompter, context_.chooser, context_.log);
  document_->set_english(context_.english);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  prompt_line_ = new QLabel(central);
  prompt_line_->setObjectName(QStringLiteral("prompt_line"));
  prompt_line_->setContentsMargins(4, 2, 4, 2);
  // A long prompt is cut at the window's edge rather than widening it.
  prompt_line_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  // Keeps its height while it shows no prompt.
  prompt_line_->setMinimumHeight(prompt_line_->fontMetrics().height() + 4);
  layout->addWidget(prompt_line_);
  // The object a dialog edits is drawn highlighted while it is open.
  dialog_host_ = std::make_unique<QtDialogHost>(context_.prompter, context_.english, this, [this] {
    UpdateTitle();
    view_->viewport()->repaint();
  });
  dialogs_ = std::make_unique<HostedEditDialogs>(*dialog_host_);
  session_ = std::make_unique<EditSession>(context_.edit_map, context_.prompter, *dialogs_);
  session_->FollowLinksOf(&context_.log);
  view_ = new MapView(*session_, central);
  connect(view_, &MapView::Edited, this, &MapEditWindow::Edited);
  connect(view_, &MapView::PointerMoved, this, &MapEditWindow::UpdateStatus);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("pointer_status"));
  statusBar()->addWidget(status_, 1);
  layout->addWidget(view_, 1);
  setCentralWidget(central);
  CreateMenus();
  RestoreLayout();

  // No map until the user starts a new one or opens a file.
  document_->NewMap();
  session_->set_map_open(false);
  MapChanged();
  view_->setFocus();
}

MapEditWindow::~MapEditWindow() = default;

void MapEditWindow::CreateMenus() {
  const bool english = context_.english;
  const std::vector<MenuEntry>& menus = MapEditFileMenu();
  for (const MenuEntry& entry : menus) {
    QMenu* menu = menuBar()->addMenu(Qs(entry.Text(english)));
    for (const MenuEntry& command : entry.children) {
      if (command.separator) {
        menu->addSeparator();
        continue;
      }
      if (command.id == kRecentMapsMenuId) {
        recent_menu_ = menu->addMenu(Qs(command.Text(english)));
        recent_menu_->setObjectName(Qs(command.id));
        connect(recent_menu_, &QMenu::aboutToShow, this, &MapEditWindow::FillRecentMaps);
        continue;
      }
      QAction* action = menu->addAction(Qs(command.Text(english)));
      action->setObjectName(Qs(command.id));
      if (!command.shortcut.empty()) action->setShortcut(QKeySequence(Qs(command.shortcut)));
      if (command.id == kCmdNewMap) {
        connect(action, &QAction::triggered, this, &MapEditWindow::NewMap);
      } else if (command.id == kCmdOpenMap) {
        connect(action, &QAction::triggered, this, &MapEditWindow::OpenMap);
      } else if (command.id == kCmdSaveMap) {
        connect(action, &QAction::triggered, this, &MapEditWindow::SaveMap);
      } else if (command.id == kCmdSaveMapAs) {
        connect(action, &QAction::triggered, this, &MapEditWindow::SaveMapAs);
      } else if (command.id == kCmdCompile) {
        connect(action, &QAction::triggered, this, &MapEditWindow::Compile);
        compile_action_ = action;
      }
    }
  }
  CreateToolMenus();
}

void MapEditWindow::CreateToolMenus() {
  const bool english = context_.english;
  for (const MenuEntry& entry : MapEditToolMenus()) {
    QMenu* menu = menuBar()->addMenu(Qs(entry.Text(english)));
    for (const MenuEntry& command : entry.children) {
      if (command.separator) {
        menu->addSeparator();
        continue;
      }
      // The letter key is shown beside the text; the view takes the key
      // itself, so it is no shortcut of the action.
      QString text = Qs(command.Text(english));
      if (!command.key_hint.empty()) text += QLatin1Char('\t') + Qs(command.key_hint);
      QAction* action = menu->addAction(text);
      action->setObjectName(Qs(command.id));
      action->setCheckable(command.checkable);
      if (!command.shortcut.empty()) {
        action->setShortcuts(QKeySequence::listFromString(Qs(command.shortcut)));
      }
      const std::string id = command.id;
      connect(action, &QAction::triggered, this, [this, id] { RunToolCommand(id); });
      tool_actions_[id] = action;
    }
  }
}

void MapEditWindow::RunToolCommand(const std::string& id) {
  view_->ShowResult(session_->RunCommand(id));
  Edited();
  view_->setFocus();
}

void MapEditWindow::UpdateToolChecks() {
  const MenuState state = MapEditMenuState(*session_);
  if (compile_action_ != nullptr) compile_action_->setEnabled(state.Of(kCmdCompile).enabled);
  for (const auto& [id, action] : tool_actions_) {
    const CommandState command = state.Of(id);
    action->setEnabled(command.enabled);
    action->setChecked(command.checked);
    const std::string& text = context_.english ? command.english : command.japanese;
    if (!text.empty()) action->setText(Qs(text));
  }
}

void MapEditWindow::RestoreLayout() {
  const MapEditWindowSettings& settings = context_.settings.map_edit_window;
  session_->state().grid_x = settings.grid_x;
  session_->state().grid_y = settings.grid_y;
  context_.edit_map.SetHistoryLimit(UndoLimitBytes(settings));
  PlaceWindow(*this, settings.rect,
              DefaultSettings(context_.env, context_.english).map_edit_window.rect,
              StartWindow::kMapEdit);
}

void MapEditWindow::SaveLayout() {
  MapEditWindowSettings& settings = context_.settings.map_edit_window;
  settings.grid_x = session_->state().grid_x;
  settings.grid_y = session_->state().grid_y;
  RememberWindowRect(*this, settings.rect);
  UpdateSettingsFile(context_.data_folder,
                     [&settings](IniFile& ini) { WriteMapEditWindowLayout(ini, settings); });
}

bool MapEditWindow::OpenMapFile(const QString& path) {
  return ShowOpened(document_->OpenPath(Utf8(path)));
}

bool MapEditWindow::OpenBackupMap(const QString& path) {
  return ShowOpened(OpenMapBackup(*document_, Utf8(path)));
}

bool MapEditWindow::ConfirmClose() {
  close_confirmed_ = AskToClose();
  return close_confirmed_;
}

bool MapEditWindow::AskToClose() {
  const bool go_on = document_->ConfirmSaveChanges(kCloseAction);
  UpdateTitle();
  return go_on;
}

void MapEditWindow::FillRecentMaps() {
  recent_menu_->clear();
  const std::vector<std::string>& recent = context_.settings.map_edit_window.recent_maps;
  const std::vector<std::string> labels = RecentMapLabels(recent);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const std::string path = recent[i];
    QAction* action = recent_menu_->addAction(Qs(labels[i]));
    connect(action, &QAction::triggered, this, [this, path] { OpenRecentMap(path); });
  }
  recent_menu_->setEnabled(!labels.empty());
}

void MapEditWindow::OpenRecentMap(const std::string& path) {
  ShowOpened(
      corvane::OpenRecentMap(*document_, context_.settings.map_edit_window.recent_maps, path));
}

void MapEditWindow::RememberMap() {
  RememberRecentMap(context_.settings.map_edit_window.recent_maps, document_->path());
}

void MapEditWindow::NewMap() {
  const bool started =
      session_->StartNewMap([this](bool confirm) { return document_->StartNewMap(confirm); });
  if (!started) {
    MapChanged();
    return;
  }
  view_->ScrollTo(0, 0);
  MapChanged();
}

void MapEditWindow::OpenMap() { ShowOpened(document_->Open()); }

void MapEditWindow::SaveMap() {
  if (document_->Save()) RememberMap();
  UpdateTitle();
}

void MapEditWindow::SaveMapAs() {
  if (document_->SaveAs()) RememberMap();
  UpdateTitle();
}

void MapEditWindow::Compile() {
  CompileCommandSetup setup = CompileSetupFor(context_.data_folder, context_.settings);
  setup.output = MessageLogOutput(context_.log, context_.prompter);
  // Each stage's progress stands in the title while it runs.
  setup.output.progress = [this](std::string_view text) {
    setWindowTitle(Qs(Shown(text, context_.english)));
  };
  RunCompileCommand(*session_, context_.dia, setup);
  Edited();
}

bool MapEditWindow::ShowMessageLine(int line) {
  const KeyResult result = session_->ShowLinked(context_.log.Link(line));
  if (!result.handled) return false;
  show();
  raise();
  activateWindow();
  view_->ShowResult(result);
  Edited();
  view_->setFocus();
  return true;
}

void MapEditWindow::MapChanged() {
  UpdateTitle();
  view_->SetExtent(context_.edit_map.Extent());
}

void MapEditWindow::Edited() {
  // A placement may have widened the map.
  view_->SetExtent(context_.edit_map.Extent());
  UpdateTitle();
}

bool MapEditWindow::ShowOpened(OpenOutcome outcome) {
  if (outcome == OpenOutcome::kOpened) {
    MapOpened();
  } else {
    UpdateTitle();
  }
  if (outcome == OpenOutcome::kCloseWindow) close();
  return outcome == OpenOutcome::kOpened;
}

void MapEditWindow::MapOpened() {
  session_->set_map_open(true);
  RememberMap();
  // An opened map scrolls over its track segments.
  UpdateTitle();
  view_->SetExtent(RailExtent(context_.edit_map));
  view_->ScrollTo(0, 0);
}

void MapEditWindow::UpdateTitle() {
  const std::string caption = MapEditCaption(
      WindowTitleText(WindowTitle::kMapEditWindow, context_.english), document_->title_name());
  setWindowTitle(Qs(MapEditTitle(caption, *session_, context_.english)));
  prompt_line_->setText(PromptText());
  UpdateToolChecks();
  UpdateStatus();
  view_->viewport()->update();
}

void MapEditWindow::UpdateStatus() {
  status_->setText(Qs(PointerText(*session_, context_.english)));
}

QString MapEditWindow::PromptText() const {
  return Qs(Shown(session_->Prompt(), context_.english));
}

void MapEditWindow::closeEvent(QCloseEvent* event) {
  if (close_confirmed_) {
    // The program is ending and has asked already; the window stays marked
    // open for the next start.
    SaveLayout();
    event->accept();
    return;
  }
  if (!AskToClose()) {
    event->ignore();
    return;
  }
  SaveLayout();
  context_.settings.map_edit_window.open = false;
  event->accept();
}

void MapEditWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  context_.settings.map_edit_window.open = true;
}

void MapEditWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Back at work after an ending that was called off: ask again next time.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) close_confirmed_ = false;
}

}  // namespace corvane
