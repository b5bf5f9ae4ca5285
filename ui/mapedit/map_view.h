#pragma once
// The grid of the map edit window: draws the EditMap through the core's
// drawing on a QPainterCanvas and scrolls by whole columns and rows (scroll
// bars, arrow keys, mouse wheel).

#include <QAbstractScrollArea>

#include "editor/edit_map.h"
#include "editor/map_drawing.h"

namespace corvane {

class MapView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit MapView(const EditMap& map, QWidget* parent = nullptr);

  // Every grid_x-th column and grid_y-th row line is drawn dark (0: none).
  void SetGridSteps(int grid_x, int grid_y);
  int grid_x() const { return options_.grid_x; }
  int grid_y() const { return options_.grid_y; }

  // The extent the scroll bars cover; the ranges follow the window's size.
  void SetExtent(MapExtent extent);
  const MapScrollRanges& scroll_ranges() const { return ranges_; }

  // The scrolled origin: the first visible column and row.
  int first_column() const;
  int first_row() const;
  void ScrollTo(int column, int row);

  // What the next paint shows besides the map (the tool and its marks); the
  // scroll offset and the size are the view's own.
  MapDrawOptions& draw_options() { return options_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void UpdateScrollRanges();

  const EditMap& map_;
  MapDrawOptions options_;
  MapExtent extent_;
  MapScrollRanges ranges_;
  int wheel_remainder_ = 0;  // angle not yet worth a notch
};

}  // namespace corvane
