// The desktop program's start-up, first tick and close sequence, with the
// user's answers scripted and the machine faked.

#include "app/desktop_app.h"

#include <QSignalSpy>
#include <QtTest>
#include <filesystem>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/main_menu.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "board/display_window_set.h"
#include "main/main_frame.h"
#include "main/message_window.h"
#include "mapedit/map_edit_window.h"
#include "platform/qt_text.h"
#include "support/fake_environment.h"
#include "support/map_support.h"
#include "support/test_support.h"

namespace corvane {

namespace {

namespace fs = std::filesystem;

const char kSampleMap[] = CORVANE_SOURCE_DIR "/examples/sample_line.kvm";

// One run of the program: a scratch program folder and data folder, the
// program's own data from the source tree, scripted answers.
struct Run {
  explicit Run(std::vector<std::string> arguments = {}) : context(env, prompter, chooser) {
    env.program_folder = scratch.path() + "program";
    env.program_data_folder = CORVANE_SOURCE_DIR "/data";
    env.documents = scratch.path() + "documents";
    env.desktop = scratch.path() + "desktop";
    for (const std::string& folder : {env.program_folder, env.documents, env.desktop}) {
      fs::create_directories(folder);
    }
    data_folder = scratch.path() + "data";
    command_line = ParseCommandLine(arguments);
  }

  // Uses the scratch data folder (as --data-dir does).
  Run& WithDataFolder() {
    command_line.data_dir = data_folder;
    return *this;
  }

  DesktopApp& Start() {
    DesktopHooks hooks;
    hooks.open_url = [this](const QUrl& url) {
      opened << url;
      return true;
    };
    hooks.shift_held = [this] { return shift; };
    hooks.change_data_folder = [this](QWidget*) {
      ++change_dialogs;
      return requested;
    };
    hooks.choose_start_mode = [this](int mode, QWidget*) {
      start_dialog_mode = mode;
      return chosen_mode;
    };
    app = std::make_unique<DesktopApp>(context, command_line, hooks);
    finished = std::make_unique<QSignalSpy>(app.get(), &DesktopApp::Finished);
    if (!app->Start()) qFatal("start-up failed: %s", app->error().c_str());
    return *app;
  }

  std::string SettingsFile() const { return data_folder + "/korv.ini"; }
  std::string CopyOfSample(const std::string& name) const {
    const std::string copy = scratch.path() + name;
    fs::copy_file(kSampleMap, copy, fs::copy_options::overwrite_existing);
    return copy;
  }

  testing::ScratchFolder scratch;
  testing::FakeEnvironment env;
  ScriptedPrompter prompter;
  ScriptedChooser chooser;
  AppContext context;
  std::string data_folder;
  CommandLine command_line;

  bool shift = false;
  std::optional<std::string> requested;
  std::optional<int> chosen_mode;
  int change_dialogs = 0;
  std::optional<int> start_dialog_mode;
  QList<QUrl> opened;

  std::unique_ptr<DesktopApp> app;
  std::unique_ptr<QSignalSpy> finished;
};

}  // namespace

class DesktopAppTest : public QObject {
  Q_OBJECT

 private slots:
  void NormalStartOpensTheWindowsOnce() {
    Run run;
    DesktopApp& app = run.WithDataFolder().Start();
    QVERIFY(app.main_frame()->isVisible());
    QVERIFY(app.timer().isActive());
    QCOMPARE(app.timer().interval(), 500);
    QVERIFY(IsDirectory(run.data_folder + "/map_data"));

    app.Tick();
    QVERIFY(app.first_tick_done());
    QVERIFY(run.prompter.shown().empty());
    QVERIFY(!run.start_dialog_mode.has_value());
    QVERIFY(app.map_edit_window_open());
    QVERIFY(app.main_frame()->message_window_open());
    MapEditWindow* window = app.map_edit_window();
    app.Tick();
    QCOMPARE(app.map_edit_window(), window);
    QVERIFY(app.timer().isActive());
    QVERIFY(!app.finished());
  }

