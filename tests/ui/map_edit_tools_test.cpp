// The editing tools in the map edit window on the offscreen platform: mouse
// clicks on the grid, the keys, the tool menus, the prompt line, the title
// and the picture follow the editing session.

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "app/app_context.h"
#include "editor/edit_script.h"
#include "editor/map_edit_menu.h"
#include "mapedit/map_edit_window.h"
#include "mapedit/map_view.h"
#include "mapfile/map_file.h"
#include "platform/qt_text.h"
#include "support/fake_environment.h"
#include "support/map_edit_harness.h"
#include "support/test_support.h"

namespace corvane {
namespace {

const char kSampleMap[] = CORVANE_SOURCE_DIR "/examples/sample_line.kvm";
const char kPlainTitle[] = "マップ編集ウインドウ  保安装置：ＡＴＳ  ";

// A shown map edit window on a data folder in a scratch folder, with
// scripted dialogs.
struct Harness : testing::MapEditHarness {
  Harness() { Show(); }
};

// The map `start` after the script's commands, as corvane-cli map edit
// draws it.
std::string Scripted(const EditMap& start, const std::string& commands) {
  EditMap map = start;
  ScriptedPrompter prompter;
  QueuedAnswers answers(prompter);
  EditScript script(map, answers, [] { return true; });
  std::istringstream in(commands);
  std::string error;
  if (!script.Run(in, &error)) return "script failed: " + error;
  return FormatMapText(map.content());
}

}  // namespace

class MapEditToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void ClicksDrawWhatTheScriptDraws() {
    Harness h;
    const EditMap before = h.map();
    h.Key('r');
    QCOMPARE(h.session().mode(), EditMode::kTrack);
    QCOMPARE(h.Title(), QStringLiteral("マップ編集ウインドウ  ＜線路追加モード（双方向）＞"));
    QCOMPARE(h.Prompt(), QStringLiteral("線路の始点を左クリックして下さい。"));
    QVERIFY(h.Action(kCmdTrackBoth)->isChecked());

    h.Click(2, 5);
    QVERIFY(h.Prompt().startsWith(QStringLiteral("線路の終点を左クリックして下さい。")));
    // The pending point is drawn: a red square on the grid point.
    const QImage picture = h.view().viewport()->grab().toImage();
    QCOMPARE(picture.pixelColor(h.PixelOf(2, 5) - QPoint(2, 2)), QColor(255, 0, 0));
    QCOMPARE(h.view().draw_options().mode, EditMode::kTrack);

    h.Click(6, 5);
    h.Click(9, 3);
    QCOMPARE(h.map().rails().count(), 2);
    QVERIFY(FormatMapText(h.map().content()) ==
            Scripted(before, "mode 2\nclick 2 5\nclick 6 5\nclick 9 3\n"));
    QVERIFY(h.map().modified());
    // The scroll ranges follow the new extent.
    const ScrollAxis& horizontal = h.view().scroll_ranges().horizontal;
    QCOMPARE(horizontal.range, std::max(1, h.map().Extent().max_x + horizontal.page - 1));

    // A click in the pending point's column only moves the pending point.
    h.Click(9, 8);
    QCOMPARE(h.map().rails().count(), 2);
    QVERIFY(h.session().pending() == (GridPoint{9, 8}));
    // A right click ends the line.
    h.RightClick(12, 8);
    QVERIFY(!h.session().has_pending());
    QCOMPARE(h.Prompt(), QStringLiteral("線路の始点を左クリックして下さい。"));
    QCOMPARE(h.map().rails().count(), 2);
    QVERIFY(h.prompter.shown().empty());
  }

