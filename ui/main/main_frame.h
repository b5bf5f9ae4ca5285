#pragma once
// The main window: the menu bar built from the core's menu tree in the
// interface language, the area for the board's display windows, and the
// commands that reach everything outside the map edit window. The window
// runs as the map compiler, so the commands of the simulator's running part
// stay disabled.

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_context.h"
#include "app/desktop_hooks.h"
#include "app/dia_document.h"
#include "app/main_menu.h"
#include "app/passenger_options.h"
#include "dialogs/form_dialog.h"
#include "platform/process_sound_player.h"

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMdiArea;
class QMenu;

namespace corvane {

class DisplayWindowSet;
class MessageWindow;
class PassengerNumberWindow;

class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Placed where the settings say ("KORVMainWindow").
  explicit MainFrame(AppContext& context, DesktopHooks hooks = {}, QWidget* parent = nullptr);
  ~MainFrame() override;

  // Closing the window asks `handler` first (the close sequence); false
  // keeps the window open.
  void SetCloseHandler(std::function<bool()> handler) { close_handler_ = std::move(handler); }
  // The map edit window: whether it is shown, and showing it in front
  // (again after it was closed).
  void SetMapEditWindow(std::function<bool()> is_open, std::function<void()> show) {
    map_edit_open_ = std::move(is_open);
    show_map_edit_ = std::move(show);
  }
  // What a double click on a line of the message window shows.
  void SetMessageLineHandler(std::function<void(int line)> handler) {
    show_message_line_ = std::move(handler);
  }

  // Runs a menu command by its id, as a click on its menu item does.
  void RunCommand(std::string_view id);
  // The menu item of a command, or null.
  QAction* ActionFor(std::string_view id) const;
  // Sets every item's enabled and checked state from the core's rules.
  void UpdateMenuState();
  MainMenuInputs MenuInputs() const;

  // The message window, made on first use.
  MessageWindow* message_window();
  bool message_window_open() const;
  void ShowMessageWindow(bool show);
  // Shows the log's new lines, when the message window is open.
  void RefreshMessageWindow();
  // Writes the message window's position into the settings file.
  void SaveMessageWindowLayout();

  // The passenger number window, made on first use (its copied curve lives
  // as long as the main window).
  PassengerNumberWindow* passenger_window();
  bool passenger_window_open() const;
  // Shows or closes it; closing keeps its place in the settings file.
  void ShowPassengerWindow(bool show);
  // Writes its place into the settings file (the program closes).
  void SavePassengerWindowLayout();

  QMdiArea* mdi_area() const { return mdi_area_; }
  // The board's display windows 00 to 15 in the window's area.
  DisplayWindowSet& display_windows() { return *display_windows_; }
  // The dia data of the main window (its file commands, the close question).
  DiaDocument& dia() { return *dia_; }
  const PassengerOptions& passenger_options() const { return dia_->file().header.passengers; }
  bool internet_confirmation() const { return internet_confirmation_; }

  // "データ自動インポート(&I)": an import list chosen in a file dialog.
  void ImportList();
  // Files dropped onto the main window or a display window, in order.
  void TakeDroppedFiles(const std::vector<std::string>& paths);
  // A station frame of the board was clicked: the station information
  // dialog of its station.
  void OpenStationFrame(int frame);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries);
  void OpenLocalHelp();
  void OpenWebPage(WebPage page);
  void ShowAbout();
  void EditPassengerOptions();
  // "線種・配色設定": the board's pens and colours, kept in the settings file.
  void EditLineStyles();
  void SelectMap();
  // "形式設定".
  void EditSeries();
  // The load-time checks of every open, with the settings as they are now.
  void ArmLoadChecks();
  // The program's title and the name of the map held.
  void UpdateTitle();
  // What the station dialog browses and plays with.
  StationDialogTools StationTools();

  AppContext& context_;
  DesktopHooks hooks_;
  std::function<bool()> close_handler_;
  std::function<bool()> map_edit_open_;
  std::function<void()> show_map_edit_;
  std::function<void(int line)> show_message_line_;
  QMdiArea* mdi_area_ = nullptr;
  MessageWindow* message_window_ = nullptr;
  PassengerNumberWindow* passenger_window_ = nullptr;
  std::map<std::string, QAction*, std::less<>> actions_;
  std::unique_ptr<DiaDocument> dia_;
  DiaModel::Subscription dia_subscription_;
  // Owned by the window's area; destroyed before the dia data.
  DisplayWindowSet* display_windows_ = nullptr;
  std::unique_ptr<QtDialogHost> dialog_host_;
  bool internet_confirmation_ = true;
  ProcessSoundPlayer sound_player_;
};

}  // namespace corvane
