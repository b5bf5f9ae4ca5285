#pragma once
// The board area of a display window: paints the operation board of the
// loaded dia data with the core's drawing on a QPainterCanvas into an
// off-screen picture, which is drawn again only when it is invalidated (a
// change event of the data or the window's view) or the size changes.
// Passes clicks, the wheel and keys on to the operation panel through the
// window; Ctrl + wheel zooms.

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>

#include "board/board_index.h"
#include "board/board_view.h"
#include "board/board_window.h"
#include "board/line_items.h"
#include "board/operation_panel.h"
#include "data/view_settings.h"
#include "run/dia_model.h"

class QKeyEvent;

namespace corvane {

// A key press as the board reads it: the key, the character it writes, the
// modifiers and a function key's number.
struct PanelKeyPress {
  PanelKey key = PanelKey::kCharacter;
  QString text;
  PanelModifiers modifiers;
  int function = 0;
};
// Nothing for a key that the board does not tell apart and that writes no
// character.
std::optional<PanelKeyPress> PanelKeyOf(const QKeyEvent& event);

class BoardWidget : public QWidget {
  Q_OBJECT

 public:
  BoardWidget(const DiaModel& model, const LayoutEditing& editing, int window,
              const LineItems& items, bool english, QWidget* parent = nullptr);

  // The picture is drawn again at the next paint.
  void Invalidate();
  // The data changed (not only a window's view): the index of what lies
  // where is built anew too.
  void DataChanged();
  // The board as shown: drawn now when it is out of date.
  const QImage& Picture();
  // The view of the window at the widget's size.
  BoardView View() const;
  // The panel whose chosen lever and label placement the picture shows.
  void SetPanel(const OperationPanel* panel) { panel_ = panel; }
  // Everything the scroll bars reach at the window's zoom, in one picture
  // drawn from the first scroll position; null when it would be too large.
  QImage WholePicture();

 signals:
  // The user asks to scroll by whole scroll positions.
  void ScrollRequested(int dx, int dy);
  // The user asks for a zoom command (Ctrl + wheel).
  void ZoomRequested(const QString& id);
  // A click on the board at a pixel of its picture.
  void Clicked(BoardClick click, QPoint pixel, PanelModifiers modifiers);
  // Wheel notches away from the user (negative: towards), without Ctrl.
  void Wheeled(int notches, bool shift);
  // A key on the board: its kind, the character it writes, the function
  // key's number.
  void KeyPressed(PanelKey key, const QString& text, PanelModifiers modifiers, int function);
  // The client size changed: what is in view (scroll ranges, title) too.
  void Resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // The tabulator key is the board's, not the focus chain's.
  bool focusNextPrevChild(bool next) override;

 private:
  const DisplayWindowSection& Section() const;

  const DiaModel& model_;
  const LayoutEditing& editing_;
  int window_;
  // Built when first drawn after a change of the data or of the flat row
  // layout that row-division editing shows.
  std::optional<BoardIndex> index_;
  const LineItems& items_;
  bool english_;
  const OperationPanel* panel_ = nullptr;
  QImage picture_;
  bool dirty_ = true;
};

// The font a window draws its board in.
QFont BoardFont(const FontSettings& font, bool english);
// The window's font from one the user chose (`dpi`: the display's vertical
// dots per inch for the height).
FontSettings FontSettingsOf(const QFont& font, bool english, int dpi);

}  // namespace corvane
