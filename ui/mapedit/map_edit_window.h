#pragma once
// The map edit window: the one EditMap drawn on its grid, with the file
// commands (new, open, save, save as), the editing tools, scrolling and the
// close query. Every rule lives in the core; this window turns menu
// commands, clicks, keys and the mouse wheel into calls on it and shows what
// it reports (title, prompt line, check marks, picture).

#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "app/map_document.h"
#include "dialogs/form_dialog.h"
#include "editor/edit_dialogs.h"
#include "editor/edit_session.h"

class QAction;
class QCloseEvent;
class QEvent;
class QLabel;
class QMenu;
class QShowEvent;

namespace corvane {

class MapView;

class MapEditWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Starts with a new map (default signal types from the program's data);
  // the position and grid steps come from the settings.
  explicit MapEditWindow(AppContext& context, QWidget* parent = nullptr);
  ~MapEditWindow() override;

  // Opens the map file at `path` without the file dialog (the start-up
  // --map=FILE). True when the map was read.
  bool OpenMapFile(const QString& path);
  // Reads a backup of the map left by an abnormal end; the map then has no
  // file name until it is saved.
  bool OpenBackupMap(const QString& path);

  // The close query of the program's end: while the map is modified, asks
  // whether to save it first. False when the user cancelled. After a true
  // answer, closing the window asks nothing more (until the window is
  // active again) and it stays marked open in the settings.
  bool ConfirmClose();

  // Stores the window's position (unless minimised or maximised) and grid
  // steps in the settings and in the settings file.
  void SaveLayout();

  // A double click on line `line` of the message window: when the line
  // names an object of the map, the window comes to the front with that
  // object selected and in view. False when the line names none.
  bool ShowMessageLine(int line);

  MapDocument& document() { return *document_; }
  MapView& view() { return *view_; }
  EditSession& session() { return *session_; }
  // The text of the prompt line.
  QString PromptText() const;
  // The status line: the grid point under the pointer, the object there,
  // the scale.
  void UpdateStatus();

 public slots:
  void NewMap();
  void OpenMap();
  void SaveMap();
  void SaveMapAs();
  // "コンパイル": the compile checks, their findings in the message window
  // and on the map (the conversion comes after them).
  void Compile();
  // Title, scroll ranges and the picture after the map changed.
  void MapChanged();
  // The title after the file or the modified state changed.
  void UpdateTitle();
  // Title, prompt line, check marks, scroll ranges and the picture after a
  // click, a key or a tool command.
  void Edited();

 protected:
  // Closing by the user asks the close query first.
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateMenus();
  // The recent maps submenu, filled when it opens; opening one of them.
  void FillRecentMaps();
  void OpenRecentMap(const std::string& path);
  // The current file first among the recent maps.
  void RememberMap();
  void CreateToolMenus();
  void RunToolCommand(const std::string& id);
  void UpdateToolChecks();
  void RestoreLayout();
  void MapOpened();
  // After an open command: the opened map, or the title as it is; the
  // window closes when the user chose to abandon it. True when opened.
  bool ShowOpened(OpenOutcome outcome);
  bool AskToClose();

  AppContext& context_;
  std::unique_ptr<MapDocument> document_;
  // The tools' dialogs, shown as forms over this window.
  std::unique_ptr<QtDialogHost> dialog_host_;
  std::unique_ptr<HostedEditDialogs> dialogs_;
  std::unique_ptr<EditSession> session_;
  std::map<std::string, QAction*> tool_actions_;  // by command id
  MapView* view_ = nullptr;
  QLabel* prompt_line_ = nullptr;
  QLabel* status_ = nullptr;
  QAction* compile_action_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  bool close_confirmed_ = false;  // the program's end has asked already
};

}  // namespace corvane
