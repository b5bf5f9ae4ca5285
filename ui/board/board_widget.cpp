#include "board/board_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "base/font_record.h"
#include "board/board_drawing.h"
#include "board/board_scroll.h"
#include "board/display_windows.h"
#include "platform/qpainter_canvas.h"
#include "platform/qt_text.h"
#include "platform/ui_font.h"

namespace corvane {

namespace {

// Positions one notch of the wheel scrolls.
constexpr int kWheelStep = 3;

}  // namespace

BoardWidget::BoardWidget(const DiaModel& model, const LayoutEditing& editing, int window,
                         const LineItems& items, bool english, QWidget* parent)
    : QWidget(parent),
      model_(model),
      editing_(editing),
      window_(window),
      items_(items),
      english_(english) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(40, 40);
}

const DisplayWindowSection& BoardWidget::Section() const {
  return model_.windows()[static_cast<std::size_t>(window_)];
}

void BoardWidget::Invalidate() {
  dirty_ = true;
  update();
}

void BoardWidget::DataChanged() {
  index_.reset();
  Invalidate();
}

BoardView BoardWidget::View() const {
  return WindowBoardView(model_, editing_, window_, width(), height());
}

const QImage& BoardWidget::Picture() {
  if (!dirty_ && picture_.size() == size()) return picture_;
  picture_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
  QPainter painter(&picture_);
  QPainterCanvas canvas(painter, BoardFont(Section().font, english_));
  BoardScene scene = WindowBoardScene(model_, editing_, items_, window_, width(), height());
  scene.english = english_;
  const bool flat = scene.view.layout == LayoutMode::kRowDivision;
  if (!index_ || index_->flat() != flat) index_.emplace(model_.file(), scene.view.layout);
  scene.index = &*index_;
  DrawBoard(scene, canvas);
  dirty_ = false;
  return picture_;
}

void BoardWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, Picture());
}

void BoardWidget::resizeEvent(QResizeEvent* event) {
  dirty_ = true;
  QWidget::resizeEvent(event);
  emit Resized();
}

void BoardWidget::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches == 0) return;
  if (event->modifiers() & Qt::ControlModifier) {
    const bool in = notches > 0;
    emit ZoomRequested(QString::fromLatin1(in ? kBoardCmdWiderLarge : kBoardCmdNarrowerLarge));
    emit ZoomRequested(QString::fromLatin1(in ? kBoardCmdTallerLarge : kBoardCmdShorterLarge));
  } else if (event->modifiers() & Qt::ShiftModifier) {
    emit ScrollRequested(-notches * kWheelStep, 0);
  } else {
    emit ScrollRequested(0, -notches * kWheelStep);
  }
  event->accept();
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
  const int step = (event->modifiers() & Qt::ShiftModifier) ? kScrollLineStep : kScrollPageStep;
  switch (event->key()) {
    case Qt::Key_Left:
      emit ScrollRequested(-step, 0);
      break;
    case Qt::Key_Right:
      emit ScrollRequested(step, 0);
      break;
    case Qt::Key_Up:
      emit ScrollRequested(0, -step);
      break;
    case Qt::Key_Down:
      emit ScrollRequested(0, step);
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit Clicked(BoardClick::kLeft, event->position().toPoint());
  } else if (event->button() == Qt::RightButton) {
    emit Clicked(BoardClick::kRight, event->position().toPoint());
  }
  event->accept();
}

void BoardWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit Clicked(BoardClick::kDouble, event->position().toPoint());
  }
  event->accept();
}

QFont BoardFont(const FontSettings& font, bool english) {
  QFont qfont(FromSjis(FaceNameOrDefault(font, english)));
  qfont.setPointSize(std::clamp(font.point_size, 1, 200));
  qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  qfont.setStrikeOut(font.strike_out);
  return WithJapaneseFallback(qfont);
}

FontSettings FontSettingsOf(const QFont& font, bool english, int dpi) {
  FontSettings settings;
  const std::string face = ToSjis(font.family());
  // The language's default face is kept as none.
  if (face != FaceNameOrDefault(FontSettings{}, english)) settings.face_name = face;
  settings.point_size = std::max(font.pointSize(), 1);
  settings.height = FontHeightOfPoints(settings.point_size, dpi);
  settings.weight = font.weight();
  settings.italic = font.italic();
  settings.underline = font.underline();
  settings.strike_out = font.strikeOut();
  return settings;
}

}  // namespace corvane
