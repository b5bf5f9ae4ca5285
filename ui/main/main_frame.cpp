#include "main/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputDialog>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "app/about.h"
#include "app/dia_dialogs.h"
#include "app/dia_document.h"
#include "app/dia_settings_dialogs.h"
#include "app/english_twins.h"
#include "app/map_document.h"
#include "app/messages.h"
#include "app/rollback_setup.h"
#include "app/series_data.h"
#include "app/series_dialog.h"
#include "app/web_help.h"
#include "app/window_rect.h"
#include "board/display_window_menu.h"
#include "board/display_window_set.h"
#include "board/line_items_dialog.h"
#include "editor/settings_dialogs.h"
#include "interchange/drop_dispatch.h"
#include "interchange/import_list.h"
#include "main/message_window.h"
#include "main/passenger_window.h"
#include "platform/qt_text.h"

namespace corvane {

MainFrame::MainFrame(AppContext& context, DesktopHooks hooks, QWidget* parent)
    : QMainWindow(parent), context_(context), hooks_(WithRealHooks(std::move(hooks), context)) {
  mdi_area_ = new QMdiArea(this);
  setCentralWidget(mdi_area_);
  dia_ = std::make_unique<DiaDocument>(DiaFoldersOf(context_.data_folder), context_.prompter,
                                       context_.chooser, context_.log);
  dia_->set_english(context_.english);
  dia_->SetRollbackSetup(RollbackSetupFor(context_.data_folder, context_.settings));
  context_.dia = dia_.get();
  // The title names the map the main window holds (opened or compiled).
  dia_subscription_ = dia_->model().Listen([this](const DiaEvent&) {
    UpdateTitle();
    RefreshMessageWindow();
  });
  dialog_host_ = std::make_unique<QtDialogHost>(context_.prompter, context_.english, this);
  ArmLoadChecks();
  // Window 00 shows the board from the start; closing it with Yes ends the
  // program as the main window's close does.
  display_windows_ = new DisplayWindowSet(context_, *dia_, mdi_area_);
  display_windows_->SetEndProgram([this] { close(); });
  display_windows_->SetDropHandler(
      [this](const std::vector<std::string>& paths) { TakeDroppedFiles(paths); });
  display_windows_->SetStationFrameHandler([this](int frame) { OpenStationFrame(frame); });
  setAcceptDrops(true);
  BuildMenus();
  UpdateTitle();
  PlaceWindow(*this, context_.settings.main_window,
              DefaultSettings(context_.env, context_.english).main_window, StartWindow::kMain);
}

MainFrame::~MainFrame() {
  // The display windows and the passenger number window draw the dia data:
  // they go first.
  delete display_windows_;
  display_windows_ = nullptr;
  delete passenger_window_;
  passenger_window_ = nullptr;
  if (context_.dia == dia_.get()) context_.dia = nullptr;
}

void MainFrame::BuildMenus() {
  for (const MenuEntry& entry : MainMenu()) {
    QMenu* menu = menuBar()->addMenu(Qs(entry.Text(context_.english)));
    AddEntries(menu, entry.children);
  }
  UpdateMenuState();
}

void MainFrame::AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
  connect(menu, &QMenu::aboutToShow, this, &MainFrame::UpdateMenuState);
  for (const MenuEntry& entry : entries) {
    if (entry.separator) {
      menu->addSeparator();
    } else if (entry.IsMenu()) {
      AddEntries(menu->addMenu(Qs(entry.Text(context_.english))), entry.children);
    } else {
      QAction* action = menu->addAction(Qs(entry.Text(context_.english)));
      action->setCheckable(entry.checkable);
      if (!entry.shortcut.empty()) action->setShortcut(QKeySequence(Qs(entry.shortcut)));
      const std::string id = entry.id;
      // The check mark is ours to set; a click only runs the command.
      connect(action, &QAction::triggered, this, [this, id] {
        UpdateMenuState();
        RunCommand(id);
      });
      actions_[id] = action;
    }
  }
}

