#include "app/main_menu.h"

#include <utility>

#include "editor/edit_map.h"

namespace corvane {
namespace {

MenuEntry Command(const char* id, const char* japanese, const char* english) {
  MenuEntry entry;
  entry.id = id;
  entry.japanese = japanese;
  entry.english = english;
  return entry;
}

MenuEntry Checkable(const char* id, const char* japanese, const char* english) {
  MenuEntry entry = Command(id, japanese, english);
  entry.checkable = true;
  return entry;
}

// A tool of the map edit window: checked while active, with its letter key.
MenuEntry Tool(const char* id, const char* japanese, const char* english,
               const char* shortcut = "") {
  MenuEntry entry = Checkable(id, japanese, english);
  entry.shortcut = shortcut;
  return entry;
}

MenuEntry Separator() {
  MenuEntry entry;
  entry.separator = true;
  return entry;
}

MenuEntry Menu(const char* id, const char* japanese, const char* english,
               std::vector<MenuEntry> children) {
  MenuEntry entry = Command(id, japanese, english);
  entry.children = std::move(children);
  return entry;
}

std::vector<MenuEntry> BuildMainMenu() {
  return {
      Menu("file", "ファイル(&F)", "File(&F)",
           {
               Command(kCmdMapSelect, "マップ選択(&M)", "Select System Map(&M)"),
               Command(kCmdOpenDia, "ダイヤデータを開く(&O)", "Open User Dia(&O)"),
               Command(kCmdSaveDia, "ダイヤデータを上書き保存(&S)", "Write User Dia(&S)"),
               Command(kCmdSaveDiaAs, "ダイヤデータを別名で保存(&A)", "Write As User Dia(&A)"),
               Separator(),
               Command(kCmdImport, "データ自動インポート(&I)", "Automatic Data Import(&I)"),
               Command(kCmdOpenAnnouncement, "車内放送データを開く(&C)",
                       "Open Announcement Data(&C)"),
               Separator(),
               Command(kCmdQuit, "終了(&Q)", "Quit(&Q)"),
           }),
      Menu("simulate", "シミュレート(&S)", "Simulate(&S)",
           {
               Command(kCmdPassengerSimulation, "乗客数シミュレートモード(&P)",
                       "Passenger Simulation Mode(&P)"),
               Checkable(kCmdInterlockingPanelMode, "継電連動装置操作盤方式(&I)",
                         "Relay Interlocking Panel Mode(&I)"),
           }),
      Menu("dia", "ダイヤ(&D)", "Dia(&D)",
           {
               Command(kCmdStartTime, "開始時刻設定(&M)", "Start Time Setting(&M)"),
               Command(kCmdUnitTimes, "単位・標準時間設定(&U)",
                       "Unit and Standard Time Setting(&U)"),
               Command(kCmdTrainTypes, "列車種別設定(&T)", "Train Type Setting(&T)"),
               Command(kCmdSeries, "形式設定(&R)", "Series Setting(&R)"),
               Command(kCmdStopTimes, "標準停車時間設定(&W)", "Standard Stop Time Setting(&W)"),
               Command(kCmdSpeedTypes, "速度種別設定(&V)", "Speed Type Setting(&V)"),
               Command(kCmdSignalSettings, "信号設定(S)", "Signal Setting(S)"),
               Command(kCmdDiaProperty, "ダイヤプロパティ(P)", "Dia Property(P)"),
           }),
      Menu("map", "マップ(&M)", "Map(&M)",
           {
               Checkable(kCmdRailProperty, "線路プロパティ(&P)", "Rail Property(&P)"),
               Command(kCmdElectrificationAll, "電化方式一括設定(&A)",
                       "Electrification Setting for All(&A)"),
               Command(kCmdSignalDetail, "信号詳細設定(&S)", "Signal Detail Setting(&S)"),
           }),
      Menu("options", "オプション(&P)", "Option(&P)",
           {
               Command(kCmdFont, "フォント設定(&F)", "Font Setting(&F)"),
               Command(kCmdLineStyles, "線種・配色設定(&L)", "Line and Color Setting(&L)"),
               Separator(),
               Checkable(kCmdSimpleDisplay, "簡易表示(&M)", "Simple Display(&M)"),
               Checkable(kCmdFullInterlockingDisplay, "継電連動装置完全表示(&I)",
                         "Full Relay Interlocking Display(&I)"),
               Checkable(kCmdTrainIcons, "列車アイコン表示(&C)", "Train Icon Display(&C)"),
               Separator(),
               Checkable(kCmdInternetConfirmation, "インターネット接続確認(&I)",
                         "Internet Connection Confirmation(&I)"),
               Checkable(kCmdAutoBackup, "自動バックアップ(&B)", "Automatic Backup(&B)"),
           }),
      Menu("window", "ウインドウ(&W)", "Window(&W)",
           {
               Checkable(kCmdMessageWindow, "メッセージウインドウ(&M)", "Message Window(&M)"),
               Checkable(kCmdPassengerWindow, "乗客数設定ウインドウ(&E)",
                         "Passenger Number Window(&E)"),
               Command(kCmdStationInfo, "駅情報設定ダイアログ(&S)",
                       "Station Information Dialog(&S)"),
           }),
      Menu("help", "ヘルプ(&H)", "Help(&H)",
           {
               Command(kCmdHelpLocal, "使用説明（ローカル）(&L)", "Manual (Local)(&L)"),
               Command(kCmdHelpWeb, "使用説明（インターネット）(&I)", "Manual (Internet)(&I)"),
               Command(kCmdFaq, "よくある質問・要望(&F)", "FAQ and Requests(&F)"),
               Command(kCmdEnquete, "アンケート回答(&E)", "Answer the Questionnaire(&E)"),
               Command(kCmdHomePage, "ホームページ(&H)", "Home Page(&H)"),
               Separator(),
               Command(kCmdAbout, "バージョン情報(&A)", "Version Information(&A)"),
           }),
  };
}

std::vector<MenuEntry> BuildMapEditFileMenu() {
  return {
      Menu("map_edit.file", "ファイル(&F)", "File(&F)",
           {
               Command(kCmdNewMap, "新規マップ(&N)", "New Map(&N)"),
               Command(kCmdOpenMap, "マップデータを開く(&O)", "Open Map File(&O)"),
               Command(kCmdSaveMap, "マップデータを上書き保存(&S)", "Write Map File(&S)"),
               Command(kCmdSaveMapAs, "マップデータを別名で保存(&A)", "Write As Map File(&A)"),
           }),
  };
}

std::vector<MenuEntry> BuildMapEditToolMenus() {
  return {
      Menu("map_edit.edit", "編集(&E)", "Edit(&E)",
           {
               Tool(kCmdTrackBoth, "線路設置（双方向）(&B)", "Track, Both Directions(&B)", "R"),
               Tool(kCmdTrackLeftward, "線路設置（←方向）(&L)", "Track, Leftward(&L)"),
               Tool(kCmdTrackRightward, "線路設置（→方向）(&R)", "Track, Rightward(&R)"),
               Tool(kCmdTurnout, "分岐設置(&P)", "Turnout(&P)", "P"),
               Tool(kCmdCrossing, "交差設置(&C)", "Crossing(&C)", "C"),
               Separator(),
               Tool(kCmdStation, "駅設定(&S)", "Station(&S)", "S"),
               Tool(kCmdStopSection, "停車区画設定(&T)", "Stop Section(&T)", "T"),
               Tool(kCmdStationYard, "駅構内設定(&Y)", "Station Yard(&Y)"),
               Tool(kCmdStopSectionYard, "停車区画構内設定(&U)", "Stop Section Yard(&U)"),
               Tool(kCmdStationDrawing, "駅描画設置(&W)", "Station Drawing(&W)", "W"),
               Tool(kCmdJump, "ジャンプ設置(&J)", "Jump(&J)", "J"),
               Separator(),
               Tool(kCmdDelete, "削除(&D)", "Delete(&D)", "D"),
               Tool(kCmdProperty, "線路プロパティ(&I)", "Rail Property(&I)"),
               Separator(),
               Tool(kCmdSelectIndividual, "個別選択(&O)", "Individual Selection(&O)", "O"),
               Tool(kCmdSelectBatch, "一括選択(&G)", "Batch Selection(&G)", "G"),
               Tool(kCmdSelectRange, "範囲選択(&A)", "Range Selection(&A)", "Space"),
               Tool(kCmdMove, "移動(&M)", "Move(&M)", "M"),
           }),
      Menu("map_edit.view", "表示(&V)", "View(&V)",
           {
               Tool(kCmdErrorDisplay, "エラー表示(&E)", "Error Display(&E)", "E"),
           }),
  };
}

// What a tool command of the map edit window does.
enum class EditToolAction {
  kChooseMode,          // choose `mode`
  kChooseTrack,         // the track tool with `direction`
  kChooseSelection,     // the selection tool of `selection`
  kToggleMove,          // into the move tool and back
  kToggleErrorDisplay,  // error display on and off
};

struct EditToolCommand {
  EditToolAction action = EditToolAction::kChooseMode;
  EditMode mode = EditMode::kNone;
  int direction = 0;  // track tool
  SelectionKind selection = SelectionKind::kIndividual;
};

struct ToolCommandEntry {
  const char* id;
  EditToolCommand command;
};

constexpr EditToolCommand ChooseMode(EditMode mode) {
  return {EditToolAction::kChooseMode, mode, 0, SelectionKind::kIndividual};
}
constexpr EditToolCommand ChooseTrack(int direction) {
  return {EditToolAction::kChooseTrack, EditMode::kTrack, direction, SelectionKind::kIndividual};
}
constexpr EditToolCommand ChooseSelection(SelectionKind kind) {
  return {EditToolAction::kChooseSelection, EditMode::kSelect, 0, kind};
}

constexpr ToolCommandEntry kToolCommands[] = {
    {kCmdTrackBoth, ChooseTrack(kBothWays)},
    {kCmdTrackLeftward, ChooseTrack(kLeftwardOnly)},
    {kCmdTrackRightward, ChooseTrack(kRightwardOnly)},
    {kCmdTurnout, ChooseMode(EditMode::kTurnout)},
    {kCmdCrossing, ChooseMode(EditMode::kCrossing)},
    {kCmdStation, ChooseMode(EditMode::kStation)},
    {kCmdStopSection, ChooseMode(EditMode::kStopSection)},
    {kCmdStationYard, ChooseMode(EditMode::kStationYard)},
    {kCmdStopSectionYard, ChooseMode(EditMode::kStopSectionYard)},
    {kCmdStationDrawing, ChooseMode(EditMode::kStationDrawing)},
    {kCmdJump, ChooseMode(EditMode::kJump)},
    {kCmdDelete, ChooseMode(EditMode::kDelete)},
    {kCmdProperty, ChooseMode(EditMode::kProperty)},
    {kCmdSelectIndividual, ChooseSelection(SelectionKind::kIndividual)},
    {kCmdSelectBatch, ChooseSelection(SelectionKind::kBatch)},
    {kCmdSelectRange, ChooseSelection(SelectionKind::kRange)},
    {kCmdMove, {EditToolAction::kToggleMove, EditMode::kMove, 0, SelectionKind::kIndividual}},
    {kCmdErrorDisplay,
     {EditToolAction::kToggleErrorDisplay, EditMode::kNone, 0, SelectionKind::kIndividual}},
};

// Whether the tool command is the active tool, or the error display is on.
bool ToolChecked(const EditToolCommand& command, const EditSession& session) {
  switch (command.action) {
    case EditToolAction::kChooseMode:
    case EditToolAction::kToggleMove:
      return session.mode() == command.mode;
    case EditToolAction::kChooseTrack:
      return session.mode() == EditMode::kTrack && session.track_direction() == command.direction;
    case EditToolAction::kChooseSelection:
      return session.mode() == EditMode::kSelect && session.selection_kind() == command.selection;
    case EditToolAction::kToggleErrorDisplay:
      return session.error_display();
  }
  return false;
}

const EditToolCommand* FindToolCommand(std::string_view id) {
  for (const ToolCommandEntry& entry : kToolCommands) {
    if (id == entry.id) return &entry.command;
  }
  return nullptr;
}

void CollectCommandIds(const std::vector<MenuEntry>& tree, std::vector<std::string>* ids) {
  for (const MenuEntry& entry : tree) {
    if (entry.separator) continue;
    if (entry.IsMenu()) {
      CollectCommandIds(entry.children, ids);
    } else {
      ids->push_back(entry.id);
    }
  }
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

const std::vector<MenuEntry>& MapEditFileMenu() {
  static const std::vector<MenuEntry> menu = BuildMapEditFileMenu();
  return menu;
}

const std::vector<MenuEntry>& MapEditToolMenus() {
  static const std::vector<MenuEntry> menu = BuildMapEditToolMenus();
  return menu;
}

KeyResult RunEditToolCommand(std::string_view id, EditSession& session) {
  KeyResult result;
  const EditToolCommand* command = FindToolCommand(id);
  if (command == nullptr || !session.map_open()) return result;
  result.handled = true;
  switch (command->action) {
    case EditToolAction::kChooseMode:
      session.ChooseMode(command->mode);
      break;
    case EditToolAction::kChooseTrack:
      session.ChooseTrackTool(command->direction);
      break;
    case EditToolAction::kChooseSelection:
      session.ChooseSelection(command->selection);
      break;
    case EditToolAction::kToggleMove:
      session.ToggleMove();
      break;
    case EditToolAction::kToggleErrorDisplay:
      result.clear_check_messages = session.ToggleErrorDisplay();
      break;
  }
  return result;
}

MenuState MapEditMenuState(const EditSession& session) {
  MenuState state;
  for (const ToolCommandEntry& entry : kToolCommands) {
    CommandState& command = state.commands[entry.id];
    command.enabled = session.map_open();
    command.checked = ToolChecked(entry.command, session);
  }
  return state;
}

const MenuEntry* FindMenuEntry(const std::vector<MenuEntry>& tree, std::string_view id) {
  if (id.empty()) return nullptr;
  for (const MenuEntry& entry : tree) {
    if (entry.id == id) return &entry;
    if (const MenuEntry* found = FindMenuEntry(entry.children, id)) return found;
  }
  return nullptr;
}

std::vector<std::string> CommandIds(const std::vector<MenuEntry>& tree) {
  std::vector<std::string> ids;
  CollectCommandIds(tree, &ids);
  return ids;
}

std::set<std::string, std::less<>> AvailableMainCommands() {
  return {kCmdQuit,
          kCmdPassengerSimulation,
          kCmdInternetConfirmation,
          kCmdAutoBackup,
          kCmdMessageWindow,
          kCmdHelpLocal,
          kCmdHelpWeb,
          kCmdFaq,
          kCmdEnquete,
          kCmdHomePage,
          kCmdAbout};
}

CommandState MenuState::Of(std::string_view id) const {
  const auto found = commands.find(id);
  return found == commands.end() ? CommandState{} : found->second;
}

MenuState MainMenuState(const MainMenuInputs& inputs) {
  const std::pair<const char*, bool> checks[] = {
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
