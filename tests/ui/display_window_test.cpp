// The board's display windows in the main window: window 00 shows the
// opened line, more windows open from the menu and the toolbar, view options
// change the board and travel with the saved data, closing asks for window
// 00 and keeps a window's layout in the settings file.

#include "board/display_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>
#include <filesystem>

#include "app/app_context.h"
#include "app/dia_document.h"
#include "app/main_menu.h"
#include "base/ini_file.h"
#include "board/board_drawing.h"
#include "board/board_widget.h"
#include "board/display_window_menu.h"
#include "board/display_window_set.h"
#include "board/display_windows.h"
#include "board/point_boxes.h"
#include "interlocking/point_control.h"
#include "main/main_frame.h"
#include "platform/qpainter_canvas.h"
#include "platform/qt_text.h"
#include "run/dia_change.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {

namespace {

const char kSampleDia[] = CORVANE_SOURCE_DIR "/examples/sample_line.kvb";

bool AnyNonBlack(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) != 0) return true;
    }
  }
  return false;
}

QStringList MenuTitles(const QMenuBar* bar) {
  QStringList titles;
  for (const QAction* action : bar->actions()) titles << action->text();
  return titles;
}

}  // namespace

class DisplayWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    prompter_ = std::make_unique<ScriptedPrompter>();
    context_ = std::make_unique<AppContext>(env_, *prompter_, chooser_);
    scratch_ = std::make_unique<testing::ScratchFolder>();
    context_->data_folder.path = scratch_->File("data");
    std::filesystem::create_directories(context_->data_folder.path);
    context_->settings = DefaultSettings(env_, false);
    frame_ = std::make_unique<MainFrame>(*context_);
    frame_->resize(1000, 750);
    frame_->show();
  }
  void cleanup() {
    frame_.reset();
    context_.reset();
    prompter_.reset();
    scratch_.reset();
  }

  void WindowZeroExistsWithTheMainWindowAndItsMenus() {
    DisplayWindowSet& set = frame_->display_windows();
    DisplayWindow* zero = set.window(0);
    QVERIFY(zero != nullptr);
    QVERIFY(set.window(1) == nullptr);
    QCOMPARE(MenuTitles(zero->menuBar()),
             (QStringList{"運行盤表示(&C)", "表示内容(&V)", "表示設定(&S)", "オプション(&P)",
                          "指令(&O)", "ウインドウ(&W)"}));
    QCOMPARE(zero->ActionFor(kBoardCmdWiderLarge)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+Right")));
    QVERIFY(!zero->ActionFor(kCmdSpeedAspect)->isEnabled());
    QVERIFY(!zero->ActionFor("train.hold")->isEnabled());
    QVERIFY(zero->WindowButton(0)->isChecked());
    QVERIFY(!zero->WindowButton(1)->isChecked());
    QVERIFY(zero->windowTitle().contains(QStringLiteral("No.0")));
  }

  void WindowZeroShowsTheOpenedLineAsTheCoreDrawsIt() {
    QCOMPARE(frame_->dia().OpenPath(kSampleDia), DiaOpenOutcome::kOpened);
    DisplayWindow* zero = frame_->display_windows().window(0);
    BoardWidget* board = zero->board();
    const QImage shown = board->Picture();
    QVERIFY(!shown.isNull());
    // The same drawing straight from the core.
    QImage expected(shown.size(), QImage::Format_RGB32);
    {
      QPainter painter(&expected);
      QPainterCanvas canvas(painter, BoardFont(frame_->dia().model().windows()[0].font, false));
      BoardScene scene{frame_->dia().file(), frame_->dia().model().run(), board->View(),
                       frame_->dia().model().windows()[0].view,
                       context_->settings.main_window_lines};
      DrawBoard(scene, canvas);
    }
    QCOMPARE(shown, expected);
    // The title names the stations in view.
    QVERIFY(zero->windowTitle().contains(QStringLiteral("No.0 ")));
    if (!AnyNonBlack(expected)) QSKIP("the board's drawing draws no layer yet");
    QVERIFY(AnyNonBlack(shown));
  }

  void LayoutModesComeFromTheBoardMenuAndTheMainWindow() {
    QCOMPARE(frame_->dia().OpenPath(kSampleDia), DiaOpenOutcome::kOpened);
    DisplayWindowSet& set = frame_->display_windows();
    DisplayWindow* zero = set.window(0);
    set.RunCommand(0, kBoardCmdRowDivision);
    QCOMPARE(set.layout_editing().mode(), LayoutMode::kRowDivision);
    zero->UpdateMenuState();
    QVERIFY(zero->ActionFor(kBoardCmdRowDivision)->isChecked());
    QVERIFY(zero->statusBar()->currentMessage().startsWith(QStringLiteral("1行目の右端")));
    // A left click midway between the cuts at map x 260 and 300 ends row 1
    // at the right one and makes row 2; a right click goes on to it.
    const BoardView view = zero->board()->View();
    QTest::mouseClick(zero->board(), Qt::LeftButton, {},
                      QPoint(MapToPixelX(view, 280), MapToPixelY(view, 60)));
    QCOMPARE(frame_->dia().file().map.rows.count(), 2);
    QVERIFY(frame_->dia().modified());
    QTest::mouseClick(zero->board(), Qt::RightButton, {}, QPoint(100, 100));
    QVERIFY(zero->statusBar()->currentMessage().startsWith(QStringLiteral("2行目の右端")));
    set.RunCommand(0, kBoardCmdRowDivision);
    QCOMPARE(set.layout_editing().mode(), LayoutMode::kNormal);
    QVERIFY(zero->statusBar()->currentMessage().isEmpty());

    // The main window's 線路プロパティ: a click selects the nearest rail.
    frame_->RunCommand(kCmdRailProperty);
    QCOMPARE(set.layout_editing().mode(), LayoutMode::kRailProperty);
    frame_->UpdateMenuState();
    QVERIFY(frame_->ActionFor(kCmdRailProperty)->isChecked());
    QTest::mouseClick(zero->board(), Qt::LeftButton, {}, QPoint(40, 62));
    QVERIFY(set.layout_editing().selected_rail() != 0);
    frame_->RunCommand(kCmdRailProperty);
    QCOMPARE(set.layout_editing().mode(), LayoutMode::kNormal);
  }

  void ClicksAndKeysOnTheBoardOperateThePanel() {
    QCOMPARE(frame_->dia().OpenPath(kSampleDia), DiaOpenOutcome::kOpened);
    DisplayWindowSet& set = frame_->display_windows();
    DisplayWindow* zero = set.window(0);
    DiaModel& model = set.model();
    {
      DiaChange change(model);
      SetPointMode(change, 1, kPointManual);
    }
    const auto boxes = PointBoxes(zero->board()->View(), model.file(), model.run());
    QVERIFY(boxes.size() > 1 && boxes[1].has_value());
    const QPoint centre((boxes[1]->left + boxes[1]->right) / 2,
                        (boxes[1]->top + boxes[1]->bottom) / 2);
    QTest::mouseClick(zero->board(), Qt::LeftButton, {}, centre);
    QCOMPARE(model.map().points[1].position, 1);
    // Its key typed on the board throws it back.
    QTest::keyClick(zero->board(), Qt::Key_A);
    QCOMPARE(model.map().points[1].position, 0);
    QVERIFY(set.panel().key_buffer().empty());
    // F2 puts the whole board on the clipboard.
    QApplication::clipboard()->clear();
    QTest::keyClick(zero->board(), Qt::Key_F2);
    QVERIFY(!QApplication::clipboard()->image().isNull());
  }

  void TheBoardIsDrawnAgainOnlyWhenTheModelChanges() {
    QCOMPARE(frame_->dia().OpenPath(kSampleDia), DiaOpenOutcome::kOpened);
    BoardWidget* board = frame_->display_windows().window(0)->board();
    const qint64 first = board->Picture().cacheKey();
    QCOMPARE(board->Picture().cacheKey(), first);
    board->repaint();
    QCOMPARE(board->Picture().cacheKey(), first);
    frame_->display_windows().RunCommand(0, kBoardCmdWiderLarge);
    QVERIFY(board->Picture().cacheKey() != first);
    QCOMPARE(frame_->dia().model().windows()[0].view.scale_x, 4096 + 256);
    QVERIFY(!frame_->dia().modified());  // a view change is no change of the data

    // A smaller window scrolls over the line: its scroll bars follow the
    // size, and the arrow keys scroll by a page (Shift: one position).
    DisplayWindow* zero = frame_->display_windows().window(0);
    zero->parentWidget()->resize(200, 200);
    QVERIFY(zero->horizontal_scroll()->maximum() > 0);
    QTest::keyClick(board, Qt::Key_Right);
    QTest::keyClick(board, Qt::Key_Right, Qt::ShiftModifier);
    const int position = std::min(11, zero->horizontal_scroll()->maximum());
    QCOMPARE(frame_->dia().model().windows()[0].view.scroll_pos_x, position);
    QCOMPARE(zero->horizontal_scroll()->value(), position);
    QVERIFY(board->Picture().cacheKey() != first);
  }

  void ASecondWindowOpensAndAViewOptionSurvivesSaveAndReopen() {
    QCOMPARE(frame_->dia().OpenPath(kSampleDia), DiaOpenOutcome::kOpened);
    DisplayWindowSet& set = frame_->display_windows();
    set.window(0)->ActionFor(kCmdNewWindow)->trigger();
    DisplayWindow* one = set.window(1);
    QVERIFY(one != nullptr);
    QVERIFY(set.window(0)->WindowButton(1)->isChecked());
    QVERIFY(one->WindowButton(0)->isChecked());

    // A view option: checked in that window's menu only, in the model.
    one->ActionFor("view.clock.4")->trigger();
    QVERIFY(one->ActionFor("view.clock.4")->isChecked());
    QVERIFY(!one->ActionFor("view.clock.0")->isChecked());
    QVERIFY(set.window(0)->ActionFor("view.clock.0")->isChecked());
    one->ActionFor(kCmdToolBar)->trigger();
    QVERIFY(!one->tool_bar()->isVisible());
    QCOMPARE(set.section(1).view.clock_position, static_cast<int>(kClockBottomRight));

    const std::string saved = scratch_->File("saved.kvb");
    QVERIFY(frame_->dia().SaveAsPath(saved));
    // Another line closes window 01; reopening the saved data opens it again.
    QCOMPARE(frame_->dia().OpenPath(kSampleDia), DiaOpenOutcome::kOpened);
    QVERIFY(set.window(1) == nullptr);
    QCOMPARE(frame_->dia().OpenPath(saved), DiaOpenOutcome::kOpened);
    QVERIFY(set.window(1) != nullptr);
    QCOMPARE(set.section(1).view.clock_position, static_cast<int>(kClockBottomRight));
    QVERIFY(!set.section(1).view.view_tool_bar);
    QVERIFY(set.window(1)->ActionFor("view.clock.4")->isChecked());
    QVERIFY(!set.window(1)->tool_bar()->isVisible());

    // Window 00 goes where the data places it; data without a place of its
    // own takes the window's.
    DisplayWindowSection moved = set.section(0);
    moved.place = {30, 20, 530, 380, true};
    frame_->dia().model().SetDisplayWindow(0, moved);
    QVERIFY(frame_->dia().SaveAsPath(saved));
    set.window(0)->parentWidget()->move(5, 6);
    QCOMPARE(frame_->dia().OpenPath(saved), DiaOpenOutcome::kOpened);
    QCOMPARE(set.window(0)->parentWidget()->geometry(), QRect(30, 20, 500, 360));
    QCOMPARE(frame_->dia().OpenPath(kSampleDia), DiaOpenOutcome::kOpened);
    QCOMPARE(set.section(0).place, (WindowRect{30, 20, 530, 380, true}));
  }

  void ClosingWindowZeroAsksAndOthersKeepTheirLayout() {
    DisplayWindowSet& set = frame_->display_windows();
    set.RunCommand(0, WindowCommand(5));  // the window line opens a closed window
    QVERIFY(set.window(5) != nullptr);
    set.RunCommand(5, kCmdSmartView);

    prompter_->Queue(PromptAnswer::kNo);
    set.window(0)->close();
    QVERIFY(set.window(0) != nullptr);
    QCOMPARE(prompter_->shown().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(prompter_->shown()[0].caption), QStringLiteral("終了確認"));

    set.window(5)->close();
    QVERIFY(set.window(5) == nullptr);
    QCOMPARE(prompter_->shown().size(), std::size_t{1});
    QVERIFY(!set.section(5).open);
    const IniFile ini = IniFile::Load(context_->SettingsPath());
    QCOMPARE(ini.GetString("DisplayWindow05", "open"), std::string("0"));
    QVERIFY(!ini.GetString("DisplayWindow05", "PosLeft").empty());
    QVERIFY(!ini.GetString("FontDisplayWindow05", "PointSize").empty());
  }

  void SwitchingAndTheFontDialogGoThroughTheSet() {
    DisplayWindowSet& set = frame_->display_windows();
    set.RunCommand(0, kCmdNewWindow);
    set.RunCommand(0, kCmdNewWindow);
    QVERIFY(set.window(2) != nullptr);
    FontSettings asked_with;
    set.SetFontChooser([&asked_with](const FontSettings& current, QWidget*) {
      asked_with = current;
      FontSettings chosen = current;
      chosen.point_size = 15;
      return std::optional<FontSettings>(chosen);
    });
    set.RunCommand(2, kCmdWindowFont);
    QCOMPARE(set.section(2).font.point_size, 15);
    QCOMPARE(asked_with.point_size, 9);
    // All sixteen open: "新規ウインドウ" is disabled and does nothing.
    for (int n = 3; n < kDisplayWindows; ++n) set.RunCommand(0, WindowCommand(n));
    set.window(0)->UpdateMenuState();
    QVERIFY(!set.window(0)->ActionFor(kCmdNewWindow)->isEnabled());
    set.RunCommand(0, kCmdNewWindow);
    QCOMPARE(OpenDisplayWindows(frame_->dia().model().windows()).size(), std::size_t{16});
  }

  void ADiaFileDroppedOnAWindowIsOfferedAndOpensAsTheMainWindowsOpenDoes() {
    DisplayWindow* zero = frame_->display_windows().window(0);
    prompter_->Queue(PromptAnswer::kYes);  // ダイヤデータを読み込みます
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromUtf8(kSampleDia))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(zero, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(zero, &drop);
    QCOMPARE(frame_->dia().dia_path(), std::string(kSampleDia));
    QCOMPARE(prompter_->shown().size(), std::size_t{1});  // nothing to save first
    QCOMPARE(QString::fromStdString(prompter_->shown()[0].caption),
             QStringLiteral("ファイル受付確認"));
    prompter_->ClearShown();

    // Modified data asks first; Cancel keeps it.
    DiaChange(frame_->dia().model()).header().dia_comment = "x";
    QVERIFY(frame_->dia().modified());
    prompter_->Queue(PromptAnswer::kYes);
    prompter_->Queue(PromptAnswer::kCancel);
    QDragEnterEvent again(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(zero, &again);
    QApplication::sendEvent(zero, &drop);
    QCOMPARE(prompter_->shown().size(), std::size_t{2});
    QVERIFY(frame_->dia().modified());

    // Saying No to the offer reads nothing and asks nothing more.
    prompter_->ClearShown();
    prompter_->Queue(PromptAnswer::kNo);
    QDragEnterEvent third(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(zero, &third);
    QApplication::sendEvent(zero, &drop);
    QCOMPARE(prompter_->shown().size(), std::size_t{1});
    QVERIFY(frame_->dia().modified());
  }

  void TheMainMenusBoardOptionsActOnTheActiveWindow() {
    DisplayWindowSet& set = frame_->display_windows();
    set.RunCommand(0, kCmdNewWindow);
    set.RunCommand(0, WindowCommand(1));  // activates window 01
    QCOMPARE(set.active(), 1);
    frame_->RunCommand(kCmdSimpleDisplay);
    QVERIFY(set.section(1).view.smart_view);
    QVERIFY(!set.section(0).view.smart_view);
    frame_->UpdateMenuState();
    QVERIFY(frame_->ActionFor(kCmdSimpleDisplay)->isChecked());
    QVERIFY(frame_->ActionFor(kCmdTrainIcons)->isChecked());
    frame_->RunCommand(kCmdTrainIcons);
    QVERIFY(!set.section(1).view.view_image16);

    // The default font: windows without a font of their own take it.
    set.SetFontChooser([](const FontSettings& current, QWidget*) {
      FontSettings chosen = current;
      chosen.point_size = 20;
      return std::optional<FontSettings>(chosen);
    });
    frame_->RunCommand(kCmdFont);
    QCOMPARE(context_->settings.default_font.point_size, 20);
    set.RunCommand(1, kCmdNewWindow);
    QCOMPARE(set.section(2).font.point_size, 20);
    QCOMPARE(set.section(1).font.point_size, 9);
  }

 private:
  testing::FakeEnvironment env_;
  ScriptedChooser chooser_;
  std::unique_ptr<ScriptedPrompter> prompter_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<testing::ScratchFolder> scratch_;
  std::unique_ptr<MainFrame> frame_;
};

}  // namespace corvane

QTEST_MAIN(corvane::DisplayWindowTest)
#include "display_window_test.moc"
