#include "board/board_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cstdint>

#include "base/font_record.h"
#include "board/board_drawing.h"
#include "board/board_scroll.h"
#include "board/display_windows.h"
#include "platform/qpainter_canvas.h"
#include "platform/qt_text.h"
#include "platform/ui_font.h"

namespace corvane {

namespace {

// The most pixels a picture of the whole board holds.
constexpr std::int64_t kMostWholePixels = std::int64_t{64} << 20;

PanelModifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
  return {(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0};
}

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
  if (panel_ != nullptr) {
    scene.chosen_lever = panel_->state(window_).chosen_lever;
    scene.placing_label = panel_->state(window_).placing_label;
  }
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
  } else {
    emit Wheeled(notches, (event->modifiers() & Qt::ShiftModifier) != 0);
  }
  event->accept();
}

std::optional<PanelKeyPress> PanelKeyOf(const QKeyEvent& event) {
  const PanelModifiers modifiers = ModifiersOf(event.modifiers());
  const int key = event.key();
  PanelKey kind = PanelKey::kCharacter;
  int function = 0;
  QString text = event.text();
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      kind = PanelKey::kTab;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      kind = PanelKey::kEnter;
      break;
    case Qt::Key_Escape:
      kind = PanelKey::kEscape;
      break;
    case Qt::Key_Space:
      kind = PanelKey::kSpace;
      text = QStringLiteral(" ");
      break;
    case Qt::Key_Left:
      kind = PanelKey::kLeft;
      break;
    case Qt::Key_Right:
      kind = PanelKey::kRight;
      break;
    case Qt::Key_Up:
      kind = PanelKey::kUp;
      break;
    case Qt::Key_Down:
      kind = PanelKey::kDown;
      break;
    case Qt::Key_Backspace:
      kind = PanelKey::kBackspace;
      break;
    case Qt::Key_Delete:
      kind = PanelKey::kDelete;
      break;
    case Qt::Key_Shift:
      kind = PanelKey::kShift;
      break;
    case Qt::Key_Control:
      kind = PanelKey::kControl;
      break;
    case Qt::Key_Pause:
      kind = PanelKey::kPause;
      break;
    case Qt::Key_Insert:
      kind = PanelKey::kInsert;
      break;
    default:
      if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        kind = PanelKey::kFunction;
        function = key - Qt::Key_F1 + 1;
      } else if (modifiers.ctrl && key >= Qt::Key_A && key <= Qt::Key_Z) {
        // Ctrl writes a control character: the letter is the key's.
        text = QChar(u'a' + (key - Qt::Key_A));
      }
  }
  if (kind == PanelKey::kCharacter && text.isEmpty()) return std::nullopt;
  return PanelKeyPress{kind, text, modifiers, function};
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
  const std::optional<PanelKeyPress> press = PanelKeyOf(*event);
  if (!press) {
    QWidget::keyPressEvent(event);
    return;
  }
  emit KeyPressed(press->key, press->text, press->modifiers, press->function);
  event->accept();
}

bool BoardWidget::focusNextPrevChild(bool) { return false; }

QImage BoardWidget::WholePicture() {
  const std::optional<BoardView> whole = WholeBoardView(View(), model_.map(), kMostWholePixels);
  if (!whole) return {};
  QImage image(whole->width, whole->height, QImage::Format_RGB32);
  QPainter painter(&image);
  QPainterCanvas canvas(painter, BoardFont(Section().font, english_));
  BoardScene scene = WindowBoardScene(model_, editing_, items_, window_, width(), height());
  scene.view = *whole;
  scene.english = english_;
  DrawBoard(scene, canvas);
  return image;
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
  const PanelModifiers modifiers = ModifiersOf(event->modifiers());
  if (event->button() == Qt::LeftButton) {
    emit Clicked(BoardClick::kLeft, event->position().toPoint(), modifiers);
  } else if (event->button() == Qt::RightButton) {
    emit Clicked(BoardClick::kRight, event->position().toPoint(), modifiers);
  }
  event->accept();
}

void BoardWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit Clicked(BoardClick::kDouble, event->position().toPoint(), ModifiersOf(event->modifiers()));
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
