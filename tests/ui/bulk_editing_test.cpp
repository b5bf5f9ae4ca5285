// Selecting, bulk settings, moving and inserting columns in the map edit
// window with the mouse and the keys: each shows at once.

#include <QAction>
#include <QImage>
#include <QTest>

#include "editor/map_edit_menu.h"
#include "map/map_change.h"
#include "mapfile/map_file.h"
#include "support/map_edit_harness.h"

namespace corvane {
namespace {

// A shown window with two segments on row 5: (2,5)-(6,5) and (8,5)-(14,5).
struct Harness : testing::MapEditHarness {
  Harness() {
    Show();
    MapChange change(context.edit_map);
    change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
    change.rails().Append(NewRail({8, 5}, {14, 5}, kBothWays));
    window->Edited();
  }

  QImage Picture() { return view().viewport()->grab().toImage(); }
  std::vector<int> Box(int rail) const {
    const MapRail& r = map().rails()[rail];
    return {r.x1, r.y1, r.x2, r.y2};
  }
};

}  // namespace

class BulkEditingTest : public QObject {
  Q_OBJECT

 private slots:
  void RangeSelectionWithTwoClicks() {
    Harness h;
    h.Action(kCmdSelectRange)->trigger();
    QVERIFY(h.Action(kCmdSelectRange)->isChecked());
    const QImage before = h.Picture();
    h.Click(1, 3);
    h.Click(7, 7);  // covers the first segment only
    QVERIFY(h.session().selection().Has(MapTable::kRail, 1));
    QVERIFY(!h.session().selection().Has(MapTable::kRail, 2));
    QVERIFY(h.Title().contains(QString::fromUtf8("（選択：1オブジェクト）")));
    QVERIFY(h.Picture() != before);
  }

  void BulkSpeedLimitAfterTheConfirmation() {
    Harness h;
    h.Key('g');  // batch selection
    h.ClickInside(3, 5);
    h.ClickInside(9, 5);
    QCOMPARE(h.session().selection().Count(), 2);
    h.prompter.Queue(PromptAnswer::kYes);
    Harness::WithDialog([&h] { h.Action(kCmdSpeedLimit)->trigger(); },
                        [&h](QDialog& dialog) {
                          QCOMPARE(dialog.windowTitle(), QString::fromUtf8("速度入力"));
                          QCOMPARE(h.Prompt(),
                                   QString::fromUtf8("設定する制限速度を入力して下さい。"));
                          Harness::Type(dialog, "speed", QStringLiteral("85"));
                          Harness::Press(dialog, "ok");
                        });
    QCOMPARE(h.prompter.shown().back().caption, std::string("指定確認"));
    QCOMPARE(h.map().rails()[1].speed_limit, 85);
    QCOMPARE(h.map().rails()[2].speed_limit, 85);
    QVERIFY(h.map().modified());
    QCOMPARE(h.session().mode(), EditMode::kSelect);
  }

  void MovingWithTheArrowKeysAndByDragging() {
    Harness h;
    h.Key('o');
    h.ClickInside(3, 5);
    h.Key('m');
    QCOMPARE(h.session().mode(), EditMode::kMove);
    const QImage before = h.Picture();
    QTest::keyClick(&h.view(), Qt::Key_Down);
    QCOMPARE(h.Box(1), (std::vector<int>{2, 5, 6, 7}));
    QVERIFY(h.Picture() != before);
    QTest::keyClick(&h.view(), Qt::Key_Left, Qt::ShiftModifier);  // right edge only
    QCOMPARE(h.Box(1), (std::vector<int>{2, 5, 5, 7}));

    // Drag the left end from (2,6) to (1,8).
    QTest::mousePress(h.view().viewport(), Qt::LeftButton, {}, h.PixelOf(2, 6));
    QTest::mouseRelease(h.view().viewport(), Qt::LeftButton, {}, h.PixelOf(1, 8));
    const MapRail& rail = h.map().rails()[1];
    QCOMPARE((std::vector<int>{rail.x1, rail.LeftRow(), rail.x2, rail.RightRow()}),
             (std::vector<int>{1, 8, 5, 6}));
    QVERIFY(h.map().modified());
  }

  void UndoAndRedoWithTheKeys() {
    Harness h;
    // The menus' shortcuts work in the active window.
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    const std::string start = FormatMapText(h.map().content());
    h.Key('r');
    h.Click(2, 9);
    h.Click(8, 9);
    QTest::mouseClick(h.view().viewport(), Qt::RightButton, {}, h.PixelOf(0, 0));
    const std::string placed = FormatMapText(h.map().content());
    QCOMPARE(h.Action(kCmdUndo)->text(), QString::fromUtf8("元に戻す: 線路設置(&U)"));
    const QImage before = h.Picture();
    QTest::keyClick(&h.view(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(FormatMapText(h.map().content()) == start);
    QVERIFY(h.Picture() != before);
    QVERIFY(h.Action(kCmdRedo)->isEnabled());
    QTest::keyClick(&h.view(), Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(FormatMapText(h.map().content()) == placed);
    QTest::keyClick(&h.view(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&h.view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(FormatMapText(h.map().content()) == placed);
    QVERIFY(!h.Action(kCmdRedo)->isEnabled());
  }

  void InsertingAColumn() {
    Harness h;
    h.Action(kCmdInsertColumns)->trigger();
    QCOMPARE(h.Prompt(), QString::fromUtf8("挿入したい列の始点を左クリックして下さい。"));
    const QImage before = h.Picture();
    h.Click(7, 1);
    QCOMPARE(h.Prompt(), QString::fromUtf8("挿入したい列の終点を左クリックして下さい。"));
    h.Click(9, 1);
    QCOMPARE(h.Box(2), (std::vector<int>{10, 4, 16, 6}));
    QCOMPARE(h.Box(1), (std::vector<int>{2, 4, 6, 6}));
    QVERIFY(h.Picture() != before);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::BulkEditingTest)
#include "bulk_editing_test.moc"
