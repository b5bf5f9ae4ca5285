// The map edit window as a new user meets it: the window the user works in
// keeps the focus after a dialog, clicks at any scale land on the grid point
// under the pointer, and the English interface reads in English.

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWheelEvent>

#include "editor/map_edit_menu.h"
#include "platform/dialog_owner.h"
#include "support/map_edit_harness.h"

namespace corvane {
namespace {

struct Harness : testing::MapEditHarness {
  explicit Harness(bool english = false) : MapEditHarness(english) {
    Show();
    window->activateWindow();
  }

  // The view pixel that shows grid point (x, y) at the current scale.
  QPoint ScaledPixelOf(int x, int y) {
    const int zoom = session().state().zoom;
    const QPoint grid = QPoint(x * kCellWidth, y * kCellHeight) - view().ScrollOffset();
    return grid * zoom / 100;
  }
  void ScaledClick(int x, int y) {
    QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, ScaledPixelOf(x, y));
  }
  QImage Picture() { return view().viewport()->grab().toImage(); }
};

bool PlainAscii(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() >= 0x80) return false;
  }
  return true;
}

}  // namespace

class NewUserTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { FollowActiveWindows(); }

  void TheMapEditWindowKeepsTheFocusAfterADialog() {
    Harness h;
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.view().setFocus();
    bool dialog_owns = false;
    h.session().RunCommand(kCmdProperty);
    MapChange(h.context.edit_map).rails().Append(NewRail({2, 5}, {8, 5}, kBothWays));
    Harness::WithDialog([&h] { h.ClickInside(3, 5); },
                        [&](QDialog& dialog) { dialog_owns = DialogOwner(nullptr) == &dialog; });
    // Boxes asked while the dialog is open belong to it; afterwards to the
    // map edit window, not to any other window of the program.
    QVERIFY(dialog_owns);
    QCOMPARE(DialogOwner(nullptr), static_cast<QWidget*>(h.window.get()));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&h.view()));
  }

  void ClicksAtEveryScaleLandOnTheGridPointUnderThePointer() {
    Harness h;
    const QImage actual = h.Picture();
    h.Action(kCmdZoomIn)->trigger();
    h.Action(kCmdZoomIn)->trigger();
    QCOMPARE(h.session().state().zoom, 200);
    h.Key('r');
    h.ScaledClick(3, 5);
    h.ScaledClick(8, 5);
    QTest::mouseClick(h.view().viewport(), Qt::RightButton, {}, h.ScaledPixelOf(0, 0));
    QCOMPARE(h.map().rails().count(), 1);
    const MapRail& rail = h.map().rails()[1];
    QCOMPARE(rail.x1, 3);
    QCOMPARE(rail.x2, 8);
    QCOMPARE(rail.LeftRow(), 5);

    // 50 %, then back to 100 %: the same picture as before zooming (with the
    // new segment taken back).
    h.session().RunCommand(kCmdUndo);
    h.session().RunCommand(kCmdZoomOut);
    h.session().RunCommand(kCmdZoomOut);
    h.session().RunCommand(kCmdZoomOut);
    QCOMPARE(h.session().state().zoom, 75);
    h.Action(kCmdZoomOut)->trigger();
    QCOMPARE(h.session().state().zoom, 50);
    h.view().viewport()->repaint();
    h.Action(kCmdZoomReset)->trigger();
    h.session().ChooseMode(EditMode::kNone);
    h.window->Edited();
    QCOMPARE(h.Picture(), actual);
  }

  void ZoomKeepsThePointUnderThePointerAndFitShowsTheWholeMap() {
    Harness h;
    MapChange(h.context.edit_map).rails().Append(NewRail({2, 5}, {300, 90}, kBothWays));
    h.window->Edited();
    h.view().ScrollTo(20, 10);
    // Ctrl with the wheel over grid point (60, 30) zooms about it.
    const QPoint pointer = h.ScaledPixelOf(60, 30);
    QWheelEvent wheel(pointer, h.view().viewport()->mapToGlobal(pointer), {}, {0, 120},
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.view().viewport(), &wheel);
    QCOMPARE(h.session().state().zoom, 150);
    // The grid point nearest a view pixel at the current scale.
    auto point_at = [&h](QPoint view) {
      const int zoom = h.session().state().zoom;
      const QPoint grid = h.view().ScrollOffset() + QPoint(ViewToGridPixels(view.x(), zoom),
                                                           ViewToGridPixels(view.y(), zoom));
      return SnapToGrid(grid.x(), grid.y());
    };
    QVERIFY(point_at(pointer) == (GridPoint{60, 30}));
    // The keys zoom about the view's centre.
    const QPoint centre = h.view().viewport()->rect().center();
    const GridPoint middle = point_at(centre);
    h.Action(kCmdZoomOut)->trigger();
    h.Action(kCmdZoomOut)->trigger();
    QCOMPARE(h.session().state().zoom, 75);
    QVERIFY(point_at(centre) == middle);

    // Zoom to Fit: the whole map from the origin.
    h.Action(kCmdZoomToFit)->trigger();
    QCOMPARE(h.view().ScrollOffset(), QPoint(0, 0));
    const int zoom = h.session().state().zoom;
    const PixelSize whole = WholeMapPixels(h.map().Extent());
    QVERIFY(ViewToGridPixels(h.view().viewport()->width(), zoom) >= whole.width);
    QVERIFY(ViewToGridPixels(h.view().viewport()->height(), zoom) >= whole.height);
    QVERIFY(zoom < 25);
  }

  void AtAQuarterTheGridHasRowsAndColumns() {
    Harness h;
    for (int i = 0; i < 3; ++i) h.Action(kCmdZoomOut)->trigger();
    QCOMPARE(h.session().state().zoom, 25);
    h.view().viewport()->repaint();
    const QImage picture = h.Picture();
    // A row and a column of the picture that are dark all along: the
    // black grid lines (every fourth row, every tenth column).
    auto dark = [&picture](int x, int y) { return qGray(picture.pixel(x, y)) < 64; };
    bool dark_row = false, dark_column = false;
    for (int y = 0; y < picture.height() && !dark_row; ++y) {
      int count = 0;
      for (int x = 0; x < picture.width(); ++x) count += dark(x, y);
      dark_row = count > picture.width() * 9 / 10;
    }
    for (int x = 0; x < picture.width() && !dark_column; ++x) {
      int count = 0;
      for (int y = 0; y < picture.height(); ++y) count += dark(x, y);
      dark_column = count > picture.height() * 9 / 10;
    }
    QVERIFY(dark_row);
    QVERIFY(dark_column);
  }

  void TheStatusLineFollowsThePointer() {
    Harness h;
    MapChange(h.context.edit_map).rails().Append(NewRail({2, 5}, {8, 5}, kBothWays));
    QTest::mouseMove(h.view().viewport(), h.PixelOf(4, 5) + QPoint(1, 1));
    const QString status = h.window->findChild<QLabel*>(QStringLiteral("pointer_status"))->text();
    QVERIFY2(status.contains(QString::fromUtf8("線路 1")), qPrintable(status));
    QVERIFY(status.startsWith(QStringLiteral("x 4  y 5")));
  }

  void TheEnglishInterfaceReadsInEnglish() {
    Harness h(true);
    for (const char key : {'r', 'p', 'c', 'j', 'd', 'o', 'm'}) {
      h.Key(key);
      QVERIFY2(PlainAscii(h.Prompt()), qPrintable(h.Prompt()));
      QVERIFY2(PlainAscii(h.Title()), qPrintable(h.Title()));
    }
    QTest::keyClick(&h.view(), Qt::Key_Escape);
    for (QAction* action : h.window->findChildren<QAction*>()) {
      QVERIFY2(PlainAscii(action->text()), qPrintable(action->text()));
    }
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::NewUserTest)
#include "new_user_test.moc"
