#pragma once
// The passenger number window: a window of its own with the menu bar of
// the core's passenger window commands, the buttons at their places in the
// top area and the graph painted by the core's drawing. Closing it asks the
// main window to close it; its place goes to the settings file.

#include <QImage>
#include <QMainWindow>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/passenger_window.h"
#include "board/board_widget.h"
#include "dialogs/form_dialog.h"

namespace corvane {

class PassengerGraph;

class PassengerNumberWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Placed where the settings say ("PassengerEditWindow").
  PassengerNumberWindow(AppContext& context, DiaModel& model, QWidget* parent = nullptr);
  ~PassengerNumberWindow() override;

  PassengerWindow& passengers() { return passengers_; }
  PassengerGraph* graph() const { return graph_; }

  // What the close button asks of the main window.
  void SetCloseRequest(std::function<void()> request) { close_request_ = std::move(request); }
  // Files dropped onto the window.
  void SetDropHandler(std::function<void(const std::vector<std::string>&)> handler) {
    drop_handler_ = std::move(handler);
  }
  // Keys the window does not take (the board's typed keys).
  void SetKeyHandler(std::function<void(const PanelKeyPress&)> handler) {
    key_handler_ = std::move(handler);
  }

  // Runs a button or menu command by its id.
  void RunCommand(const char* id);
  // A key as the graph got it.
  void TakeKey(const PanelKeyPress& press);
  // Keeps the window's place in the settings and writes it into the
  // settings file. Nothing when the window was never shown.
  void SaveLayout();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  AppContext& context_;
  PassengerWindow passengers_;
  QtDialogHost host_;
  PassengerGraph* graph_ = nullptr;
  DiaModel::Subscription subscription_;
  std::function<void()> close_request_;
  std::function<void(const std::vector<std::string>&)> drop_handler_;
  std::function<void(const PanelKeyPress&)> key_handler_;
  bool shown_once_ = false;
};

// The client area: the picture of the core's drawing, the clicks in the
// graph and the keys.
class PassengerGraph : public QWidget {
  Q_OBJECT

 public:
  PassengerGraph(PassengerNumberWindow& window, bool english, QWidget* parent);

  // The picture as shown, drawn now when it is out of date.
  const QImage& Picture();
  void Invalidate();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  PassengerNumberWindow& window_;
  bool english_;
  QImage picture_;
  bool dirty_ = true;
};

}  // namespace corvane
