// The map edit window on the offscreen platform: its save prompts, title,
// file commands, scrolling and the picture of the whole map.

#include "mapedit/map_edit_window.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <climits>
#include <filesystem>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "editor/map_drawing.h"
#include "editor/map_edit_menu.h"
#include "map/map_change.h"
#include "mapedit/map_render.h"
#include "mapedit/map_view.h"
#include "platform/qt_text.h"
#include "support/fake_environment.h"
#include "support/map_edit_harness.h"
#include "support/map_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

const char kCloseQuestion[] =
    "マップの編集を終了します。\n現在のマップは変更されています。\n現在のデータを保存しますか？";
const char kSampleMap[] = CORVANE_SOURCE_DIR "/examples/sample_line.kvm";

std::string ReadBytes(const std::string& path) { return ReadFileBytes(path).value_or(""); }

struct Harness : testing::MapEditHarness {
  // A copy of the sample map in the map folder, so saving leaves the source
  // tree alone.
  std::string CopyOfSample() const {
    const std::string copy = MapPath("sample_line.kvm");
    std::filesystem::copy_file(kSampleMap, copy, std::filesystem::copy_options::overwrite_existing);
    return copy;
  }
};

}  // namespace

class MapEditWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void StartsWithANewMap() {
    Harness h;
    QVERIFY(h.prompter.shown().empty());
    QVERIFY(!h.context.edit_map.modified());
    QVERIFY(h.context.edit_map.signal_types().count() > 0);
    QCOMPARE(h.window->windowTitle(), QStringLiteral("マップ編集ウインドウ  保安装置：ＡＴＳ  "));
  }

  void CloseQueryCancelKeepsTheWindowOpen() {
    Harness h;
    h.window->show();
    testing::ChangeSomething(h.context.edit_map);
    h.prompter.Queue(PromptAnswer::kCancel);
    QVERIFY(!h.window->close());
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.prompter.shown().size(), std::size_t{1});
    QCOMPARE(Qs(h.prompter.shown()[0].text), Qs(kCloseQuestion));
    QVERIFY(h.prompter.shown()[0].buttons == PromptButtons::kYesNoCancel);
    QVERIFY(h.context.edit_map.modified());
  }

  void CloseQueryYesSavesUnderANewName() {
    Harness h;
    h.window->show();
    MapChange(h.context.edit_map).rails().Append(NewRail({2, 3}, {8, 3}, kBothWays));
    testing::ChangeSomething(h.context.edit_map);
    const std::string path = h.MapPath("saved.kvm");
    h.prompter.Queue(PromptAnswer::kYes);
    h.chooser.Queue(path);
    QVERIFY(h.window->close());
    QVERIFY(!h.window->isVisible());
    QVERIFY(h.chooser.requests().at(0).save);
    QVERIFY(!h.context.edit_map.modified());
    QVERIFY(FileExists(path));
    QVERIFY(h.window->windowTitle().startsWith(QStringLiteral("saved - マップ編集ウインドウ")));
    // The window saved where it was and that it is closed.
    QVERIFY(!h.context.settings.map_edit_window.open);
    const IniFile ini = IniFile::Load(h.context.SettingsPath());
    QCOMPARE(ini.GetInt("MapEditWindow", "GridX", 0), 10);
    QVERIFY(ini.Find("MapEditWindow", "PosLeft").has_value());

    // Opened again, the map reads back with its segment.
    Harness again;
    QVERIFY(again.window->OpenMapFile(Qs(path)));
    QCOMPARE(again.context.edit_map.rails().count(), 1);
  }

  void ProgramEndAsksOnceAndKeepsTheWindowMarkedOpen() {
    Harness h;
    h.window->show();
    testing::ChangeSomething(h.context.edit_map);
    h.prompter.Queue(PromptAnswer::kNo);
    QVERIFY(h.window->ConfirmClose());
    QVERIFY(h.window->close());
    QCOMPARE(h.prompter.shown().size(), std::size_t{1});
    QVERIFY(h.context.settings.map_edit_window.open);
  }

  void OpeningNamesTheFileInTheTitle() {
    Harness h;
    QVERIFY(h.window->OpenMapFile(QString::fromUtf8(kSampleMap)));
    QVERIFY(h.window->windowTitle().startsWith(
        QStringLiteral("sample_line - マップ編集ウインドウ  保安装置：ＡＴＳ")));
    QVERIFY(!h.window->windowTitle().contains(QStringLiteral("（更新）")));
    testing::ChangeSomething(h.context.edit_map);
    h.window->UpdateTitle();
    QVERIFY(h.window->windowTitle().endsWith(QStringLiteral("（更新）")));
  }

  void EnglishTitle() {
    Harness h;
    h.context.english = true;
    h.window->UpdateTitle();
    QVERIFY(h.window->windowTitle().startsWith(QStringLiteral("Map Edit Window    <ATS>")));
  }

  void OpeningAnUnknownFileLeavesTheNewMap() {
    Harness h;
    QVERIFY(!h.window->OpenMapFile(Qs(h.MapPath("missing.kvm"))));
    QCOMPARE(h.prompter.shown().size(), std::size_t{1});
    QCOMPARE(Qs(h.prompter.shown()[0].caption), QStringLiteral("ファイル読み込みエラー"));
    QCOMPARE(h.context.edit_map.rails().count(), 0);
  }

  void SavingAnUnchangedMapWritesTheSameBytes() {
    Harness h;
    const std::string copy = h.CopyOfSample();
    const std::string before = ReadBytes(copy);
    QVERIFY(h.window->OpenMapFile(Qs(copy)));
    std::filesystem::remove(copy);
    h.window->SaveMap();
    QVERIFY(h.chooser.requests().empty());
    QVERIFY(ReadBytes(copy) == before);
  }

  void NewMapAsksOnlyForAModifiedMap() {
    Harness h;
    QVERIFY(h.window->OpenMapFile(QString::fromUtf8(kSampleMap)));
    testing::ChangeSomething(h.context.edit_map);
    h.prompter.Queue(PromptAnswer::kNo);
    Harness::AcceptingDialogs([&h] { h.window->NewMap(); });
    QCOMPARE(Qs(h.prompter.shown().at(0).caption), QStringLiteral("新規確認"));
    QVERIFY(h.context.edit_map.rails().count() > 0);

    h.prompter.Queue(PromptAnswer::kYes);
    Harness::AcceptingDialogs([&h] { h.window->NewMap(); });
    QCOMPARE(h.context.edit_map.rails().count(), 0);
    QVERIFY(h.window->document().path().empty());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("マップ編集ウインドウ  保安装置：ＡＴＳ  "));

    h.prompter.ClearShown();
    Harness::AcceptingDialogs([&h] { h.window->NewMap(); });
    QVERIFY(h.prompter.shown().empty());
  }

  void NewMapAsksForTheMapsBasicsFirst() {
    Harness h;
    h.window->show();
    QString title;
    QString prompt;
    // Cancelling the map property dialog leaves the window without a map.
    Harness::WithDialog([&h] { h.window->NewMap(); },
                        [&](QDialog& dialog) {
                          title = dialog.windowTitle();
                          prompt = h.Prompt();
                        });
    QCOMPARE(title, QString::fromUtf8("マッププロパティ"));
    QCOMPARE(prompt, QString::fromUtf8("マップの基本情報を設定して下さい。"));
    QVERIFY(!h.session().map_open());
    QCOMPARE(h.Prompt(),
             QString::fromUtf8("新規のマップを開始するか、保存データを読み込んで下さい。"));
    QVERIFY(!h.Action(kCmdTurnout)->isEnabled());

    Harness::AcceptingDialogs([&h] { h.window->NewMap(); });
    QVERIFY(h.session().map_open());
    QVERIFY(!h.context.edit_map.modified());
    QVERIFY(h.Action(kCmdTurnout)->isEnabled());
  }

  void CompileShowsTheFindingsInTheMessageWindowAndOnTheMap() {
    Harness h;
    h.window->resize(640, 480);
    h.window->show();
    h.Action(kCmdCompile)->trigger();
    QCOMPARE(h.prompter.shown().back().caption, std::string("コンパイルエラー"));
    QCOMPARE(h.context.log.Lines(),
             (std::vector<std::string>{"　", "＜エラー＞起点が指定されていません。",
                                       "エラー：1件　警告：0件"}));
    QVERIFY(h.Action(kCmdErrorDisplay)->isChecked());

    // Two segments sharing cells: both drawn red.
    {
      MapChange change(h.context.edit_map);
      change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
      change.rails().Append(NewRail({4, 6}, {9, 6}, kBothWays));
      change.header().start.start_rail = 1;
    }
    h.window->Edited();
    h.Action(kCmdCompile)->trigger();
    QCOMPARE(h.context.log.Lines().at(1), std::string("＜エラー＞線路が重複しています。"));
    const QImage picture = h.view().viewport()->grab().toImage();
    const QPoint inside = h.PixelOf(3, 5) + QPoint(2, 0);
    QCOMPARE(picture.pixelColor(inside), QColor(255, 0, 0));
    QVERIFY(h.Title().startsWith(QString::fromUtf8("マップ編集ウインドウ")));
  }

  void ADoubleClickedFindingSelectsItsObjectAndScrollsToIt() {
    Harness h;
    h.window->resize(640, 480);
    h.window->show();
    {
      MapChange change(h.context.edit_map);
      change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
      change.rails().Append(NewRail({300, 90}, {306, 90}, kBothWays));
      change.rails().Append(NewRail({303, 90}, {309, 90}, kBothWays));
      change.header().start.start_rail = 1;
    }
    h.window->Edited();
    h.Action(kCmdCompile)->trigger();
    QCOMPARE(h.context.log.Lines().at(2), std::string("＜エラー＞線路が重複しています。"));
    QVERIFY(!h.window->ShowMessageLine(0));  // the empty first line
    QVERIFY(h.window->ShowMessageLine(2));
    QCOMPARE(h.session().mode(), EditMode::kSelect);
    QVERIFY(h.session().selection().Has(MapTable::kRail, 3));
    QCOMPARE(h.session().selection().Count(), 1);
    // Segment 3 lies in the middle of the view.
    const QPoint middle = h.PixelOf(306, 90);
    QVERIFY(h.view().viewport()->rect().contains(middle));
    QVERIFY((middle - h.view().viewport()->rect().center()).manhattanLength() < 40);
  }

  void ScrollsByPagesArrowsAndWheel() {
    Harness h;
    h.window->resize(400, 300);
    h.window->show();
    QVERIFY(h.window->OpenMapFile(QString::fromUtf8(kSampleMap)));
    MapView& view = h.window->view();
    const MapExtent extent = RailExtent(h.context.edit_map);
    const ScrollAxis& horizontal = view.scroll_ranges().horizontal;
    QCOMPARE(view.horizontalScrollBar()->maximum(), horizontal.max_position);
    QCOMPARE(horizontal.page, view.viewport()->width() * 9 / 100);
    QCOMPARE(horizontal.range, std::max(1, extent.max_x + horizontal.page - 1));

    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(view.first_column(), std::min(5, horizontal.max_position));
    view.ScrollTo(0, 0);
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(view.first_column(), std::min(horizontal.page, horizontal.max_position));
    QTest::keyClick(&view, Qt::Key_Left);
    QCOMPARE(view.first_column(), 0);

    const ScrollAxis& vertical = view.scroll_ranges().vertical;
    QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &down);
    QCOMPARE(view.first_row(), std::min(vertical.page, vertical.max_position));
    view.ScrollTo(0, 0);
    QWheelEvent sideways(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &sideways);
    QCOMPARE(view.first_column(), std::min(horizontal.page, horizontal.max_position));
    QCOMPARE(view.first_row(), 0);
  }

  void WholeMapPicture() {
    Harness h;
    QVERIFY(h.window->OpenMapFile(QString::fromUtf8(kSampleMap)));
    const EditMap& map = h.context.edit_map;
    const QImage image = RenderWholeMap(map, 10, 4);
    const MapExtent extent = map.Extent();
    QCOMPARE(image.width(), (extent.max_x + kWholeMapMarginColumns) * kCellWidth);
    QCOMPARE(image.height(), (extent.max_y + kWholeMapMarginRows) * kCellHeight);

    // The middle of every horizontal segment is a red track pixel.
    int checked = 0;
    for (int i = 1; i <= map.rails().count(); ++i) {
      const MapRail& rail = map.rails()[i];
      if (rail.left_dy != rail.right_dy || rail.x2 - rail.x1 < 2) continue;
      const int x = (rail.x1 + rail.x2) * kCellWidth / 2;
      const int y = rail.LeftRow() * kCellHeight;
      QCOMPARE(image.pixelColor(x, y), QColor(255, 0, 0));
      ++checked;
    }
    QVERIFY(checked > 0);
    // Beyond the map the picture is the white of the grid's cells.
    QCOMPARE(image.pixelColor(image.width() - 5, image.height() - 5), QColor(Qt::white));
  }

  void PictureOfAMapReachingTheIntLimit() {
    // The margin is added to a size that may stand at the int limit already.
    EditMap map;
    MapChange(map).rails().Append(NewRail({INT_MAX - 10, 3}, {INT_MAX - 1, 3}, kBothWays));
    QCOMPARE(WholeMapSize(map).width(), INT_MAX);
    QVERIFY(RenderWholeMap(map, 10, 4).isNull());
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::MapEditWindowTest)
#include "map_edit_window_test.moc"
