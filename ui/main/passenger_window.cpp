#include "main/passenger_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

#include "app/english_twins.h"
#include "app/messages.h"
#include "app/window_rect.h"
#include "base/ini_file.h"
#include "platform/qpainter_canvas.h"
#include "platform/qt_text.h"

namespace corvane {

PassengerNumberWindow::PassengerNumberWindow(AppContext& context, DiaModel& model, QWidget* parent)
    : QMainWindow(parent, context.settings.tool_window ? Qt::Tool : Qt::Window),
      context_(context),
      passengers_(model),
      host_(context.prompter, context.english, this) {
  setWindowTitle(Qs(WindowTitleText(WindowTitle::kPassengerNumberWindow, context.english)));
  graph_ = new PassengerGraph(*this, context.english, this);
  setCentralWidget(graph_);
  for (const PassengerCommand& command : PassengerCommands()) {
    const char* id = command.id;
    const QString label = Qs(command.label.Pick(context.english));
    if (command.button()) {
      auto* button = new QPushButton(label, graph_);
      button->setObjectName(QString::fromLatin1(id));
      button->setGeometry(command.left, command.top, command.width, command.height);
      button->setFocusPolicy(Qt::NoFocus);  // the keys stay the graph's
      connect(button, &QPushButton::clicked, this, [this, id] { RunCommand(id); });
    } else {
      QAction* action = menuBar()->addAction(label);
      action->setObjectName(QString::fromLatin1(id));
      connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    }
  }
  setAcceptDrops(true);
  // Every change of the data may change what the window shows.
  subscription_ = model.Listen([this](const DiaEvent&) { graph_->Invalidate(); });
  PlaceWindow(*this, context_.settings.passenger_window,
              DefaultSettings(context_.env, context_.english).passenger_window,
              StartWindow::kPassenger);
}

PassengerNumberWindow::~PassengerNumberWindow() = default;

void PassengerNumberWindow::RunCommand(const char* id) {
  passengers_.Run(id, host_);
  graph_->Invalidate();
}

void PassengerNumberWindow::TakeKey(const PanelKeyPress& press) {
  if (passengers_.Key(press.key, press.function, host_)) {
    graph_->Invalidate();
  } else if (key_handler_) {
    key_handler_(press);
  }
}

void PassengerNumberWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (close_request_) {
    close_request_();
  } else {
    hide();
  }
}

void PassengerNumberWindow::showEvent(QShowEvent* event) {
  shown_once_ = true;
  QMainWindow::showEvent(event);
}

void PassengerNumberWindow::hideEvent(QHideEvent* event) {
  if (shown_once_) RememberWindowRect(*this, context_.settings.passenger_window);
  QMainWindow::hideEvent(event);
}

void PassengerNumberWindow::SaveLayout() {
  if (!shown_once_) return;
  if (isVisible()) RememberWindowRect(*this, context_.settings.passenger_window);
  UpdateSettingsFile(context_.data_folder, [this](IniFile& ini) {
    WriteWindowRect(ini, kPassengerWindowSection, context_.settings.passenger_window);
  });
}

void PassengerNumberWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PassengerNumberWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(Utf8(url.toLocalFile()));
  }
  if (paths.empty() || !drop_handler_) return;
  event->acceptProposedAction();
  drop_handler_(paths);
}

// ------------------------------------------------------------ the graph

PassengerGraph::PassengerGraph(PassengerNumberWindow& window, bool english, QWidget* parent)
    : QWidget(parent), window_(window), english_(english) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, kGraphTop + 60);
}

void PassengerGraph::Invalidate() {
  dirty_ = true;
  update();
}

const QImage& PassengerGraph::Picture() {
  if (!dirty_ && picture_.size() == size()) return picture_;
  picture_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
  PassengerWindow& passengers = window_.passengers();
  passengers.SetClientSize(picture_.width(), picture_.height());
  QPainter painter(&picture_);
  QPainterCanvas canvas(painter);
  passengers.Draw(canvas, english_);
  dirty_ = false;
  return picture_;
}

void PassengerGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, Picture());
}

void PassengerGraph::resizeEvent(QResizeEvent* event) {
  window_.passengers().SetClientSize(width(), height());
  dirty_ = true;
  QWidget::resizeEvent(event);
}

void PassengerGraph::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  window_.passengers().SetClientSize(width(), height());
  if (event->button() == Qt::LeftButton) {
    window_.passengers().LeftClick({at.x(), at.y()});
  } else if (event->button() == Qt::RightButton) {
    window_.passengers().RightClick({at.x(), at.y()});
  } else {
    QWidget::mousePressEvent(event);
    return;
  }
  Invalidate();
  event->accept();
}

void PassengerGraph::keyPressEvent(QKeyEvent* event) {
  const std::optional<PanelKeyPress> press = PanelKeyOf(*event);
  if (!press) {
    QWidget::keyPressEvent(event);
    return;
  }
  window_.TakeKey(*press);
  event->accept();
}

}  // namespace corvane
