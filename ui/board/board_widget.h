#pragma once
// The board area of a display window: paints the operation board of the
// loaded dia data with the core's drawing on a QPainterCanvas into an
// off-screen picture, which is drawn again only when it is invalidated (a
// change event of the data or the window's view) or the size changes.
// Scrolls by the wheel and the arrow keys through the window's requests.

#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>

#include "board/board_view.h"
#include "board/line_items.h"
#include "data/view_settings.h"
#include "run/dia_model.h"

namespace corvane {

class BoardWidget : public QWidget {
  Q_OBJECT

 public:
  BoardWidget(const DiaModel& model, int window, const LineItems& items, bool english,
              QWidget* parent = nullptr);

  // The picture is drawn again at the next paint.
  void Invalidate();
  // The board as shown: drawn now when it is out of date.
  const QImage& Picture();
  // The view of the window at the widget's size.
  BoardView View() const;

 signals:
  // The user asks to scroll by whole scroll positions.
  void ScrollRequested(int dx, int dy);
  // The user asks for a zoom command (Ctrl + wheel).
  void ZoomRequested(const QString& id);
  // The client size changed: what is in view (scroll ranges, title) too.
  void Resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  const DisplayWindowSection& Section() const;

  const DiaModel& model_;
  int window_;
  const LineItems& items_;
  bool english_;
  QImage picture_;
  bool dirty_ = true;
};

// The font a window draws its board in.
QFont BoardFont(const FontSettings& font, bool english);
// The window's font from one the user chose (`dpi`: the display's vertical
// dots per inch for the height).
FontSettings FontSettingsOf(const QFont& font, bool english, int dpi);

}  // namespace corvane
