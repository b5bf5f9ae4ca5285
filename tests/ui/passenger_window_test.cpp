// The passenger number window of the main window: opened and closed by its
// checkable menu item, edited by clicks, buttons and keys, its place kept.

#include "main/passenger_window.h"

#include <QAction>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include "app/app_context.h"
#include "app/main_menu.h"
#include "base/file_io.h"
#include "board/display_window_set.h"
#include "main/main_frame.h"
#include "platform/qt_text.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {

class PassengerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    prompter_ = std::make_unique<ScriptedPrompter>();
    context_ = std::make_unique<AppContext>(env_, *prompter_, chooser_);
    env_.program_folder = scratch_.path() + "program";
  }
  void cleanup() {
    context_.reset();
    prompter_.reset();
  }

  void TheMenuItemOpensAndClosesTheWindowWithItsCheckMark() {
    MainFrame frame(*context_);
    QAction* item = frame.ActionFor(kCmdPassengerWindow);
    QVERIFY(item->isEnabled());
    item->trigger();
    QVERIFY(frame.passenger_window_open());
    QVERIFY(item->isChecked());
    // The close button asks the main window, which keeps the place.
    PassengerNumberWindow* window = frame.passenger_window();
    window->move(33, 44);
    window->close();
    QVERIFY(!frame.passenger_window_open());
    QVERIFY(!item->isChecked());
    QCOMPARE(context_->settings.passenger_window.left, window->pos().x());
    item->trigger();
    QVERIFY(frame.passenger_window_open());
  }

  void ClicksButtonsAndKeysEditTheLoadedData() {
    MainFrame frame(*context_);
    DiaFile file;
    for (const char* name : {"東", "西", "南"}) {
      StationRecord station;
      station.short_name = testing::Sjis(name);
      file.map.stations.Append(station);
    }
    frame.dia().model().Replace(file);
    frame.ShowPassengerWindow(true);
    PassengerNumberWindow* window = frame.passenger_window();
    QWidget* graph = window->graph();
    QTest::qWait(1);

    // 着駅 steps to station 2; a click at 7:00 with 1000 makes a curve.
    window->findChild<QPushButton*>(QString::fromLatin1(kPassengerTo))->click();
    QCOMPARE(window->passengers().view().to, 2);
    const int x = window->passengers().XOfTime(25200);
    QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(x, graph->height() - 20 - 100));
    const auto& demand = frame.dia().model().dia().demand;
    QCOMPARE(demand.size(), std::size_t{3});
    QCOMPARE(demand[1].count, 1000);
    QCOMPARE(demand[1].time, 25200);
    QVERIFY(frame.dia().model().modified());
    // The menu bar's lines and the window's keys.
    QAction* taller = nullptr;
    for (QAction* action : window->menuBar()->actions()) {
      if (action->objectName() == QString::fromLatin1(kPassengerTaller)) taller = action;
    }
    QVERIFY(taller != nullptr);
    taller->trigger();
    QCOMPARE(window->passengers().view().passengers_per_pixel, 8);
    QTest::keyClick(graph, Qt::Key_F5);
    QCOMPARE(frame.dia().model().map().stations[1].station_aux2, 10);
    // A key the window does not take is typed on the board.
    QTest::keyClick(graph, Qt::Key_K);
    QCOMPARE(frame.display_windows().panel().key_buffer(), std::string("k"));
  }

  void FilesDroppedOnTheWindowAreTakenAsOnTheMainWindow() {
    const std::string list = scratch_.path() + "list.kvi";
    QVERIFY(WriteFileBytes(list, testing::Sjis("[ファイルリスト]\n00=a.txt\n")));
    MainFrame frame(*context_);
    frame.ShowPassengerWindow(true);
    PassengerNumberWindow* window = frame.passenger_window();
    QVERIFY(window->acceptDrops());
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(Qs(list))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QVERIFY(enter.isAccepted());
    // The import is asked first; No leaves everything as it was.
    prompter_->Queue(PromptAnswer::kNo);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    QCOMPARE(prompter_->shown().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(prompter_->shown()[0].caption),
             QStringLiteral("ファイル受付確認"));
  }

 private:
  testing::ScratchFolder scratch_;
  testing::FakeEnvironment env_;
  std::unique_ptr<ScriptedPrompter> prompter_;
  ScriptedChooser chooser_;
  std::unique_ptr<AppContext> context_;
};

}  // namespace corvane

QTEST_MAIN(corvane::PassengerWindowTest)
#include "passenger_window_test.moc"
