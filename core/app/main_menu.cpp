#include "app/main_menu.h"

#include <utility>

namespace corvane {
namespace {

std::vector<MenuEntry> BuildMainMenu() {
  return {
      Submenu(
          "file", "ファイル(&F)", "File(&F)",
          {
              WithShortcut(MenuCommand(kCmdMapSelect, "マップ選択(&M)", "Select System Map(&M)"),
                           "Ctrl+M"),
              WithShortcut(MenuCommand(kCmdOpenDia, "ダイヤデータを開く(&O)", "Open User Dia(&O)"),
                           "Ctrl+O"),
              WithShortcut(
                  MenuCommand(kCmdSaveDia, "ダイヤデータを上書き保存(&S)", "Write User Dia(&S)"),
                  "Ctrl+S"),
              WithShortcut(MenuCommand(kCmdSaveDiaAs, "ダイヤデータを別名で保存(&A)",
                                       "Write As User Dia(&A)"),
                           "Ctrl+Shift+S"),
              MenuSeparator(),
              MenuCommand(kCmdImport, "データ自動インポート(&I)", "Automatic Data Import(&I)"),
              MenuCommand(kCmdImportWindia, "ダイヤデータインポート(&O)", "Import WinDIA Dia(&O)"),
              MenuCommand(kCmdOpenAnnouncement, "車内放送データを開く(&C)",
                          "Open Announcement Data(&C)"),
              MenuSeparator(),
              MenuCommand(kCmdQuit, "終了(&Q)", "Quit(&Q)"),
          }),
      Submenu("simulate", "シミュレート(&S)", "Simulate(&S)",
              {
                  MenuCommand(kCmdPassengerSimulation, "乗客数シミュレートモード(&P)",
                              "Passenger Simulation Mode(&P)"),
                  CheckableCommand(kCmdInterlockingPanelMode, "継電連動装置操作盤方式(&I)",
                                   "Relay Interlocking Panel Mode(&I)"),
              }),
      Submenu(
          "dia", "ダイヤ(&D)", "Dia(&D)",
          {
              MenuCommand(kCmdStartTime, "開始時刻設定(&M)", "Start Time Setting(&M)"),
              MenuCommand(kCmdUnitTimes, "単位・標準時間設定(&U)",
                          "Unit and Standard Time Setting(&U)"),
              MenuCommand(kCmdTrainTypes, "列車種別設定(&T)", "Train Type Setting(&T)"),
              MenuCommand(kCmdSeries, "形式設定(&R)", "Series Setting(&R)"),
              MenuCommand(kCmdStopTimes, "標準停車時間設定(&W)", "Standard Stop Time Setting(&W)"),
              MenuCommand(kCmdSpeedTypes, "速度種別設定(&V)", "Speed Type Setting(&V)"),
              MenuCommand(kCmdSignalSettings, "信号設定(S)", "Signal Setting(S)"),
              MenuCommand(kCmdDiaProperty, "ダイヤプロパティ(P)", "Dia Property(P)"),
          }),
      Submenu("map", "マップ(&M)", "Map(&M)",
              {
                  CheckableCommand(kCmdRailProperty, "線路プロパティ(&P)",
                                   "Track Section Properties(&P)"),
                  MenuCommand(kCmdElectrificationAll, "電化方式一括設定(&A)",
                              "Electrification Setting for All(&A)"),
                  MenuCommand(kCmdSignalDetail, "信号詳細設定(&S)", "Signal Detail Setting(&S)"),
              }),
      Submenu(
          "options", "オプション(&P)", "Option(&P)",
          {
              MenuCommand(kCmdFont, "フォント設定(&F)", "Font Setting(&F)"),
              MenuCommand(kCmdLineStyles, "線種・配色設定(&L)", "Line and Color Setting(&L)"),
              MenuSeparator(),
              CheckableCommand(kCmdSimpleDisplay, "簡易表示(&M)", "Simple Display(&M)"),
              CheckableCommand(kCmdFullInterlockingDisplay, "継電連動装置完全表示(&I)",
                               "Full Relay Interlocking Display(&I)"),
              CheckableCommand(kCmdTrainIcons, "列車アイコン表示(&C)", "Train Icon Display(&C)"),
              MenuSeparator(),
              CheckableCommand(kCmdInternetConfirmation, "インターネット接続確認(&I)",
                               "Internet Connection Confirmation(&I)"),
              CheckableCommand(kCmdAutoBackup, "自動バックアップ(&B)", "Automatic Backup(&B)"),
          }),
      Submenu(
          "window", "ウインドウ(&W)", "Window(&W)",
          {
              CheckableCommand(kCmdMapEditWindow, "マップ編集ウインドウ(&P)",
                               "Map Edit Window(&P)"),
              CheckableCommand(kCmdMessageWindow, "メッセージウインドウ(&M)", "Message Window(&M)"),
              CheckableCommand(kCmdPassengerWindow, "乗客数設定ウインドウ(&E)",
                               "Passenger Number Window(&E)"),
              MenuCommand(kCmdStationInfo, "駅情報設定ダイアログ(&S)",
                          "Station Information Dialog(&S)"),
          }),
      Submenu(
          "help", "ヘルプ(&H)", "Help(&H)",
          {
              MenuCommand(kCmdHelpLocal, "使用説明（ローカル）(&L)", "Manual (Local)(&L)"),
              MenuCommand(kCmdHelpWeb, "使用説明（インターネット）(&I)", "Manual (Internet)(&I)"),
              MenuCommand(kCmdFaq, "よくある質問・要望(&F)", "FAQ and Requests(&F)"),
              MenuCommand(kCmdEnquete, "アンケート回答(&E)", "Answer the Questionnaire(&E)"),
              MenuCommand(kCmdHomePage, "ホームページ(&H)", "Home Page(&H)"),
              MenuSeparator(),
              MenuCommand(kCmdAbout, "バージョン情報(&A)", "Version Information(&A)"),
          }),
  };
}

// Commands of the simulator's running part (the main window runs as the map
// compiler) and the full interlocking display, which does nothing here.
bool AlwaysDisabled(std::string_view id) {
  return id == kCmdInterlockingPanelMode || id == kCmdSpeedTypes ||
         id == kCmdFullInterlockingDisplay;
}

}  // namespace

const std::vector<MenuEntry>& MainMenu() {
  static const std::vector<MenuEntry> menu = BuildMainMenu();
  return menu;
}

std::set<std::string, std::less<>> AvailableMainCommands() {
  std::set<std::string, std::less<>> available = {
      kCmdMapSelect,     kCmdOpenDia,       kCmdSaveDia,
      kCmdSaveDiaAs,     kCmdQuit,          kCmdPassengerSimulation,
      kCmdRailProperty,  kCmdFont,          kCmdLineStyles,
      kCmdSimpleDisplay, kCmdTrainIcons,    kCmdInternetConfirmation,
      kCmdAutoBackup,    kCmdMapEditWindow, kCmdMessageWindow,
      kCmdHelpLocal,     kCmdHelpWeb,       kCmdFaq,
      kCmdEnquete,       kCmdHomePage,      kCmdAbout,
      kCmdSeries,        kCmdImport,        kCmdImportWindia,
      kCmdTrainTypes};
  // The dialogs on the loaded dia data.
  available.insert({kCmdStartTime, kCmdDiaProperty, kCmdElectrificationAll});
  available.insert({kCmdUnitTimes, kCmdSignalSettings, kCmdSignalDetail});
  available.insert(kCmdStopTimes);
  // The passenger number window.
  available.insert(kCmdPassengerWindow);
  // The station dialogs.
  available.insert(kCmdStationInfo);
  return available;
}

MenuState MainMenuState(const MainMenuInputs& inputs) {
  const std::pair<const char*, bool> checks[] = {
      {kCmdMapEditWindow, inputs.map_edit_window_open},
      {kCmdMessageWindow, inputs.message_window_open},
      {kCmdPassengerWindow, inputs.passenger_window_open},
      {kCmdInternetConfirmation, inputs.internet_confirmation},
      {kCmdAutoBackup, inputs.auto_backup},
      {kCmdSimpleDisplay, inputs.simple_display},
      {kCmdTrainIcons, inputs.train_icons},
      {kCmdRailProperty, inputs.rail_property_mode},
  };
  MenuState state;
  for (const std::string& id : CommandIds(MainMenu())) {
    CommandState& command = state.commands[id];
    command.enabled = !AlwaysDisabled(id) && inputs.available.count(id) > 0;
  }
  for (const auto& [id, checked] : checks) state.commands[id].checked = checked;
  return state;
}

std::optional<WebPage> WebPageForCommand(std::string_view id) {
  if (id == kCmdHelpWeb) return WebPage::kHelp;
  if (id == kCmdFaq) return WebPage::kFaq;
  if (id == kCmdEnquete) return WebPage::kEnquete;
  if (id == kCmdHomePage) return WebPage::kTop;
  return std::nullopt;
}

}  // namespace corvane