MainMenuInputs MainFrame::MenuInputs() const {
  MainMenuInputs inputs;
  inputs.message_window_open = message_window_open();
  inputs.passenger_window_open = passenger_window_open();
  inputs.map_edit_window_open = map_edit_open_ && map_edit_open_();
  inputs.internet_confirmation = internet_confirmation_;
  inputs.auto_backup = context_.settings.backup_file;
  if (display_windows_ != nullptr) {
    const ViewSettings& view = display_windows_->section(display_windows_->active()).view;
    inputs.simple_display = view.smart_view;
    inputs.train_icons = view.view_image16;
    inputs.rail_property_mode =
        display_windows_->layout_editing().mode() == LayoutMode::kRailProperty;
  }
  return inputs;
}

void MainFrame::UpdateMenuState() {
  const MenuState state = MainMenuState(MenuInputs());
  for (const auto& [id, action] : actions_) {
    const CommandState command = state.Of(id);
    action->setEnabled(command.enabled);
    if (action->isCheckable()) action->setChecked(command.checked);
  }
}

QAction* MainFrame::ActionFor(std::string_view id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

void MainFrame::RunCommand(std::string_view id) {
  if (!MainMenuState(MenuInputs()).Of(id).enabled) return;
  if (id == kCmdQuit) {
    close();
  } else if (id == kCmdMapSelect) {
    SelectMap();
  } else if (id == kCmdOpenDia) {
    ArmLoadChecks();
    dia_->Open();
  } else if (id == kCmdImportWindia) {
    std::string& folder = context_.settings.load_wdia;
    const std::string before = folder;
    dia_->ImportWindia(&folder);
    if (folder != before) {
      UpdateSettingsFile(context_.data_folder, [&folder](IniFile& ini) {
        ini.SetString(kSettingsPathSection, kLoadWdiaKey, folder);
      });
    }
  } else if (id == kCmdSaveDia) {
    dia_->Save();
  } else if (id == kCmdSaveDiaAs) {
    dia_->SaveAs();
  } else if (id == kCmdImport) {
    ImportList();
  } else if (id == kCmdSeries) {
    EditSeries();
  } else if (IsDiaDialogCommand(id)) {
    RunDiaDialogCommand(id, dia_->model(), *dialog_host_,
                        {context_.settings.extension, StationTools()});
    display_windows_->RedrawAll();
  } else if (id == kCmdPassengerSimulation) {
    EditPassengerOptions();
  } else if (id == kCmdInternetConfirmation) {
    internet_confirmation_ = ToggleInternetConfirmation(internet_confirmation_, context_.prompter);
  } else if (id == kCmdLineStyles) {
    EditLineStyles();
  } else if (id == kCmdFont) {
    display_windows_->ChooseDefaultFont(this);
  } else if (id == kCmdRailProperty) {
    display_windows_->ToggleRailProperty();
  } else if (id == kCmdSimpleDisplay) {
    display_windows_->RunCommand(display_windows_->active(), kCmdSmartView);
  } else if (id == kCmdTrainIcons) {
    display_windows_->RunCommand(display_windows_->active(), kCmdTrainIcons16);
  } else if (id == kCmdAutoBackup) {
    context_.settings.backup_file = !context_.settings.backup_file;
  } else if (id == kCmdMapEditWindow) {
    if (show_map_edit_) show_map_edit_();
  } else if (id == kCmdMessageWindow) {
    ShowMessageWindow(!message_window_open());
  } else if (id == kCmdPassengerWindow) {
    ShowPassengerWindow(!passenger_window_open());
  } else if (id == kCmdHelpLocal) {
    OpenLocalHelp();
  } else if (const auto page = WebPageForCommand(id)) {
    OpenWebPage(*page);
  } else if (id == kCmdAbout) {
    ShowAbout();
  }
  UpdateMenuState();
  RefreshMessageWindow();
}

StationDialogTools MainFrame::StationTools() {
  StationDialogTools tools;
  tools.chooser = &context_.chooser;
  tools.player = &sound_player_;
  const std::string& folder = context_.data_folder.table[kSlotSoundStation];
  if (!folder.empty()) tools.sound_folder = WithoutTrailingSlash(folder);
  return tools;
}

void MainFrame::OpenStationFrame(int frame) {
  const int target = TargetOfStationFrame(dia_->model().map(), frame);
  if (target == 0) {
    context_.prompter.Beep();
    return;
  }
  RunStationInfo(dia_->model(), target, StationTools(), *dialog_host_);
  display_windows_->RedrawAll();
  UpdateMenuState();
}

MessageWindow* MainFrame::message_window() {
  if (message_window_ == nullptr) {
    message_window_ = new MessageWindow(context_, this);
    connect(message_window_, &MessageWindow::LineDoubleClicked, this, [this](int line) {
      if (show_message_line_) show_message_line_(line);
    });
  }
  return message_window_;
}

bool MainFrame::message_window_open() const {
  return message_window_ != nullptr && message_window_->isVisible();
}

void MainFrame::ShowMessageWindow(bool show) {
  if (show) {
    MessageWindow* window = message_window();
    window->show();
    window->raise();
  } else if (message_window_ != nullptr) {
    message_window_->hide();
  }
}

void MainFrame::RefreshMessageWindow() {
  if (message_window_open()) message_window_->Refresh();
}

void MainFrame::SaveMessageWindowLayout() {
  if (message_window_ != nullptr) message_window_->SaveLayout();
}

PassengerNumberWindow* MainFrame::passenger_window() {
  if (passenger_window_ == nullptr) {
    passenger_window_ = new PassengerNumberWindow(context_, dia_->model(), this);
    passenger_window_->SetCloseRequest([this] { ShowPassengerWindow(false); });
    passenger_window_->SetDropHandler(
        [this](const std::vector<std::string>& paths) { TakeDroppedFiles(paths); });
    // The keys it leaves are typed on the active display window's board.
    passenger_window_->SetKeyHandler([this](const PanelKeyPress& press) {
      display_windows_->Key(display_windows_->active(), press.key, Utf8(press.text),
                            press.modifiers, press.function);
    });
  }
  return passenger_window_;
}

bool MainFrame::passenger_window_open() const {
  return passenger_window_ != nullptr && passenger_window_->isVisible();
}

void MainFrame::ShowPassengerWindow(bool show) {
  if (show) {
    PassengerNumberWindow* window = passenger_window();
    window->show();
    window->raise();
  } else if (passenger_window_ != nullptr) {
    passenger_window_->hide();
    passenger_window_->SaveLayout();
  }
  UpdateMenuState();
}

void MainFrame::SavePassengerWindowLayout() {
  if (passenger_window_ != nullptr) passenger_window_->SaveLayout();
}

void MainFrame::EditPassengerOptions() {
  if (const auto options = hooks_.passenger_options(passenger_options(), this)) {
    TakePassengerOptions(dia_->model(), *options);
  }
}

void MainFrame::EditSeries() {
  SeriesDialog dialog(dia_->model(), SeriesFoldersOf(context_.data_folder.table));
  dialog.set_english(context_.english);
  dialog_host_->Run(dialog);
}

void MainFrame::EditLineStyles() {
  LineItemsDialog dialog(context_.settings.main_window_lines, context_.english);
  if (!dialog_host_->Run(dialog)) return;
  context_.settings.main_window_lines = dialog.items();
  SaveMainWindowLineItems(context_.data_folder, dialog.items());
  display_windows_->RedrawAll();
}

void MainFrame::UpdateTitle() {
  setWindowTitle(Qs(MainWindowTitle(dia_->file().header.map_name.Utf8(), context_.english)));
}

namespace {

// The destination list of a drop as a modal list dialog.
class DialogListChooser : public ListChooser {
 public:
  DialogListChooser(QWidget* parent, bool english) : parent_(parent), english_(english) {}

  std::optional<int> ChooseItem(std::string_view title,
                                const std::vector<std::string>& items) override {
    QStringList shown;
    for (const std::string& item : items) shown << Qs(Shown(item, english_));
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent_, Qs(Shown(title, english_)),
                                                 Qs(Shown(title, english_)), shown, 0, false, &ok);
    if (!ok) return std::nullopt;
    const auto index = shown.indexOf(chosen);
    if (index < 0) return std::nullopt;
    return static_cast<int>(index);
  }

 private:
  QWidget* parent_;
  bool english_;
};

}  // namespace

