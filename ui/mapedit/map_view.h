#pragma once
// The grid of the map edit window: draws the EditMap through the core's
// drawing on a QPainterCanvas, feeds mouse buttons and keys to the editing
// session and scrolls by whole columns and rows (scroll bars, the arrow keys
// through the session, mouse wheel).

#include <QAbstractScrollArea>

#include "editor/edit_session.h"
#include "editor/map_drawing.h"
#include "map/edit_map.h"

namespace corvane {

class MapView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit MapView(EditSession& session, QWidget* parent = nullptr);

  // The extent the scroll bars cover; the ranges follow the window's size.
  void SetExtent(MapExtent extent);
  const MapScrollRanges& scroll_ranges() const { return ranges_; }

  // The scrolled origin: the first visible column and row.
  int first_column() const;
  int first_row() const;
  void ScrollTo(int column, int row);
  // The grid pixel shown at the view's top-left corner.
  QPoint ScrollOffset() const;

  // Carries out what a command or key reported: its scroll (or the
  // position to scroll to), and a change of the scale about the view's
  // centre (or to the map's origin).
  void ShowResult(const KeyResult& result);

  // What the last paint showed besides the map: the session's tool and
  // marks, the grid steps, the scroll offset and the size.
  const MapDrawOptions& draw_options() const { return options_; }

 signals:
  // A click or key went to the session: the map, the tool or its marks may
  // have changed.
  void Edited();
  // The mouse pointer moved over the map or left it.
  void PointerMoved();
  // The error display was switched on.
  void ErrorDisplayOn();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  // Tab and Shift+Tab stay with the map (Shift+Tab turns it) instead of
  // moving the focus.
  bool focusNextPrevChild(bool next) override;

 private:
  void UpdateScrollRanges();
  // The view's size in grid pixels at the current scale.
  QSize GridPixels() const;
  // The grid pixel a view position shows.
  QPoint GridPixelAt(QPointF view) const;
  void Scroll(const ScrollRequest& request);
  // After a zoom command: keeps the grid point at view pixel `anchor` where
  // it is, or shows the origin.
  void FollowZoom(const KeyResult& result, QPoint anchor);
  // Reports what a key did.
  void KeyDone(const KeyResult& result);

  EditSession& session_;
  MapDrawOptions options_;
  MapExtent extent_;
  MapScrollRanges ranges_;
  int wheel_remainder_ = 0;  // angle not yet worth a notch
  int zoom_notches_ = 0;     // likewise for the scale
  int zoom_ = 100;           // the scale the scroll ranges were made for
};

}  // namespace corvane
