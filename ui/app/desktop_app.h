#pragma once
// The desktop program's life: start-up (data folder, language, settings,
// main window, the 500 ms timer), the first tick's first-run work, and the
// close sequence that every exit goes through. The decisions are the
// core's; this class puts them in order and shows the windows.

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "app/app_context.h"
#include "app/close_sequence.h"
#include "app/command_line.h"
#include "app/desktop_hooks.h"

namespace corvane {

class MainFrame;
class MapEditWindow;

class DesktopApp : public QObject, private CloseWindows {
  Q_OBJECT

 public:
  static constexpr int kTimerMilliseconds = 500;

  DesktopApp(AppContext& context, CommandLine command_line, DesktopHooks hooks = {});
  ~DesktopApp() override;

  // Finds the data folder (or takes the one of --data-dir), chooses the
  // language, reads the settings, shows the main window and starts the
  // timer. False when --data-dir cannot be used; `error()` says why.
  bool Start();
  const std::string& error() const { return error_; }

  // What the timer does: the first call runs the first-run steps, later
  // ones show new message-log lines.
  void Tick();
  bool first_tick_done() const { return first_tick_done_; }

  // The close sequence: save questions, backup keys, settings, a requested
  // data-folder move, the start-mode reset. False when the user cancelled
  // it. Runs at most once; `Finished` is emitted at its end.
  bool RunCloseSequence();
  bool finished() const { return finished_; }

  MainFrame* main_frame() const { return main_frame_.get(); }
  MapEditWindow* map_edit_window() const { return map_edit_window_; }
  bool map_edit_window_open() const;
  // Shows the map edit window in front, also after it was closed.
  void ShowMapEditWindow();
  QTimer& timer() { return timer_; }
  int start_mode() const { return command_line_.start_mode; }
  const std::optional<std::string>& requested_data_folder() const { return requested_data_folder_; }
  // The change log of a data-folder move, once written.
  const std::string& change_log_path() const { return change_log_path_; }

 signals:
  // The close sequence has run; the program ends.
  void Finished();

 private:
  void FirstTick();
  // Ends the program through the main window's close, which runs the close
  // sequence.
  void CloseProgram();
  void OpenWindows();
  void RecoverBackups();

  // The windows' part of the close sequence.
  bool ConfirmMapEditClose() override;
  bool ConfirmDiaClose() override;
  void StopTimer() override;
  void KeepLayout() override;
  void MoveDataFolder() override;
  void HideWindows() override;

  AppContext& context_;
  CommandLine command_line_;
  DesktopHooks hooks_;
  std::unique_ptr<MainFrame> main_frame_;
  MapEditWindow* map_edit_window_ = nullptr;  // owned by the main window
  QTimer timer_;
  std::string error_;
  bool constructed_ = false;
  bool first_tick_done_ = false;
  bool close_running_ = false;
  bool finished_ = false;
  std::optional<std::string> requested_data_folder_;
  std::string change_log_path_;
};

}  // namespace corvane