void MainFrame::ImportList() {
  FileChoice choice;
  choice.must_exist = true;
  choice.filter = kImportListFilter;
  choice.default_extension = kImportListExtension;
  choice.initial_path = context_.data_folder.path + "/";
  const auto chosen = context_.chooser.ChooseFile(choice);
  if (!chosen) return;
  ImportListFile(*chosen, context_.data_folder.path, context_.prompter);
}

void MainFrame::TakeDroppedFiles(const std::vector<std::string>& paths) {
  BusyWindow busy = BusyWindow::kNone;
  if (!display_windows_->panel().operations_enabled()) {
    busy = BusyWindow::kMain;
  } else if (display_windows_->layout_editing().mode() != LayoutMode::kNormal) {
    busy = BusyWindow::kBoard;
  }
  const DataFolder& folder = context_.data_folder;
  std::string sound = folder.table[kSlotSound];
  if (sound.empty()) sound = JoinPath(folder.path, "Sound");
  DialogListChooser chooser(this, context_.english);
  const DropOutcome outcome =
      DispatchDrop(paths, busy, DropFolders{folder.path, sound}, context_.prompter, chooser);
  if (outcome.dia_to_open) {
    ArmLoadChecks();
    dia_->OpenDropped(*outcome.dia_to_open);
  }
  UpdateMenuState();
  RefreshMessageWindow();
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(Utf8(url.toLocalFile()));
  }
  if (paths.empty()) return;
  event->acceptProposedAction();
  TakeDroppedFiles(paths);
}

