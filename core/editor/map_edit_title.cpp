#include "editor/map_edit_title.h"

#include <initializer_list>

#include "base/text_format.h"
#include "editor/value_names.h"

namespace corvane {

namespace {

struct TitleTexts {
  const char* safety_atc;
  const char* safety_ats;
  const char* edited;
};

constexpr TitleTexts kJapaneseTitle = {"保安装置：ＡＴＣ", "保安装置：ＡＴＳ", "（更新）"};
constexpr TitleTexts kEnglishTitle = {"  <ATC>", "  <ATS>", "(Edited)"};

constexpr std::string_view kCaptionSeparator = " - ";
constexpr std::string_view kTitleSeparator = "  ";

// One title text in both languages; "%s" and "%d" are filled in order.
struct Texts {
  const char* japanese;
  const char* english;
  const char* Pick(bool use_english) const { return use_english ? english : japanese; }
};

// Track tool, by direction 1 (both), 2 (leftward), 3 (rightward).
constexpr Texts kTrackTitles[] = {
    {"%s  ＜線路追加モード（双方向）＞", "%s  <Track Add Mode (Both Directions)>"},
    {"%s  ＜線路追加モード（←方向）＞", "%s  <Track Add Mode (Leftward)>"},
    {"%s  ＜線路追加モード（→方向）＞", "%s  <Track Add Mode (Rightward)>"},
};
constexpr Texts kTurnoutTitle = {"%s  ＜分岐ポイント追加モード＞", "%s  <Turnout Add Mode>"};
constexpr Texts kCrossingTitle = {"%s  ＜交差ポイント追加モード＞", "%s  <Crossing Add Mode>"};
constexpr Texts kStationTitle = {"%s  ＜駅設定モード＞　%s", "%s  <Station Mode>  %s"};
constexpr Texts kStopSectionTitle = {"%s  ＜駅外停車区画設定モード＞　%s",
                                     "%s  <Stop Section Mode>  %s"};
constexpr Texts kStationYardTitle = {"%s  ＜駅構内設定モード＞　%s", "%s  <Station Yard Mode>  %s"};
constexpr Texts kStopSectionYardTitle = {"%s  ＜駅外停車区画構内設定モード＞　%s",
                                         "%s  <Stop Section Yard Mode>  %s"};
constexpr Texts kStationDrawingTitle = {"%s  ＜駅描画追加モード＞　%s",
                                        "%s  <Station Drawing Add Mode>  %s"};
constexpr Texts kJumpTitle = {"%s  ＜追加モード＞", "%s  <Add Mode>"};
constexpr Texts kDeleteTitle = {"%s  ＜削除モード＞", "%s  <Delete Mode>"};
// Selection tool, by kind; the selection count follows.
constexpr Texts kSelectTitles[] = {
    {"%s  ＜個別選択モード＞　%s", "%s  <Individual Selection Mode>  %s"},
    {"%s  ＜一括選択モード＞　%s", "%s  <Batch Selection Mode>  %s"},
    {"%s  ＜範囲選択モード＞　%s", "%s  <Range Selection Mode>  %s"},
};
constexpr Texts kSelectionCount = {"（選択：%dオブジェクト）", "(Selected: %d objects)"};
constexpr Texts kMoveTitle = {"%s  ＜移動モード＞", "%s  <Move Mode>"};
constexpr Texts kDirectionTitles[] = {
    {"%s  ＜進行方向指定モード＞　双方向", "%s  <Direction Mode>  Both Directions"},
    {"%s  ＜進行方向指定モード＞　←方向", "%s  <Direction Mode>  Leftward"},
    {"%s  ＜進行方向指定モード＞　→方向", "%s  <Direction Mode>  Rightward"},
};
constexpr Texts kSingleTrackTitle = {"%s  ＜単線区間指定モード＞", "%s  <Single Track Mode>"};
constexpr Texts kElectricTitle = {"%s  ＜電化方式設定モード＞　%s",
                                  "%s  <Electrification Mode>  %s"};
constexpr Texts kSignalLeftwardTitle = {"%s  ＜信号設定モード（←方向）＞　%s",
                                        "%s  <Signal Mode (Leftward)>  %s"};
constexpr Texts kSignalRightwardTitle = {"%s  ＜信号設定モード（→方向）＞　%s",
                                         "%s  <Signal Mode (Rightward)>  %s"};
constexpr Texts kSpeedLimitTitle = {"%s  ＜制限速度設定モード＞　%dkm/h",
                                    "%s  <Speed Limit Mode>  %dkm/h"};
constexpr Texts kNoSpeedLimitTitle = {"%s  ＜制限速度設定モード＞　制限なし",
                                      "%s  <Speed Limit Mode>  No Limit"};
constexpr Texts kPointSpeedTitle = {"%s  ＜ポイント制限速度設定モード＞",
                                    "%s  <Point Speed Limit Mode>"};
constexpr Texts kLengthTitle = {"%s  ＜線路距離設定モード＞　%dm",
                                "%s  <Track Distance Mode>  %dm"};
constexpr Texts kStopLeftwardTitle = {"%s  ＜停止目標距離設定モード（←方向）＞　%dm",
                                      "%s  <Stop Target Distance Mode (Leftward)>  %dm"};
constexpr Texts kStopRightwardTitle = {"%s  ＜停止目標距離設定モード（→方向）＞　%dm",
                                       "%s  <Stop Target Distance Mode (Rightward)>  %dm"};
constexpr Texts kManualNameTitle = {"%s  ＜名称設定モード＞　←方向：%s　→方向：%s",
                                    "%s  <Name Mode>  Leftward: %s  Rightward: %s"};
constexpr Texts kBlockNameAutoTitle = {"%s  ＜線路名称全自動設定モード＞",
                                       "%s  <Full-Automatic Track Naming Mode>"};
constexpr Texts kBlockNameSemiTitle = {
    "%s  ＜線路名称半自動設定モード＞　←方向：%s　→方向：%s",
    "%s  <Semi-Automatic Track Naming Mode>  Leftward: %s  Rightward: %s"};
constexpr Texts kYardNameTitle = {"%s  ＜構内名称自動設定モード＞　←方向：%s　→方向：%s",
                                  "%s  <Yard Naming Mode>  Leftward: %s  Rightward: %s"};
constexpr Texts kStationNameTitle = {"%s  ＜駅名称自動設定モード＞　←方向：%s　→方向：%s",
                                     "%s  <Station Naming Mode>  Leftward: %s  Rightward: %s"};
constexpr Texts kStopSectionNameTitle = {
    "%s  ＜駅外停車区画名称自動設定モード＞　←方向：%s　→方向：%s",
    "%s  <Stop Section Naming Mode>  Leftward: %s  Rightward: %s"};
constexpr Texts kPropertyTitle = {"%s  ＜線路情報入力モード＞", "%s  <Track Information Mode>"};
constexpr Texts kStartPointTitle = {"%s  ＜起点指定モード＞　起点：%s",
                                    "%s  <Start Point Mode>  Start: %s"};
constexpr Texts kStartPointUnsetTitle = {"%s  ＜起点指定モード＞　起点：未指定",
                                         "%s  <Start Point Mode>  Start: Not Set"};
constexpr Texts kInsertRowsTitle = {"%s  ＜行全体挿入モード＞", "%s  <Row Insert Mode>"};
constexpr Texts kInsertColumnsTitle = {"%s  ＜列全体挿入モード＞", "%s  <Column Insert Mode>"};
constexpr Texts kDeleteRowsTitle = {"%s  ＜行全体削除モード＞", "%s  <Row Delete Mode>"};
constexpr Texts kDeleteColumnsTitle = {"%s  ＜列全体削除モード＞", "%s  <Column Delete Mode>"};

std::string StationName(const EditMap& map, int station) {
  return map.stations.Contains(station) ? map.stations[station].name.Utf8() : std::string();
}

std::string StopSectionName(const EditMap& map, int target) {
  return map.targets.Contains(target) ? map.targets[target].name.Utf8() : std::string();
}

// The title of a naming tool with the leftward and rightward names it sets.
std::string NamesTitle(const Texts& texts, bool english, std::string_view caption,
                       const MapNameEntry& names) {
  return FillIn(texts.Pick(english), {caption, names.name_left.Utf8(), names.name_right.Utf8()});
}

// The naming-table entry an automatic naming tool uses; empty names when the
// entry does not exist.
MapNameEntry NameEntry(const EditMap& map, NameTable table, int entry) {
  const Table<MapNameEntry>& names = map.Names(table);
  return names.Contains(entry) ? names[entry] : MapNameEntry{};
}

// Index 0 to 2 of a value 1 to 3 (track direction), or of a selection kind.
std::size_t Slot(int value, int first) {
  const int slot = value - first;
  return static_cast<std::size_t>(slot < 0 || slot > 2 ? 0 : slot);
}

}  // namespace

std::string MapEditCaption(std::string_view window_name, std::string_view base_name) {
  if (base_name.empty()) return std::string(window_name);
  std::string caption(base_name);
  caption += kCaptionSeparator;
  caption += window_name;
  return caption;
}

std::string MapEditTitle(std::string_view caption, const EditMap& map, bool english) {
  const TitleTexts& texts = english ? kEnglishTitle : kJapaneseTitle;
  std::string title(caption);
  title += kTitleSeparator;
  title += map.settings.safety_device == kSafetyAts ? texts.safety_ats : texts.safety_atc;
  title += kTitleSeparator;
  if (map.modified) title += texts.edited;
  return title;
}

std::string MapEditTitle(std::string_view caption, const EditSession& session, bool english) {
  const EditMap& map = session.map();
  const ToolValues& values = session.tool_values();
  const auto plain = [&](const Texts& texts) { return FillIn(texts.Pick(english), {caption}); };
  const auto with = [&](const Texts& texts, std::string_view value) {
    return FillIn(texts.Pick(english), {caption, value});
  };
  switch (session.mode()) {
    case EditMode::kTrack:
      return plain(kTrackTitles[Slot(session.track_direction(), kBothWays)]);
    case EditMode::kTurnout:
      return plain(kTurnoutTitle);
    case EditMode::kCrossing:
      return plain(kCrossingTitle);
    case EditMode::kStation:
      return with(kStationTitle, StationName(map, session.current_station()));
    case EditMode::kStopSection:
      return with(kStopSectionTitle, StopSectionName(map, session.current_target()));
    case EditMode::kStationYard:
      return with(kStationYardTitle, StationName(map, session.current_station()));
    case EditMode::kStopSectionYard:
      return with(kStopSectionYardTitle, StopSectionName(map, session.current_target()));
    case EditMode::kStationDrawing:
      return with(kStationDrawingTitle, StationName(map, session.current_station()));
    case EditMode::kJump:
      return plain(kJumpTitle);
    case EditMode::kDelete:
      return plain(kDeleteTitle);
    case EditMode::kSelect: {
      const std::string count =
          FillIn(kSelectionCount.Pick(english), {std::to_string(SelectionCount(map))});
      return with(kSelectTitles[Slot(static_cast<int>(session.selection_kind()), 0)], count);
    }
    case EditMode::kMove:
      return plain(kMoveTitle);
    case EditMode::kDirectionBoth:
    case EditMode::kDirectionLeftward:
    case EditMode::kDirectionRightward:
      return plain(kDirectionTitles[Slot(static_cast<int>(session.mode()),
                                         static_cast<int>(EditMode::kDirectionBoth))]);
    case EditMode::kSingleTrack:
      return plain(kSingleTrackTitle);
    case EditMode::kElectric:
      return with(kElectricTitle, ElectricKindName(values.electric, english));
    case EditMode::kSignalLeftward:
      return with(kSignalLeftwardTitle, SignalTypeListName(map, values.signal_type, english));
    case EditMode::kSignalRightward:
      return with(kSignalRightwardTitle, SignalTypeListName(map, values.signal_type, english));
    case EditMode::kSpeedLimit:
      if (values.speed_limit == 0) return plain(kNoSpeedLimitTitle);
      return with(kSpeedLimitTitle, std::to_string(values.speed_limit));
    case EditMode::kPointSpeed:
      return plain(kPointSpeedTitle);
    case EditMode::kLength:
      return with(kLengthTitle, std::to_string(values.distance));
    case EditMode::kStopLeftward:
      return with(kStopLeftwardTitle, std::to_string(values.distance));
    case EditMode::kStopRightward:
      return with(kStopRightwardTitle, std::to_string(values.distance));
    case EditMode::kManualName:
      return NamesTitle(kManualNameTitle, english, caption, values.names);
    case EditMode::kBlockNameAuto:
      return plain(kBlockNameAutoTitle);
    case EditMode::kBlockNameSemi:
      return NamesTitle(kBlockNameSemiTitle, english, caption,
                        NameEntry(map, NameTable::kBlock, values.name_entry));
    case EditMode::kYardName:
      return NamesTitle(kYardNameTitle, english, caption,
                        NameEntry(map, NameTable::kYard, values.name_entry));
    case EditMode::kStationName:
      return NamesTitle(kStationNameTitle, english, caption,
                        NameEntry(map, NameTable::kStation, values.name_entry));
    case EditMode::kStopSectionName:
      return NamesTitle(kStopSectionNameTitle, english, caption,
                        NameEntry(map, NameTable::kTarget, values.name_entry));
    case EditMode::kProperty:
      return plain(kPropertyTitle);
    case EditMode::kStartPoint:
      // The first station the start-point walk reached, else its first stop
      // section.
      if (map.stations.Contains(map.first_station)) {
        return with(kStartPointTitle, StationName(map, map.first_station));
      }
      if (map.targets.Contains(map.first_target)) {
        return with(kStartPointTitle, StopSectionName(map, map.first_target));
      }
      return plain(kStartPointUnsetTitle);
    case EditMode::kInsertRows:
      return plain(kInsertRowsTitle);
    case EditMode::kInsertColumns:
      return plain(kInsertColumnsTitle);
    case EditMode::kDeleteRows:
      return plain(kDeleteRowsTitle);
    case EditMode::kDeleteColumns:
      return plain(kDeleteColumnsTitle);
    case EditMode::kNone:
    case EditMode::kStartDistance:
      break;
  }
  return MapEditTitle(caption, map, english);
}

}  // namespace corvane
