// The pixel rules of the QPainter canvas, checked on an image.

#include "platform/qpainter_canvas.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace corvane {

class QPainterCanvasTest : public QObject {
  Q_OBJECT

 private:
  static QImage White() {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
  }
  static bool IsBlack(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == QColor(Qt::black);
  }
  // Number of black pixels in the image.
  static int BlackCount(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += IsBlack(image, x, y);
    }
    return count;
  }

 private slots:
  void RectanglesLeaveOutTheirRightAndBottomEdges() {
    QImage image = White();
    {
      QPainter painter(&image);
      QPainterCanvas canvas(painter);
      canvas.FillRect(2, 3, 6, 8, kBlack);
      canvas.FillRect(20, 20, 20, 30, kBlack);  // empty
    }
    QCOMPARE(BlackCount(image), 4 * 5);
    QVERIFY(IsBlack(image, 2, 3) && IsBlack(image, 5, 7));
    QVERIFY(!IsBlack(image, 6, 7) && !IsBlack(image, 5, 8));
  }

  void FramesLieInsideTheRectangle() {
    QImage image = White();
    {
      QPainter painter(&image);
      QPainterCanvas canvas(painter);
      canvas.FrameRect(10, 10, 20, 16, kBlack, 1);
    }
    QCOMPARE(BlackCount(image), 2 * 10 + 2 * 4);
    QVERIFY(IsBlack(image, 19, 15) && !IsBlack(image, 20, 15) && !IsBlack(image, 11, 11));
  }

  void LinesLeaveOutTheirEndPoint() {
    QImage image = White();
    {
      QPainter painter(&image);
      QPainterCanvas canvas(painter);
      canvas.Line({5, 5}, {15, 5}, kBlack, 1);    // horizontal
      canvas.Line({5, 20}, {15, 25}, kBlack, 1);  // slanting
      canvas.Line({30, 10}, {30, 2}, kBlack, 1);  // upward
    }
    QVERIFY(IsBlack(image, 5, 5) && IsBlack(image, 14, 5) && !IsBlack(image, 15, 5));
    QVERIFY(IsBlack(image, 5, 20) && !IsBlack(image, 15, 25));
    QVERIFY(IsBlack(image, 30, 10) && IsBlack(image, 30, 3) && !IsBlack(image, 30, 2));
    QCOMPARE(BlackCount(image), 10 + 10 + 8);
  }

  void WideLinesGrowUpAndLeftOfTheThinLine() {
    QImage image = White();
    {
      QPainter painter(&image);
      QPainterCanvas canvas(painter);
      canvas.Line({10, 0}, {10, 40}, kBlack, 2);
    }
    for (int y : {0, 20, 39}) {
      QVERIFY(IsBlack(image, 9, y) && IsBlack(image, 10, y));
      QVERIFY(!IsBlack(image, 8, y) && !IsBlack(image, 11, y));
    }
  }

  void TextIsMeasuredAndDrawnInItsBox() {
    QImage image = White();
    TextSize size;
    {
      QPainter painter(&image);
      QPainterCanvas canvas(painter);
      size = canvas.MeasureText("駅A");
      canvas.Text({2, 2}, "駅A", kBlack);
    }
    QVERIFY(size.width > 0 && size.height > 0);
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == QColor(Qt::white)) continue;
        ++inked;
        QVERIFY(x >= 2 && x < 2 + size.width + 1 && y >= 2 && y < 2 + size.height);
      }
    }
    QVERIFY(inked > 0);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::QPainterCanvasTest)
#include "qpainter_canvas_test.moc"
