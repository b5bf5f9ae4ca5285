#include "main/message_window.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/english_twins.h"
#include "app/messages.h"
#include "app/window_rect.h"
#include "base/ini_file.h"
#include "platform/qt_text.h"

namespace corvane {

MessageWindow::MessageWindow(AppContext& context, QWidget* parent)
    : QWidget(parent, context.settings.tool_window ? Qt::Tool : Qt::Window), context_(context) {
  setWindowTitle(Qs(WindowTitleText(WindowTitle::kMessageWindow, context.english)));
  view_ = new QPlainTextEdit(this);
  view_->setReadOnly(true);
  view_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  view_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  // A double click on a line is passed on; what it shows is the log's link.
  view_->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  PlaceWindow(*this, context_.settings.message_window,
              DefaultSettings(context_.env, context_.english).message_window,
              StartWindow::kMessage);
  shown_revision_ = context_.log.revision() + 1;  // forces the first showing
  Refresh();
  // Every addition redraws the window; a run of lines added in one go is
  // shown once.
  log_subscription_ = context_.log.Listen([this](const MessageLog&) {
    if (refresh_pending_) return;
    refresh_pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          refresh_pending_ = false;
          Refresh();
        },
        Qt::QueuedConnection);
  });
}

MessageWindow::~MessageWindow() = default;

void MessageWindow::Refresh() {
  if (shown_revision_ == context_.log.revision()) return;
  shown_revision_ = context_.log.revision();
  QStringList lines;
  lines.reserve(context_.log.size());
  block_lines_.clear();
  // Lines the program writes show in the interface's language.
  for (int i = 0; i < context_.log.size(); ++i) {
    lines << Qs(Shown(context_.log.Line(i), context_.english));
    block_lines_.insert(block_lines_.end(), lines.back().count(QLatin1Char('\n')) + 1, i);
  }
  view_->setPlainText(lines.join(QLatin1Char('\n')));
  // The newest line is the one to read.
  view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->maximum());
}

QString MessageWindow::ShownText() const { return view_->toPlainText(); }

int MessageWindow::LineAt(QPoint viewport_point) const {
  const int block = view_->cursorForPosition(viewport_point).blockNumber();
  if (block < 0 || block >= static_cast<int>(block_lines_.size())) return -1;
  return block_lines_[static_cast<std::size_t>(block)];
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int line = LineAt(mouse->position().toPoint());
    if (line >= 0) emit LineDoubleClicked(line);
  }
  return QWidget::eventFilter(watched, event);
}

void MessageWindow::showEvent(QShowEvent* event) {
  shown_once_ = true;
  Refresh();
  QWidget::showEvent(event);
}

void MessageWindow::hideEvent(QHideEvent* event) {
  RememberRect();
  QWidget::hideEvent(event);
}

void MessageWindow::RememberRect() {
  if (!shown_once_) return;
  RememberWindowRect(*this, context_.settings.message_window);
}

void MessageWindow::SaveLayout() {
  if (!shown_once_) return;
  if (isVisible()) RememberRect();
  UpdateSettingsFile(context_.data_folder, [this](IniFile& ini) {
    WriteWindowRect(ini, kMessageWindowSection, context_.settings.message_window);
  });
}

}  // namespace corvane