  void LaterTicksShowNewLogLines() {
    Run run;
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    run.context.log.AddLine("＜情報＞ コンパイルが終了しました。");
    QVERIFY(app.main_frame()->message_window()->ShownText().isEmpty());
    app.Tick();
    QCOMPARE(app.main_frame()->message_window()->ShownText(),
             QStringLiteral("＜情報＞ コンパイルが終了しました。"));
  }

  void MissingDataFolderIsReportedAndChangedAtClose_data() {
    QTest::addColumn<QString>("data_path");
    QTest::addColumn<QString>("message");
    QTest::newRow("folder gone")
        << QStringLiteral("gone")
        << QStringLiteral(
               "データフォルダが見つかりません。\n存在するデータフォルダを指定してください。\n");
    QTest::newRow("no folder in the Path file")
        << QString()
        << QStringLiteral(
               "データフォルダの設定ファイルを正常に読み込めません。\n存在するデータフォル"
               "ダを指定してください。\n");
  }
  void MissingDataFolderIsReportedAndChangedAtClose() {
    QFETCH(QString, data_path);
    QFETCH(QString, message);
    Run run;
    const std::string path_file = run.env.program_folder + "/Path.ini";
    IniFile path_ini;
    path_ini.SetString("Korv", "DataPath",
                       data_path.isEmpty() ? "" : run.scratch.path() + Utf8(data_path));
    QVERIFY(path_ini.Save(path_file));
    const std::string chosen = run.scratch.path() + "chosen";
    fs::create_directories(chosen);
    run.requested = chosen;

    DesktopApp& app = run.Start();
    app.Tick();
    QCOMPARE(run.prompter.shown().size(), std::size_t{1});
    QCOMPARE(Qs(run.prompter.shown()[0].text), message);
    QCOMPARE(run.prompter.shown()[0].caption, std::string("起動エラー"));
    QCOMPARE(run.change_dialogs, 1);
    QVERIFY(app.finished());
    QCOMPARE(run.finished->count(), 1);
    QVERIFY(!app.main_frame()->isVisible());
    QVERIFY(!app.map_edit_window_open());
    // The Path file names the chosen folder from the next start on, and the
    // change log was shown.
    QCOMPARE(IniFile::Load(path_file).GetString("Korv", "DataPath"), chosen);
    QVERIFY(!app.change_log_path().empty());
    QCOMPARE(run.opened, QList<QUrl>{QUrl::fromLocalFile(Qs(app.change_log_path()))});
  }

  void CancelledDataFolderDialogJustEnds() {
    Run run;
    IniFile path_ini;
    path_ini.SetString("Korv", "DataPath", run.scratch.path() + "gone");
    QVERIFY(path_ini.Save(run.env.program_folder + "/Path.ini"));
    DesktopApp& app = run.Start();
    app.Tick();
    QVERIFY(app.finished());
    QVERIFY(run.opened.isEmpty());
    QVERIFY(!fs::exists(run.scratch.path() + "gone"));
  }

  void ShiftAsksForTheStartModeAndCancelEnds() {
    Run run;
    run.shift = true;
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    QCOMPARE(run.start_dialog_mode, std::optional<int>(kStartNormal));
    QVERIFY(app.finished());
    QCOMPARE(app.start_mode(), int{kStartNormal});
    QVERIFY(!app.map_edit_window_open());
  }

  void NormalStartChosenInTheDialogGoesOn() {
    Run run({"/m=ResetSetting"});
    run.chosen_mode = kStartNormal;
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    QCOMPARE(run.start_dialog_mode, std::optional<int>(kStartAsk));
    QVERIFY(!app.finished());
    QVERIFY(app.map_edit_window_open());
  }