void MainFrame::ArmLoadChecks() {
  LoadCheckSetup setup;
  setup.extension = context_.settings.extension;
  setup.series_folders = SeriesFoldersOf(context_.data_folder.table);
  setup.status = [this](std::string_view text) {
    statusBar()->showMessage(Qs(Shown(text, context_.english)));
  };
  // The conversion's values are confirmed in the signal settings of the
  // loaded data.
  setup.signal_settings = [this](MapSettings& settings) {
    SignalSettingsDialog dialog(settings, SignalSettingsMode::kMainWindow,
                                SignalSettingsContextOf(dia_->file().dia, true));
    if (!dialog_host_->Run(dialog)) return false;
    settings = dialog.settings();
    return true;
  };
  dia_->SetLoadChecks(std::move(setup));
}

void MainFrame::SelectMap() {
  ArmLoadChecks();
  dia_->SelectMap(
      context_.settings.default_kvb,
      [this](const std::string& name) { context_.settings.default_kvb = name; }, *dialog_host_);
}

void MainFrame::OpenLocalHelp() {
  ShowLocalHelp(
      context_.env.ProgramDataFolder(),
      [this](const std::string& path) { return hooks_.open_url(QUrl::fromLocalFile(Qs(path))); },
      context_.prompter);
}

void MainFrame::OpenWebPage(WebPage page) {
  ShowWebPage(
      page, internet_confirmation_,
      [this](const std::string& address) { return hooks_.open_url(QUrl(Qs(address))); },
      context_.prompter);
}

void MainFrame::ShowAbout() {
  const AboutText about = AboutBoxText(context_.english);
  context_.prompter.Inform(about.text, about.caption);
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (close_handler_ && !close_handler_()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace corvane
