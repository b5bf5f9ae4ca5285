// The main window's menu bar as built from the core's menu tree, and the
// commands it runs.

#include "main/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "app/about.h"
#include "app/app_context.h"
#include "app/data_folder.h"
#include "app/main_menu.h"
#include "app/web_help.h"
#include "base/file_io.h"
#include "board/display_window_set.h"
#include "main/message_window.h"
#include "platform/qt_text.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {

namespace {

// The entries of a menu tree as a QMenu shows them: "-" for a separator,
// a submenu's title followed by its entries in brackets.
QStringList Expected(const std::vector<MenuEntry>& entries, bool english) {
  QStringList texts;
  for (const MenuEntry& entry : entries) {
    if (entry.separator) {
      texts << QStringLiteral("-");
    } else {
      texts << Qs(entry.Text(english));
      if (entry.IsMenu())
        texts << QStringLiteral("[") << Expected(entry.children, english) << QStringLiteral("]");
    }
  }
  return texts;
}

QStringList Shown(const QList<QAction*>& actions) {
  QStringList texts;
  for (QAction* action : actions) {
    if (action->isSeparator()) {
      texts << QStringLiteral("-");
    } else {
      texts << action->text();
      if (QMenu* menu = action->menu()) {
        texts << QStringLiteral("[") << Shown(menu->actions()) << QStringLiteral("]");
      }
    }
  }
  return texts;
}

// The menu that holds `action`.
QMenu* MenuOf(QAction* action) {
  const auto widgets = action->associatedObjects();
  for (QObject* object : widgets) {
    if (auto* menu = qobject_cast<QMenu*>(object)) return menu;
  }
  return nullptr;
}

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    prompter_ = std::make_unique<ScriptedPrompter>();
    context_ = std::make_unique<AppContext>(env_, *prompter_, chooser_);
    env_.program_folder = scratch_.path() + "program";
    opened_.clear();
    asked_options_.reset();
    DesktopHooks hooks;
    hooks.open_url = [this](const QUrl& url) {
      opened_ << url;
      return true;
    };
    hooks.passenger_options = [this](const PassengerOptions& options, QWidget*) {
      asked_options_ = options;
      return answer_options_;
    };
    hooks_ = hooks;
  }
  void cleanup() {
    context_.reset();
    prompter_.reset();
  }

  void MenuBarFollowsTheMenuTreeInBothLanguages_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("Japanese") << false;
    QTest::newRow("English") << true;
  }
  void MenuBarFollowsTheMenuTreeInBothLanguages() {
    QFETCH(bool, english);
    context_->english = english;
    MainFrame frame(*context_, hooks_);
    QCOMPARE(Shown(frame.menuBar()->actions()), Expected(MainMenu(), english));
    if (!english) {
      QCOMPARE(frame.menuBar()->actions().first()->text(), QStringLiteral("ファイル(&F)"));
    }
  }

  void ItemsAreEnabledAndCheckedAsTheCoreSays() {
    MainFrame frame(*context_, hooks_);
    const MenuState state = MainMenuState(frame.MenuInputs());
    for (const std::string& id : CommandIds(MainMenu())) {
      QAction* action = frame.ActionFor(id);
      QVERIFY2(action != nullptr, id.c_str());
      QVERIFY2(action->isEnabled() == state.Of(id).enabled, id.c_str());
      QVERIFY2(!action->isCheckable() || action->isChecked() == state.Of(id).checked, id.c_str());
    }
    // The running part's commands in the menu are shown but disabled.
    QVERIFY(!frame.ActionFor(kCmdInterlockingPanelMode)->isEnabled());
    QVERIFY(!frame.ActionFor(kCmdSpeedTypes)->isEnabled());
    QVERIFY(frame.ActionFor(kCmdAutoBackup)->isChecked());
  }

  void CheckMarksAreRefreshedWhenAMenuOpens() {
    MainFrame frame(*context_, hooks_);
    QAction* backup = frame.ActionFor(kCmdAutoBackup);
    context_->settings.backup_file = false;
    QVERIFY(backup->isChecked());
    emit MenuOf(backup)->aboutToShow();
    QVERIFY(!backup->isChecked());
  }

  void AutomaticBackupToggles() {
    MainFrame frame(*context_, hooks_);
    QAction* backup = frame.ActionFor(kCmdAutoBackup);
    backup->trigger();
    QVERIFY(!context_->settings.backup_file);
    QVERIFY(!backup->isChecked());
    backup->trigger();
    QVERIFY(context_->settings.backup_file);
    QVERIFY(backup->isChecked());
  }

  void MessageWindowOpensAndClosesWithItsCheckMark() {
    context_->log.AddLine("最初の行");
    MainFrame frame(*context_, hooks_);
    QAction* item = frame.ActionFor(kCmdMessageWindow);
    item->trigger();
    QVERIFY(frame.message_window_open());
    QVERIFY(item->isChecked());
    QCOMPARE(frame.message_window()->ShownText(), QStringLiteral("最初の行"));
    context_->log.AddLine("次の行");
    frame.RefreshMessageWindow();
    QCOMPARE(frame.message_window()->ShownText(), QStringLiteral("最初の行\n次の行"));
    item->trigger();
    QVERIFY(!frame.message_window_open());
    QVERIFY(!item->isChecked());
  }

  void ADoubleClickOnAMessageLineGoesToItsHandler() {
    context_->log.AddLine("＜エラー＞線路が重複しています。", MessageLink{0, 1});
    MainFrame frame(*context_, hooks_);
    std::vector<int> lines;
    frame.SetMessageLineHandler([&lines](int line) { lines.push_back(line); });
    frame.ShowMessageWindow(true);
    emit frame.message_window()->LineDoubleClicked(0);
    QCOMPARE(lines, std::vector<int>{0});
  }

  void WebHelpAsksBeforeGoingOnline() {
    MainFrame frame(*context_, hooks_);
    prompter_->Queue(PromptAnswer::kNo);
    frame.ActionFor(kCmdHelpWeb)->trigger();
    QVERIFY(opened_.isEmpty());
    QCOMPARE(prompter_->shown().size(), std::size_t{1});
    QCOMPARE(prompter_->shown()[0].caption, std::string("インターネット接続確認"));

    prompter_->Queue(PromptAnswer::kYes);
    frame.ActionFor(kCmdFaq)->trigger();
    QCOMPARE(opened_, QList<QUrl>{QUrl(Qs(WebPageAddress(WebPage::kFaq)))});
  }

  void WithTheConfirmationOffHelpOpensWithoutAsking() {
    MainFrame frame(*context_, hooks_);
    QAction* confirmation = frame.ActionFor(kCmdInternetConfirmation);
    prompter_->Queue(PromptAnswer::kNo);
    confirmation->trigger();
    QVERIFY(frame.internet_confirmation());
    QVERIFY(confirmation->isChecked());
    prompter_->Queue(PromptAnswer::kYes);
    confirmation->trigger();
    QVERIFY(!frame.internet_confirmation());
    QVERIFY(!confirmation->isChecked());
    prompter_->ClearShown();

    frame.ActionFor(kCmdHomePage)->trigger();
    frame.ActionFor(kCmdEnquete)->trigger();
    QVERIFY(prompter_->shown().empty());
    QCOMPARE(opened_, (QList<QUrl>{QUrl(Qs(WebPageAddress(WebPage::kTop))),
                                   QUrl(Qs(WebPageAddress(WebPage::kEnquete)))}));

    // Switching it on again asks nothing.
    confirmation->trigger();
    QVERIFY(frame.internet_confirmation());
    QVERIFY(prompter_->shown().empty());
  }

  void LocalHelpOpensTheProgramsHelpFile() {
    MainFrame frame(*context_, hooks_);
    const std::string help = env_.program_folder + "/korv_help.htm";
    // Without the file the user is told where it was looked for.
    frame.ActionFor(kCmdHelpLocal)->trigger();
    QVERIFY(opened_.isEmpty());
    QCOMPARE(prompter_->shown().size(), std::size_t{1});
    QVERIFY(prompter_->shown()[0].text.find(help) != std::string::npos);
    prompter_->ClearShown();

    std::filesystem::create_directories(env_.program_folder);
    QVERIFY(WriteFileBytes(help, "<html></html>"));
    frame.ActionFor(kCmdHelpLocal)->trigger();
    QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(Qs(help))});
    QVERIFY(prompter_->shown().empty());
  }

  void AboutBoxShowsTheCoreText() {
    context_->english = true;
    MainFrame frame(*context_, hooks_);
    frame.ActionFor(kCmdAbout)->trigger();
    QCOMPARE(prompter_->shown().size(), std::size_t{1});
    QCOMPARE(prompter_->shown()[0].text, AboutBoxText(true).text);
    QCOMPARE(prompter_->shown()[0].caption, AboutBoxText(true).caption);
  }

  void PassengerOptionsAreTakenOnOkOnly() {
    MainFrame frame(*context_, hooks_);
    PassengerOptions changed;
    changed.avoid = true;
    answer_options_ = changed;
    frame.ActionFor(kCmdPassengerSimulation)->trigger();
    QVERIFY(asked_options_.has_value());
    QCOMPARE(*asked_options_, PassengerOptions{});
    QCOMPARE(frame.passenger_options(), changed);

    answer_options_.reset();
    frame.ActionFor(kCmdPassengerSimulation)->trigger();
    QCOMPARE(*asked_options_, changed);
    QCOMPARE(frame.passenger_options(), changed);
  }

  void DiaDataOpensAndSavesThroughTheFileMenu() {
    const std::string data = scratch_.path() + "data";
    context_->data_folder.path = data;
    context_->data_folder.table = *DataFolderTable::Build(data);
    for (int slot : {kSlotSystemTemp, kSlotDataKvb, kSlotSystemMap}) {
      std::filesystem::create_directories(context_->data_folder.table[slot]);
    }
    const std::string sample =
        *ReadFileBytes(testing::SourceDataFolder() + "../examples/sample_line.kvb");
    const std::string path = context_->data_folder.table[kSlotDataKvb] + "line.kvb";
    QVERIFY(WriteFileBytes(path, sample));
    MainFrame frame(*context_, hooks_);
    QCOMPARE(frame.ActionFor(kCmdOpenDia)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(frame.ActionFor(kCmdSaveDiaAs)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+Shift+S")));

    chooser_.Queue(path);
    frame.ActionFor(kCmdOpenDia)->trigger();
    QCOMPARE(frame.dia().dia_path(), path);
    QVERIFY(context_->log.Lines().front() == "マップデータ「コルヴェイン本線」を開きました。");
    QCOMPARE(frame.passenger_options(), frame.dia().file().header.passengers);

    // A changed option marks the dia; saving writes it back under its name.
    PassengerOptions changed = frame.passenger_options();
    changed.graph = !changed.graph;
    answer_options_ = changed;
    frame.ActionFor(kCmdPassengerSimulation)->trigger();
    QVERIFY(frame.dia().modified());
    frame.ActionFor(kCmdSaveDia)->trigger();
    QVERIFY(!frame.dia().modified());
    QVERIFY(*ReadFileBytes(path) != sample);
    QVERIFY(prompter_->shown().empty());
  }

  // "形式設定" on the sample line: the program's series listed, one added
  // with its description and photograph, kept by OK and saved.
  void SeriesSettingAddsASeriesThatIsSaved() {
    const std::string data = scratch_.path() + "series_data_folder";
    context_->data_folder.path = data;
    context_->data_folder.table = *DataFolderTable::Build(data);
    const std::string source = testing::SourceDataFolder();
    const std::pair<int, const char*> copies[] = {{kSlotDataSeries, "series_data"},
                                                  {kSlotAcceleration, "table/acceleration"},
                                                  {kSlotCurveLimit, "table/curve_limit"},
                                                  {kSlotImage, "image"},
                                                  {kSlotImage16, "image16"}};
    for (const auto& [slot, folder] : copies) {
      std::filesystem::create_directories(context_->data_folder.table[slot]);
      std::filesystem::copy(source + folder, context_->data_folder.table[slot],
                            std::filesystem::copy_options::recursive);
    }
    for (int slot : {kSlotSystemTemp, kSlotDataKvb}) {
      std::filesystem::create_directories(context_->data_folder.table[slot]);
    }
    const std::string path = context_->data_folder.table[kSlotDataKvb] + "line.kvb";
    QVERIFY(WriteFileBytes(
        path, *ReadFileBytes(testing::SourceDataFolder() + "../examples/sample_line.kvb")));
    MainFrame frame(*context_, hooks_);
    chooser_.Queue(path);
    frame.ActionFor(kCmdOpenDia)->trigger();
    QVERIFY(frame.ActionFor(kCmdSeries)->isEnabled());
    QString description;
    bool photo_shown = false;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      QVERIFY(dialog != nullptr);
      auto* list = dialog->findChild<QListWidget*>(QStringLiteral("list"));
      QCOMPARE(list->count(), 3);
      list->setCurrentRow(1);  // cv100.ini
      dialog->findChild<QPushButton*>(QStringLiteral("add"))->click();
      description = dialog->findChild<QLabel*>(QStringLiteral("description"))->text();
      const QLabel* photo = dialog->findChild<QLabel*>(QStringLiteral("photo"));
      photo_shown = !photo->pixmap().isNull();
      dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    frame.ActionFor(kCmdSeries)->trigger();
    QVERIFY2(description.contains(QStringLiteral("形式：CV100形")), qPrintable(description));
    QVERIFY(description.contains(QStringLiteral("使用：0／所有：1")));
    QVERIFY(photo_shown);
    QCOMPARE(frame.dia().file().dia.series.count(), 1);
    QVERIFY(frame.dia().modified());
    frame.ActionFor(kCmdSaveDia)->trigger();
    chooser_.Queue(path);
    frame.ActionFor(kCmdOpenDia)->trigger();
    QCOMPARE(frame.dia().file().dia.series.count(), 1);
    QCOMPARE(frame.dia().file().dia.series[1].owned_units, 1);
  }

  // "種別設定" on a dia without types: a type added in the form, cut to its
  // bytes while typed, and kept by OK as one change.
  void TrainTypeSettingAddsAType() {
    MainFrame frame(*context_, hooks_);
    QVERIFY(frame.ActionFor(kCmdTrainTypes)->isEnabled());
    const int before = frame.dia().file().dia.train_types.count();
    QString listed;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      QVERIFY(dialog != nullptr);
      dialog->findChild<QPushButton*>(QStringLiteral("add"))->click();
      auto* list = dialog->findChild<QListWidget*>(QStringLiteral("types"));
      listed = list->item(list->count() - 1)->text();
      dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    frame.ActionFor(kCmdTrainTypes)->trigger();
    QCOMPARE(listed, QStringLiteral("新規種別%1").arg(before + 1, 2, 10, QLatin1Char('0')));
    QCOMPARE(frame.dia().file().dia.train_types.count(), before + 1);
  }

  // "標準停車時間設定": refused on a dia without rails; on the sample line a
  // time chosen in the form shows in its line at once and OK keeps it.
  void StopTimeSettingChangesTheChosenLine_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("Japanese") << false;
    QTest::newRow("English") << true;
  }
  void StopTimeSettingChangesTheChosenLine() {
    QFETCH(bool, english);
    context_->english = english;
    {
      MainFrame empty(*context_, hooks_);
      QVERIFY(empty.ActionFor(kCmdStopTimes)->isEnabled());
      empty.ActionFor(kCmdStopTimes)->trigger();
      QCOMPARE(prompter_->shown().size(), std::size_t{1});
      // The program's prompter shows its twin in English.
      QCOMPARE(prompter_->shown()[0].text, std::string("駅データがないため編集できません。\n"));
      prompter_->ClearShown();
    }
    const std::string data = scratch_.path() + "stop_data";
    context_->data_folder.path = data;
    context_->data_folder.table = *DataFolderTable::Build(data);
    for (int slot : {kSlotSystemTemp, kSlotDataKvb, kSlotSystemMap}) {
      std::filesystem::create_directories(context_->data_folder.table[slot]);
    }
    const std::string path = context_->data_folder.table[kSlotDataKvb] + "stops.kvb";
    QVERIFY(WriteFileBytes(
        path, *ReadFileBytes(testing::SourceDataFolder() + "../examples/sample_line.kvb")));
    MainFrame frame(*context_, hooks_);
    chooser_.Queue(path);
    frame.ActionFor(kCmdOpenDia)->trigger();
    QString title;
    QString line;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      QVERIFY(dialog != nullptr);
      title = dialog->windowTitle();
      dialog->findChild<QListWidget*>(QStringLiteral("stop_time"))->setCurrentRow(1);
      line = dialog->findChild<QListWidget*>(QStringLiteral("entries"))->item(0)->text();
      if (const QByteArray shot = qgetenv("CORVANE_DIALOG_SHOTS"); !shot.isEmpty()) {
        dialog->grab().save(QString::fromLocal8Bit(shot) +
                            (english ? QStringLiteral("/stop_times_en.png")
                                     : QStringLiteral("/stop_times_ja.png")));
      }
      dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    frame.ActionFor(kCmdStopTimes)->trigger();
    QCOMPARE(title, english ? QStringLiteral("Standard Stop Time Setting")
                            : QString::fromUtf8("標準停車時間設定"));
    QVERIFY2(line.endsWith(english ? QStringLiteral("  Pass / Standard (120s)")
                                   : QString::fromUtf8("　通過／標準（120秒）")),
             qPrintable(line));
    const StopTimeEntry passing{1, 0, 0, 0, 0, 0};
    const auto& stops = frame.dia().file().dia.stop_times;
    QVERIFY(std::find(stops.begin(), stops.end(), passing) != stops.end());
    QVERIFY(frame.dia().modified());
  }

  void StationFrameOpensItsStationAndTrackEditsEndCancel() {
    MainFrame frame(*context_, hooks_);
    {
      DiaFile file;
      file.header.wdia_mode = 1;
      StationRecord station;
      station.name = testing::Sjis("東町駅");
      file.map.stations.Append(station);
      TargetRecord target;
      target.station = 1;
      file.map.targets.Append(target);
      for (const int direction : {1, 2}) {
        RailRecord rail;
        rail.direction = direction;
        rail.target = 1;
        rail.stop_distance = 100;
        rail.l_pack = 1;
        file.map.rails.Append(rail);
      }
      file.map.prails.Append(PRailRecord{0, 0, 1, 2, 0});
      StationDrawRecord draw;
      draw.station = 1;
      file.map.station_draws.Append(draw);
      BuildTrackLists(file.map);
      frame.dia().model().Replace(std::move(file));
    }
    QString title;
    bool cancel_before = false;
    bool cancel_after = true;
    bool open_after_escape = false;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      QVERIFY(dialog != nullptr);
      title = dialog->windowTitle();
      auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("cancel"));
      cancel_before = cancel->isEnabled();
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("name"));
      QCOMPARE(name->text(), QString::fromUtf8("東町駅"));
      name->setText(QString::fromUtf8("西町駅"));
      emit name->textEdited(name->text());
      dialog->findChild<QPushButton*>(QStringLiteral("add"))->click();
      cancel_after = cancel->isEnabled();
      QTest::keyClick(dialog, Qt::Key_Escape);
      open_after_escape = dialog->isVisible();
      dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    frame.OpenStationFrame(1);
    QCOMPARE(title, QString::fromUtf8("駅情報設定"));
    QVERIFY(cancel_before);
    QVERIFY(!cancel_after);
    QVERIFY(open_after_escape);
    const SystemMap& map = frame.dia().model().map();
    QCOMPARE(map.stations[1].name.Utf8(), std::string("西町駅"));
    QCOMPARE(map.rails.count(), 4);
    QCOMPARE(static_cast<int>(map.targets[1].tracks.size()), 2);
    // A frame of no station opens nothing.
    frame.OpenStationFrame(7);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }

  void StartTimeDialogCarriesMinutesAndKeepsOpenOnARefusal() {
    MainFrame frame(*context_, hooks_);
    QVERIFY(frame.ActionFor(kCmdStartTime)->isEnabled());
    QString title;
    int refusals_while_open = 0;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      QVERIFY(dialog != nullptr);
      title = dialog->windowTitle();
      auto type = [dialog](const char* id, const char* text) {
        auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(id));
        edit->setText(QString::fromLatin1(text));
        emit edit->textEdited(edit->text());
      };
      type("hour", "28");
      type("minute", "0");
      type("second", "1");
      dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();
      if (dialog->isVisible()) refusals_while_open = static_cast<int>(prompter_->shown().size());
      type("hour", "6");
      type("minute", "90");
      type("second", "0");
      dialog->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    frame.ActionFor(kCmdStartTime)->trigger();
    QCOMPARE(title, QString::fromUtf8("時刻の設定"));
    QCOMPARE(refusals_while_open, 1);
    QCOMPARE(prompter_->shown()[0].caption, std::string("入力データエラー"));
    QCOMPARE(frame.dia().file().header.start_time, 7 * 3600 + 30 * 60);
    QVERIFY(frame.dia().modified());
  }

  void ImportListsComeThroughTheFileMenuAndDrops() {
    const std::string data = scratch_.path() + "data";
    context_->data_folder.path = data;
    context_->data_folder.table = *DataFolderTable::Build(data);
    std::filesystem::create_directories(context_->data_folder.table[kSlotSystemTemp]);
    std::filesystem::create_directories(scratch_.path() + "from");
    const std::string list = scratch_.path() + "from/list.kvi";
    QVERIFY(WriteFileBytes(scratch_.path() + "from/a.txt", "a"));
    QVERIFY(WriteFileBytes(list, testing::Sjis("[ファイルリスト]\n00=a.txt\n")));
    MainFrame frame(*context_, hooks_);
    QVERIFY(frame.acceptDrops());

    chooser_.Queue(list);
    frame.ActionFor(kCmdImport)->trigger();
    QVERIFY(FileExists(data + "/a.txt"));
    QVERIFY(chooser_.requests().back().must_exist);
    QCOMPARE(QString::fromStdString(chooser_.requests().back().default_extension),
             QStringLiteral("kvi"));
    QCOMPARE(QString::fromStdString(prompter_->shown().back().caption),
             QStringLiteral("インポート終了"));

    // Dropped on the main window: asked first, then imported again.
    prompter_->ClearShown();
    prompter_->Queue(PromptAnswer::kYes);
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(Qs(list))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    QCOMPARE(prompter_->shown().size(), std::size_t{3});  // question, present, summary
    QCOMPARE(QString::fromStdString(prompter_->shown()[1].caption),
             QStringLiteral("ファイル存在エラー"));

    // While the main window is busy every drop is refused.
    prompter_->ClearShown();
    frame.display_windows().panel().SetOperationsEnabled(false);
    frame.TakeDroppedFiles({list});
    QCOMPARE(prompter_->shown().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(prompter_->shown()[0].text),
             QStringLiteral("メインウインドウが作業中です。\n"));
  }

  void QuitAsksTheCloseSequence() {
    MainFrame frame(*context_, hooks_);
    frame.show();
    int asked = 0;
    bool allow = false;
    frame.SetCloseHandler([&] {
      ++asked;
      return allow;
    });
    frame.ActionFor(kCmdQuit)->trigger();
    QCOMPARE(asked, 1);
    QVERIFY(frame.isVisible());
    allow = true;
    frame.ActionFor(kCmdQuit)->trigger();
    QCOMPARE(asked, 2);
    QVERIFY(!frame.isVisible());
  }

  void WindowTakesItsRectangleOnTheScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    context_->settings.main_window = {10, 20, 210, 170, true};
    {
      MainFrame frame(*context_, hooks_);
      QCOMPARE(frame.pos(), QPoint(10, 20));
      QCOMPARE(frame.size(), QSize(200, 150));
    }
    // Larger than the screen, or off it: kept wholly on the screen.
    context_->settings.main_window = {-5000, 40, -5000 + screen.width() * 2, 90, true};
    {
      MainFrame frame(*context_, hooks_);
      QVERIFY(screen.contains(QRect(frame.pos(), frame.size())));
      QCOMPARE(frame.height(), 50);
    }
    // Without a place of its own: its start place, beside the others.
    context_->settings.main_window.has_position = false;
    MainFrame frame(*context_, hooks_);
    const WindowRect start = StartPlace(
        StartWindow::kMain, {screen.left(), screen.top(), screen.width(), screen.height()});
    QCOMPARE(frame.pos(), QPoint(start.left, start.top));
    QVERIFY(screen.contains(QRect(frame.pos(), frame.size())));
  }

 private:
  testing::ScratchFolder scratch_;
  testing::FakeEnvironment env_;
  std::unique_ptr<ScriptedPrompter> prompter_;
  ScriptedChooser chooser_;
  std::unique_ptr<AppContext> context_;
  DesktopHooks hooks_;
  QList<QUrl> opened_;
  std::optional<PassengerOptions> asked_options_;
  std::optional<PassengerOptions> answer_options_;
};

}  // namespace corvane

QTEST_MAIN(corvane::MainFrameTest)
#include "main_frame_test.moc"