  void ShiftTabTurnsTheMapAndTwiceGivesItBack() {
    Harness h;
    h.Key('r');
    h.Click(2, 5);
    h.Click(6, 5);
    h.Click(9, 3);
    h.RightClick(0, 0);
    const std::string drawn = FormatMapText(h.map().content());
    h.context.edit_map.MarkSaved();
    // With somewhere else to go, Shift+Tab still stays with the map.
    auto* other = new QLineEdit(h.window->centralWidget());
    other->show();
    h.view().setFocus();

    QTest::keyClick(&h.view(), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(FormatMapText(h.map().content()) != drawn);
    QVERIFY(h.map().modified());
    QTest::keyClick(&h.view(), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(FormatMapText(h.map().content()) == drawn);
    QVERIFY(!h.map().modified());
    // The key stayed with the map rather than moving the focus.
    QCOMPARE(h.window->focusWidget(), static_cast<QWidget*>(&h.view()));
  }

  void LetterKeysAndMenusChooseTools() {
    Harness h;
    h.Key('p');
    QCOMPARE(h.Title(), QStringLiteral("マップ編集ウインドウ  ＜分岐ポイント追加モード＞"));
    h.Key('c');
    QVERIFY(h.Prompt().startsWith(QStringLiteral("交差ポイントの対角点の1点目")));
    h.Click(3, 4);
    QVERIFY(h.Prompt().startsWith(QStringLiteral("交差ポイントの対角点の2点目")));
    QVERIFY(h.Action(kCmdCrossing)->isChecked());
    h.Key('g');
    h.Key(' ');
    QCOMPARE(h.session().selection_kind(), SelectionKind::kRange);
    QVERIFY(h.Action(kCmdSelectRange)->isChecked());
    QVERIFY(!h.Action(kCmdSelectBatch)->isChecked());

    // Without a station (the dialog's list is empty) closing the station
    // dialog leaves the tool again.
    QString title;
    Harness::WithDialog([&h] { h.Key('s'); },
                        [&title](QDialog& dialog) { title = dialog.windowTitle(); });
    QCOMPARE(title, QString::fromUtf8("駅設定・選択"));
    QCOMPARE(h.session().mode(), EditMode::kNone);
    QVERIFY(h.Prompt().startsWith(QString::fromUtf8("編集ツールを")));
    QCOMPARE(h.Title(), QString::fromUtf8(kPlainTitle));

    h.Key('e');
    QVERIFY(h.session().error_display());
    QVERIFY(h.Action(kCmdErrorDisplay)->isChecked());
    h.Action(kCmdErrorDisplay)->trigger();
    QVERIFY(!h.session().error_display());
    QVERIFY(!h.Action(kCmdErrorDisplay)->isChecked());

    h.Action(kCmdTrackLeftward)->trigger();
    QCOMPARE(h.Title(), QStringLiteral("マップ編集ウインドウ  ＜線路追加モード（←方向）＞"));
    QVERIFY(h.Action(kCmdTrackLeftward)->isChecked());
    QVERIFY(!h.Action(kCmdTrackBoth)->isChecked());
    QVERIFY(h.Action(kCmdTurnout)->text().endsWith(QStringLiteral("\tP")));

    // Keys with Ctrl belong to the menus; Esc leaves the tool.
    QTest::keyClick(&h.view(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(h.session().mode(), EditMode::kTrack);
    QTest::keyClick(&h.view(), Qt::Key_Escape);
    QCOMPARE(h.session().mode(), EditMode::kNone);
    QVERIFY(h.Prompt().startsWith(QString::fromUtf8("編集ツールを")));
  }

  void RefusalShowsItsMessage() {
    Harness h;
    h.Key('r');
    h.Click(2, 5);
    h.Click(6, 5);
    h.RightClick(0, 0);
    const std::string drawn = FormatMapText(h.map().content());
    h.Click(4, 5);
    QCOMPARE(h.prompter.shown().size(), std::size_t{1});
    QCOMPARE(Qs(h.prompter.shown()[0].text), QStringLiteral("重ねての指定は出来ません。\n"));
    QCOMPARE(Qs(h.prompter.shown()[0].caption), QStringLiteral("線路重複エラー"));
    QVERIFY(FormatMapText(h.map().content()) == drawn);
  }

  void ClicksCountFromTheScrolledOrigin() {
    Harness h;
    QVERIFY(h.window->OpenMapFile(QString::fromUtf8(kSampleMap)));
    QVERIFY(h.view().scroll_ranges().horizontal.max_position >= 3);
    h.view().ScrollTo(3, 1);
    QVERIFY(h.view().ScrollOffset() != QPoint(0, 0));
    const int rails = h.map().rails().count();
    // The first segment lying wholly right of the scrolled origin.
    int target = 0;
    for (int i = 1; i <= rails && target == 0; ++i) {
      if (h.map().rails()[i].x1 > 3 && h.map().rails()[i].y1 > 1) target = i;
    }
    QVERIFY(target != 0);
    const MapRail rail = h.map().rails()[target];
    h.Key('d');
    const QPoint inside =
        QPoint((rail.x1 + rail.x2) * kCellWidth / 2, rail.LeftRow() * kCellHeight) -
        h.view().ScrollOffset();
    QTest::mouseClick(h.view().viewport(), Qt::LeftButton, {}, inside);
    QCOMPARE(h.map().rails().count(), rails - 1);
    QCOMPARE(h.Title(), QStringLiteral("sample_line - マップ編集ウインドウ  ＜削除モード＞"));

    // Arrow keys scroll through the session: one page, or five with Shift.
    h.view().ScrollTo(0, 0);
    QTest::keyClick(&h.view(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(h.view().first_row(),
             std::min(kShiftScrollCells, h.view().scroll_ranges().vertical.max_position));
  }

  void OpeningOrANewMapForgetsHalfFinishedInput() {
    Harness h;
    h.Key('c');
    h.Click(1, 1);
    QCOMPARE(h.session().crossing_corners().size(), std::size_t{1});
    Harness::AcceptingDialogs([&h] { h.window->NewMap(); });
    QVERIFY(h.session().crossing_corners().empty());
    h.Key('r');
    h.Click(2, 5);
    QVERIFY(h.session().has_pending());
    QVERIFY(h.window->OpenMapFile(QString::fromUtf8(kSampleMap)));
    QVERIFY(!h.session().has_pending());
    QVERIFY(h.Prompt().startsWith(QStringLiteral("線路の始点")));
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::MapEditToolsTest)
#include "map_edit_tools_test.moc"