  void WindowPositionResetEndsAndEmptiesThePositions() {
    Run run({"/m=ResetWindowPos"});
    run.chosen_mode = kStartResetWindowPositions;
    fs::create_directories(run.data_folder);
    QVERIFY(WriteFileBytes(run.SettingsFile(),
                           "[KORVMainWindow]\r\nPosLeft=5\r\nPosTop=6\r\nPosRight=705\r\n"
                           "PosBottom=506\r\n[Setting]\r\nCallSpeed=7\r\n"));
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    QCOMPARE(run.start_dialog_mode, std::optional<int>(kStartResetWindowPositions));
    QVERIFY(app.finished());
    const IniFile settings = IniFile::Load(run.SettingsFile());
    QCOMPARE(settings.Find("KORVMainWindow", "PosLeft"), std::optional<std::string>(""));
    QCOMPARE(settings.Find("KORVMainWindow", "PosBottom"), std::optional<std::string>(""));
    QCOMPARE(settings.GetInt("Setting", "CallSpeed", 0), 7);
    QVERIFY(FileExists(run.data_folder + "/" + "設定ファイルバックアップ20261208093015.ini"));
  }

  void UnknownStartupFileIsReportedAndTheWindowsStillOpen() {
    Run run({"/f=notes.txt"});
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    QCOMPARE(run.prompter.shown().size(), std::size_t{1});
    QCOMPARE(run.prompter.shown()[0].text, std::string("起動コマンドが確認できません。\n"));
    QVERIFY(app.map_edit_window_open());
  }

  void AnImportListOnTheCommandLineIsImportedBeforeTheWindowsOpen() {
    Run run;
    const std::string list = run.scratch.path() + "list.kvi";
    QVERIFY(WriteFileBytes(run.scratch.path() + "a.txt", "a"));
    QVERIFY(WriteFileBytes(list, testing::Sjis("[ファイルリスト]\n00=a.txt\n")));
    run.command_line = ParseCommandLine({"/f=" + list});
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    QVERIFY(FileExists(run.data_folder + "/a.txt"));
    QCOMPARE(run.prompter.shown().size(), std::size_t{1});
    QCOMPARE(run.prompter.shown()[0].caption, std::string("インポート終了"));
    QVERIFY(app.map_edit_window_open());
  }

  void MapFromTheCommandLineOpensInTheMapEditWindow() {
    Run run;
    const std::string map = run.CopyOfSample("line.kvm");
    run.command_line.map_file = map;
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    QCOMPARE(app.map_edit_window()->document().path(), map);
    QVERIFY(run.context.edit_map.rails().count() > 0);
  }

  void BackupsAreOfferedAndTheMapOneIsLoaded() {
    Run run;
    const std::string backup = run.CopyOfSample("backup.kvm");
    fs::create_directories(run.data_folder);
    IniFile settings;
    settings.SetString("BackupFile", "kvb", run.scratch.path() + "backup.kvb");
    settings.SetString("BackupFile", "kvm", backup);
    QVERIFY(settings.Save(run.SettingsFile()));
    run.prompter.Queue(PromptAnswer::kNo);   // the dia data backup
    run.prompter.Queue(PromptAnswer::kYes);  // the map backup
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    QCOMPARE(run.prompter.shown().size(), std::size_t{2});
    QCOMPARE(run.prompter.shown()[1].caption, std::string("読み込み確認"));
    QVERIFY(run.context.edit_map.rails().count() > 0);
    // The restored map has no file of its own, nor a place among the recent.
    QCOMPARE(app.map_edit_window()->document().path(), std::string());
    QVERIFY(run.context.settings.map_edit_window.recent_maps.empty());

    // A normal end leaves nothing to recover.
    QVERIFY(app.main_frame()->close());
    const IniFile after = IniFile::Load(run.SettingsFile());
    QCOMPARE(after.GetString("BackupFile", "kvb"), std::string());
    QCOMPARE(after.GetString("BackupFile", "kvm"), std::string());
  }

  void CloseAsksAboutTheMapAndCancelKeepsRunning() {
    Run run;
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    testing::ChangeSomething(run.context.edit_map);
    run.prompter.Queue(PromptAnswer::kCancel);
    QVERIFY(!app.main_frame()->close());
    QCOMPARE(run.prompter.shown().size(), std::size_t{1});
    QVERIFY(!app.finished());
    QVERIFY(app.timer().isActive());
    QVERIFY(app.map_edit_window_open());
    QVERIFY(!FileExists(run.SettingsFile()));

    run.prompter.Queue(PromptAnswer::kNo);
    QVERIFY(app.main_frame()->close());
    QVERIFY(app.finished());
    QCOMPARE(run.finished->count(), 1);
    QVERIFY(!app.timer().isActive());
    QVERIFY(!app.map_edit_window_open());
    QVERIFY(!app.main_frame()->message_window_open());
  }

