#pragma once
// The grid of the map edit window: draws the EditMap through the core's
// drawing on a QPainterCanvas and scrolls by whole columns and rows (scroll
// bars, arrow keys, mouse wheel).

#include <QAbstractScrollArea>

#include "editor/edit_map.h"

namespace corvane {

class MapView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit MapView(const EditMap& map, QWidget* parent = nullptr);

  // Every grid_x-th column and grid_y-th row line is drawn dark (0: none).
  void SetGridSteps(int grid_x, int grid_y);
  int grid_x() const { return grid_x_; }
  int grid_y() const { return grid_y_; }

  // Recomputes the scroll ranges from the map's extent and the window size.
  void UpdateScrollRanges();

  // The scrolled origin: the first visible column and row.
  int first_column() const;
  int first_row() const;
  void ScrollTo(int column, int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  const EditMap& map_;
  int grid_x_ = 10;
  int grid_y_ = 4;
  int wheel_remainder_ = 0;  // angle not yet worth a notch
};

}  // namespace corvane
