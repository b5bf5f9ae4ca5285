#include "app/desktop_app.h"

#include <QUrl>

#include "app/close_sequence.h"
#include "app/data_folder_change.h"
#include "app/dia_document.h"
#include "app/first_tick.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/window_rect.h"
#include "board/display_window_set.h"
#include "interchange/import_list.h"
#include "main/main_frame.h"
#include "mapedit/map_edit_window.h"
#include "platform/qt_text.h"

namespace corvane {

DesktopApp::DesktopApp(AppContext& context, CommandLine command_line, DesktopHooks hooks)
    : context_(context),
      command_line_(std::move(command_line)),
      hooks_(WithRealHooks(std::move(hooks), context)) {
  timer_.setInterval(kTimerMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &DesktopApp::Tick);
}

DesktopApp::~DesktopApp() = default;

bool DesktopApp::Start() {
  Environment& env = context_.env;
  if (command_line_.data_dir) {
    if (!UseDataFolder(*command_line_.data_dir, env, &context_.data_folder, &error_)) return false;
  } else {
    context_.data_folder = FindDataFolder(env);
  }
  context_.english = context_.data_folder.english;
  PrepareDataFolder(context_.data_folder, env);
  context_.settings = LoadProgramSettings(context_.data_folder, env);

  main_frame_ = std::make_unique<MainFrame>(context_, hooks_);
  main_frame_->SetCloseHandler([this] { return RunCloseSequence(); });
  main_frame_->show();
  timer_.start();
  constructed_ = true;
  return true;
}

void DesktopApp::Tick() {
  if (!constructed_ || finished_) return;
  if (!first_tick_done_) {
    // Set first: the dialogs below run their own event loops, in which the
    // timer keeps ticking.
    first_tick_done_ = true;
    FirstTick();
    return;
  }
  main_frame_->RefreshMessageWindow();
}

void DesktopApp::FirstTick() {
  Prompter& prompter = context_.prompter;
  if (const auto problem = CheckDataFolder(context_.data_folder)) {
    prompter.Error(problem->text, problem->caption);
    requested_data_folder_ = hooks_.change_data_folder(main_frame_.get());
    CloseProgram();
    return;
  }

  if (ShouldAskStartMode(command_line_, hooks_.shift_held())) {
    const StartModeChoice choice =
        ChosenStartMode(hooks_.choose_start_mode(command_line_.start_mode, main_frame_.get()));
    command_line_.start_mode = choice.start_mode;
    if (choice.end_program) {
      CloseProgram();
      return;
    }
  }

  // An import list is imported before the windows open; dia data waits
  // for them.
  const StartupFileAction startup_file = HandleStartupFile(command_line_, prompter);
  if (startup_file == StartupFileAction::kImport) {
    ImportListFile(command_line_.startup_file, context_.data_folder.path, prompter);
  }
  const bool dia_pending = startup_file == StartupFileAction::kDiaData;
  OpenWindows();
  if (dia_pending) main_frame_->dia().OpenPath(command_line_.startup_file);
  RecoverBackups();
  main_frame_->RefreshMessageWindow();
}

void DesktopApp::OpenWindows() {
  map_edit_window_ = new MapEditWindow(context_, main_frame_.get());
  main_frame_->SetMapEditWindow([this] { return map_edit_window_open(); },
                                [this] { ShowMapEditWindow(); });
  main_frame_->SetMessageLineHandler([this](int line) { map_edit_window_->ShowMessageLine(line); });
  map_edit_window_->show();
  main_frame_->display_windows().OpenWindowsOfSettings();
  if (command_line_.map_file) map_edit_window_->OpenMapFile(Qs(*command_line_.map_file));
  main_frame_->ShowMessageWindow(true);
}

void DesktopApp::ShowMapEditWindow() {
  if (map_edit_window_ == nullptr) return;
  map_edit_window_->show();
  map_edit_window_->raise();
  map_edit_window_->activateWindow();
}

bool DesktopApp::map_edit_window_open() const {
  return map_edit_window_ != nullptr && map_edit_window_->isVisible();
}

void DesktopApp::RecoverBackups() {
  const BackupRecovery recovery =
      AskBackupRecovery(context_.settings.backup_files, context_.settings.backup_file,
                        map_edit_window_open(), context_.prompter);
  if (recovery.dia_data) OpenDiaBackup(main_frame_->dia(), *recovery.dia_data, recovery.stack);
  if (recovery.map) map_edit_window_->OpenBackupMap(Qs(*recovery.map));
}

void DesktopApp::CloseProgram() {
  if (main_frame_) main_frame_->close();
}

bool DesktopApp::RunCloseSequence() {
  if (finished_) return true;
  if (close_running_) return false;
  close_running_ = true;
  CloseRequest request;
  request.data_folder = context_.data_folder.path;
  request.settings_path = context_.SettingsPath();
  request.settings = &context_.settings;
  request.english = context_.english;
  request.move_data_folder = requested_data_folder_.has_value();
  request.start_mode = command_line_.start_mode;
  request.now = context_.env.LocalTime();
  const bool closed = corvane::RunCloseSequence(request, *this, context_.prompter);
  close_running_ = false;
  if (!closed) return false;
  finished_ = true;
  emit Finished();
  return true;
}

bool DesktopApp::ConfirmMapEditClose() {
  return !map_edit_window_open() || map_edit_window_->ConfirmClose();
}

bool DesktopApp::ConfirmDiaClose() { return main_frame_->dia().ConfirmDiscard(MsgQuit); }

void DesktopApp::StopTimer() { timer_.stop(); }

void DesktopApp::HideWindows() {
  if (map_edit_window_ != nullptr) map_edit_window_->hide();
  main_frame_->ShowMessageWindow(false);
}

void DesktopApp::KeepLayout() {
  RememberWindowRect(*main_frame_, context_.settings.main_window);
  context_.settings.map_edit_window.open = map_edit_window_open();
  if (map_edit_window_open()) map_edit_window_->SaveLayout();
  main_frame_->SaveMessageWindowLayout();
  main_frame_->SavePassengerWindowLayout();
  main_frame_->display_windows().KeepLayouts();
}

void DesktopApp::MoveDataFolder() {
  const DataFolderMoveReport report =
      corvane::MoveDataFolder(context_.data_folder, *requested_data_folder_, context_.env);
  change_log_path_ = report.log_path;
  if (!report.log_path.empty()) {
    hooks_.open_url(QUrl::fromLocalFile(Qs(report.log_path)));
  } else if (!report.log_text.empty()) {
    context_.prompter.Inform(report.log_text, kDataFolderChangeTitle);
  }
}

}  // namespace corvane