  void UnwritableSettingsFileIsReportedOnceAtClose() {
    // A folder stands where korv.ini would be written.
    Run run({"/m=ResetWindowPos"});
    run.chosen_mode = kStartResetWindowPositions;
    fs::create_directories(run.SettingsFile());
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    QVERIFY(app.finished());
    QCOMPARE(run.prompter.shown().size(), std::size_t{1});
    QCOMPARE(run.prompter.shown()[0].text,
             "書き込みファイル'" + run.SettingsFile() + "'は開けませんでした。\n");
    QCOMPARE(run.prompter.shown()[0].caption, std::string("ファイル書き込みエラー"));
    QVERIFY(IsDirectory(run.SettingsFile()));
  }

  void CloseWritesTheSettingsAndWindowPositions() {
    Run run;
    DesktopApp& app = run.WithDataFolder().Start();
    app.Tick();
    app.main_frame()->move(30, 40);
    app.main_frame()->resize(900, 700);
    app.main_frame()->message_window()->move(710, 50);
    run.context.settings.call_speed = 6;
    app.main_frame()->ActionFor(kCmdQuit)->trigger();
    QVERIFY(app.finished());
    const IniFile settings = IniFile::Load(run.SettingsFile());
    QCOMPARE(settings.GetInt("Setting", "CallSpeed", 0), 6);
    QCOMPARE(settings.GetInt("KORVMainWindow", "PosLeft", -1), 30);
    QCOMPARE(settings.GetInt("KORVMainWindow", "PosBottom", -1), 740);
    QCOMPARE(settings.GetInt("MapEditWindow", "open", -1), 1);
    QCOMPARE(settings.GetInt("KORVMsgWindow", "PosLeft", -1), 710);
    QCOMPARE(settings.GetInt("KORVMsgWindow", "PosTop", -1), 50);
  }

  void DisplayWindowsReopenAsTheSettingsFileSaysAndKeepTheirLayout() {
    Run run;
    fs::create_directories(run.data_folder);
    IniFile ini;
    ini.SetString("DisplayWindow04", "open", "1");
    ini.SetString("DisplayWindow04", "PosLeft", "99999");
    ini.SetString("DisplayWindow04", "PosTop", "20");
    ini.SetString("DisplayWindow04", "PosRight", "100399");
    ini.SetString("DisplayWindow04", "PosBottom", "320");
    ini.SetString("DisplayWindow07", "open", "0");
    QVERIFY(ini.Save(run.SettingsFile()));
    DesktopApp& app = run.WithDataFolder().Start();
    DisplayWindowSet& windows = app.main_frame()->display_windows();
    QVERIFY(windows.window(0) != nullptr);
    app.Tick();
    QVERIFY(windows.window(4) != nullptr);
    QVERIFY(windows.window(7) == nullptr);
    // Placed so that at least 100 pixels of it stay in view.
    const WindowRect place = windows.section(4).place;
    QVERIFY(place.left < 99999);
    QCOMPARE(place.right - place.left, 400);

    app.main_frame()->ActionFor(kCmdQuit)->trigger();
    QVERIFY(app.finished());
    const IniFile settings = IniFile::Load(run.SettingsFile());
    QCOMPARE(settings.GetInt("DisplayWindow04", "open", -1), 1);
    QCOMPARE(settings.GetInt("DisplayWindow04", "PosLeft", -1), place.left);
    QCOMPARE(settings.GetInt("FontDisplayWindow04", "PointSize", -1), 9);
    QVERIFY(!settings.Find("DisplayWindow00", "open"));
    QCOMPARE(settings.GetInt("DisplayWindow00", "ViewToolBar", -1), 1);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::DesktopAppTest)
#include "desktop_app_test.moc"
