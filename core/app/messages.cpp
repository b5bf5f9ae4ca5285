#include "app/messages.h"

#include <array>
#include <cstddef>

#include "base/text_format.h"
#include "board/train_state.h"

namespace corvane {
namespace {

struct Twin {
  const char* japanese;
  const char* english;
};

const char* Pick(const Twin& twin, bool english) { return english ? twin.english : twin.japanese; }

constexpr Twin StateTwin(int state) {
  const Bilingual& texts = kTrainStateTexts[state - kFirstTableState];
  return {texts.japanese, texts.english};
}

// In the order of MsgId.
constexpr std::array<Twin, kMsgIdCount> kMessages = {{
    {"%s\n現在のダイヤは変更されています。\n現在のデータを保存しますか？",
     "%s\nThe dia has been changed.\nDo you save the dia?"},
    {"終了します。", "Quit."},
    {"終了確認", "Confirmation of Quiting"},
    {"マップデータを開きます。", "Open map."},
    {"ダイヤデータを開きます。", "Open dia."},
    {"読み込み確認", "Confirmation of Opening"},
    {"抑止", "Susp"},
    // The train states of the board's state table, codes 5..12 and 14..16.
    StateTwin(5),
    StateTwin(6),
    StateTwin(7),
    StateTwin(8),
    StateTwin(9),
    StateTwin(10),
    StateTwin(11),
    StateTwin(12),
    StateTwin(14),
    StateTwin(15),
    StateTwin(16),
}};

struct FilterEntry {
  Twin filter;
  const char* default_extension;
};

// In the order of FilterUse.
constexpr FilterEntry kFilters[] = {
    {{"ダイヤデータ(*.kvb)|*.kvb|旧ダイヤデータ(*.kvp)|*.kvp|旧ダイヤデータ(*.kvd)|*.kvd||",
      "Dia Data(*.kvb)|*.kvb|Old Dia Data(*.kvp)|*.kvp|Old Dia Data(*.kvd)|*.kvd||"},
     "kvb"},
    {{"ダイヤデータ(*.kvb)|*.kvb|旧ダイヤデータ(*.kvp)|*.kvp||",
      "Dia Data(*.kvb)|*.kvb|Old Dia Data(*.kvp)|*.kvp||"},
     "kvb"},
    {{"ダイヤデータ(*.kvb)|*.kvb||", "Dia Data(*.kvb)|*.kvb||"}, "kvb"},
    {{"ダイヤデータ(*.kvw)|*.kvw||", "Dia Data(*.kvw)|*.kvw||"}, "kvw"},
    {{"実行中データ(*.kve)|*.kve||", "Executed Data(*.kve)|*.kve||"}, "kve"},
    {{"テキスト形式ログファイル(*.log)|*.log|ＣＳＶ形式ログファイル(*.csv)|*.csv||",
      "Text Log File(*.log)|*.log|CSV Log File(*.csv)|*.csv||"},
     "log"},
    {{"インポート情報データ(*.kvi)|*.kvi||", "Import Information Data(*.kvi)|*.kvi||"}, "kvi"},
    {{"車内放送データ(*.kvc)|*.kvc|旧車内放送データ(*.ini)|*.ini||",
      "Announcement Data(*.kvc)|*.kvc|Old Announcement Data(*.ini)|*.ini||"},
     "kvc"},
    {{"マップデータ(*.kvm)|*.kvm||", "Map Data(*.kvm)|*.kvm||"}, "kvm"},
    {{"ダイヤデータファイル(*.dia)|*.dia||", "Dia Data File(*.dia)|*.dia||"}, "dia"},
};
static_assert(std::size(kFilters) == static_cast<std::size_t>(FilterUse::kWindia) + 1);

// Ids 1..16 in order.
constexpr std::array<Twin, kWindowTitleCount> kWindowTitles = {{
    {"メッセージウインドウ", "Message Window"},
    {"時刻表ウインドウ", "Timatable Window"},
    {"ダイヤグラムウインドウ", "Diagram Window"},
    {"ダイヤ編集ウインドウ", "Diaedit Window"},
    {"乗車ウインドウ", "Board Window"},
    {"列車情報ウインドウ", "Train Infomation Window"},
    {"状態一覧ウインドウ", "Status Window"},
    {"乗客数設定ウインドウ", "Passneger Edit Window"},
    {"輸送断面ウインドウ", "Passenger Graph Window"},
    {"ログウインドウ", "Log Window"},
    {"運行管理盤ウインドウ", "Operation Window"},
    {"鉄道運行管理シミュレータ「Corvane」", "Railway Traffic Control Simulator \"Corvane\""},
    {"Corvaneマップコンパイラ", "Corvane Map Compiler"},
    {"Corvaneダイヤビューア", "Corvane Dia Viewer"},
    {"マップ編集ウインドウ", "Map Edit Window"},
    {"「Corvane」", "\"Corvane\""},
}};

}  // namespace

const char* Message(MsgId id, bool english) {
  if (id < 0 || id >= kMsgIdCount) return "";
  return Pick(kMessages[static_cast<std::size_t>(id)], english);
}

DiaChangedPrompt ComposeDiaChangedPrompt(MsgId action, bool english) {
  DiaChangedPrompt prompt;
  prompt.text = FillIn(Message(MsgDiaChanged, english), {Message(action, english)});
  prompt.caption = Message(action == MsgQuit ? MsgQuitCaption : MsgOpenCaption, english);
  return prompt;
}

DialogFilter FilterFor(FilterUse use, bool english) {
  const FilterEntry& entry = kFilters[static_cast<std::size_t>(use)];
  return {Pick(entry.filter, english), entry.default_extension};
}

std::vector<FileFilter> ParseFilter(std::string_view filter) {
  std::vector<FileFilter> pairs;
  std::vector<std::string_view> pieces;
  while (!filter.empty()) {
    const std::size_t bar = filter.find('|');
    const std::string_view piece = filter.substr(0, bar);
    // An empty piece is the doubled bar that ends the list.
    if (piece.empty()) break;
    pieces.push_back(piece);
    if (bar == std::string_view::npos) break;
    filter.remove_prefix(bar + 1);
  }
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
    pairs.push_back({std::string(pieces[i]), std::string(pieces[i + 1])});
  }
  return pairs;
}

std::vector<std::string> SplitPatterns(std::string_view pattern) {
  std::vector<std::string> patterns;
  while (true) {
    const std::size_t semicolon = pattern.find(';');
    std::string_view one = pattern.substr(0, semicolon);
    while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
    while (!one.empty() && one.back() == ' ') one.remove_suffix(1);
    if (!one.empty()) patterns.emplace_back(one);
    if (semicolon == std::string_view::npos) break;
    pattern.remove_prefix(semicolon + 1);
  }
  return patterns;
}

const char* UpSuffix(bool english) { return english ? "(Up)" : "（上り）"; }
const char* DownSuffix(bool english) { return english ? "(Dn)" : "（下り）"; }

const char* WindowTitleText(WindowTitle id, bool english) {
  const int number = static_cast<int>(id);
  if (number < 1 || number > kWindowTitleCount) return "";
  return Pick(kWindowTitles[static_cast<std::size_t>(number - 1)], english);
}

std::string MainWindowTitle(std::string_view map_name, bool english) {
  std::string title = WindowTitleText(WindowTitle::kMapCompilerTitle, english);
  if (!map_name.empty()) {
    title += " - ";
    title += map_name;
  }
  return title;
}

}  // namespace corvane
