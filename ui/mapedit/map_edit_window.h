#pragma once
// The map edit window: the one EditMap drawn on its grid, with the file
// commands (new, open, save, save as), scrolling and the close query. Every
// rule lives in the core; this window turns menu commands, keys and the
// mouse wheel into calls on it and shows what it reports.

#include <QMainWindow>
#include <QString>
#include <memory>

#include "app/app_context.h"
#include "mapfile/map_document.h"

class QAction;
class QCloseEvent;
class QLabel;
class QScrollBar;

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

  // The close query: while the map is modified, asks whether to save it
  // first. False when the user cancelled.
  bool ConfirmClose();

  // Stores the window's position (unless minimised or maximised) and grid
  // steps in the settings and in the settings file.
  void SaveLayout();

  MapDocument& document() { return *document_; }
  MapView& view() { return *view_; }

 public slots:
  void NewMap();
  void OpenMap();
  void SaveMap();
  void SaveMapAs();
  // Title, scroll ranges and the picture after the map or its file changed.
  void MapChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateMenus();
  void UpdateTitle();
  void RestoreLayout();

  AppContext& context_;
  std::unique_ptr<MapDocument> document_;
  MapView* view_ = nullptr;
  QLabel* prompt_line_ = nullptr;
};

}  // namespace corvane
