#include "editor/rail_info_dialog.h"

#include <cstdint>
#include <cstdio>

#include "base/encoding.h"
#include "base/member_text.h"
#include "editor/value_names.h"
#include "map/map_transforms.h"
#include "map/point_keys.h"

namespace corvane {

namespace {

constexpr Bilingual kLeftward{"←方向", "Leftward"};
constexpr Bilingual kRightward{"→方向", "Rightward"};
constexpr Bilingual kDetailGroup{"詳細設定", "Details"};

constexpr const char kOperationCaption[] = "操作エラー";
constexpr const char kSpeedNotPositive[] = "制限速度は、正の値でなければなりません。\n";
constexpr const char kLengthNotPositive[] = "区間距離は、正の値でなければなりません。\n";
constexpr const char kNoStopTarget[] = "停止目標距離が設定されていません。\n";
constexpr const char kStopTooSmall[] = "停止目標距離が小さすぎます。\n";
constexpr const char kStopTooLarge[] = "停止目標距離が大きすぎます。\n";
constexpr const char kGradientInStation[] =
    "停車区画に勾配を設定すると正しく発車や停車ができない場合があります。\nよろしいですか？";
constexpr const char kGradientCaption[] = "設定確認";
constexpr const char kNothingSelected[] = "置換する項目が選択されていません。\n";

// The smallest distance of a stop target from either end of the segment.
constexpr int kStopMargin = 5;

// The combined list's item for a station or stop section reference (-1 for
// one that names no record).
int CombinedItem(const EditMap& map, int station, int target) {
  if (station != 0) return map.stations().Contains(station) ? station : -1;
  if (target != 0) return map.targets().Contains(target) ? map.stations().count() + target : -1;
  return 0;
}

// The station and stop section a combined list's item stands for; nothing
// selected keeps them.
void FromCombinedItem(const EditMap& map, int item, int* station, int* target) {
  if (item < 0) return;
  const int stations = map.stations().count();
  *station = item >= 1 && item <= stations ? item : 0;
  *target = item > stations ? item - stations : 0;
}

std::vector<std::string> ElectricList(bool english) {
  std::vector<std::string> items;
  for (int kind = 0; kind < kElectricKindCount; ++kind) {
    items.emplace_back(ElectricKindName(kind, english));
  }
  return items;
}

}  // namespace

std::vector<std::string> CombinedStationList(const EditMap& map, bool english) {
  std::vector<std::string> items = {english ? "(Outside Stations)" : "（駅外）"};
  for (const MapStation& station : map.stations()) items.push_back(station.name.Utf8());
  for (const MapTarget& target : map.targets()) items.push_back(target.name.Utf8());
  return items;
}

std::string DetailLine(const MapDetail& detail) {
  char line[128];
  if (detail.speed == 0) {
    std::snprintf(line, sizeof line, "%dm-%dm:---km/h %d‰ %dm", detail.start, detail.end,
                  detail.gradient, detail.radius);
  } else {
    std::snprintf(line, sizeof line, "%dm-%dm:%3dkm/h %d‰ %dm", detail.start, detail.end,
                  detail.speed, detail.gradient, detail.radius);
  }
  return line;
}

RailInfoDialog::RailInfoDialog(const EditMap& map, int index, bool point, bool english)
    : map_(map), index_(index), is_point_(point) {
  if (is_point_) {
    point_ = map.points()[index];
  } else {
    rail_ = map.rails()[index];
    stop_left_ = rail_.stop_left;
    stop_right_ = rail_.stop_right;
  }
  length_when_opened_ = is_point_ ? point_.length : rail_.length;
  details_.assign(map.details().begin(), map.details().end());
  ok_label_ = {"OK", "OK"};
  BuildFields(english);
  UpdateStopTargets();
  UpdateDetailList();
}

std::string RailInfoDialog::Title(bool english) const {
  return english ? "Track Section Properties" : "線路情報入力";
}

void RailInfoDialog::BuildFields(bool english) {
  const std::vector<std::string> stations = CombinedStationList(map_, english);
  const std::vector<std::string> signals = SignalList(map_.signal_types(), english);
  if (is_point_) {
    const MapPoint& p = point_;
    Add(ChoiceField("station", {"駅", "Station"}, {stations.front()}, 0)).enabled = false;
    Add(ChoiceField("yard", {"駅構内", "Station Yard"}, stations,
                    CombinedItem(map_, p.yard_station, p.yard_target)));
    Add(ChoiceField("electric", {"電化", "Electrification"}, ElectricList(english), p.electric));
    Add(MakeField("single_track", {"単線区間指定", "Single Track"}, FieldKind::kCheck)).enabled =
        false;
  } else {
    const MapRail& r = rail_;
    Add(ChoiceField("station", {"駅", "Station"}, stations,
                    CombinedItem(map_, r.station, r.target)));
    Add(ChoiceField("yard", {"駅構内", "Station Yard"}, stations,
                    CombinedItem(map_, r.yard_station, r.yard_target)));
    Add(ChoiceField("electric", {"電化", "Electrification"}, ElectricList(english), r.electric));
    Add(MakeField("single_track", {"単線区間指定", "Single Track"}, FieldKind::kCheck)).checked =
        r.single_track != 0;
  }
  const int speed = is_point_ ? point_.speed_limit : rail_.speed_limit;
  Add(NumberField("length", {"区間距離", "Length"}, length_when_opened_));
  DialogField& speed_field =
      Add(MakeField("speed", {"制限速度", "Speed Limit"}, FieldKind::kCheckedNumber));
  speed_field.checked = speed != 0;
  speed_field.text = speed != 0 ? std::to_string(speed) : "";
  Add(NumberField("gradient", {"→方向勾配", "Rightward Gradient"}, is_point_ ? 0 : rail_.gradient))
      .enabled = !is_point_;
  Add(NumberField("radius", {"半径", "Radius"}, is_point_ ? 0 : rail_.radius)).enabled = !is_point_;

  const auto& short_left = is_point_ ? point_.short_left : rail_.short_left;
  const auto& name_left = is_point_ ? point_.name_left : rail_.name_left;
  const auto& short_right = is_point_ ? point_.short_right : rail_.short_right;
  const auto& name_right = is_point_ ? point_.name_right : rail_.name_right;
  const int signal_left = is_point_ ? point_.signal_left : rail_.signal_left;
  const int signal_right = is_point_ ? point_.signal_right : rail_.signal_right;
  for (const bool leftward : {true, false}) {
    const Bilingual group = leftward ? kLeftward : kRightward;
    const std::string prefix = leftward ? "←" : "→";
    // The rightward group stands beside the leftward one.
    const GroupPlace place = leftward ? GroupPlace::kBelow : GroupPlace::kBeside;
    const bool enabled = DirectionEnabled(leftward);
    const std::string side = leftward ? "_left" : "_right";
    auto add = [&](DialogField field, bool field_enabled) {
      field.id += side;
      field.enabled = field_enabled;
      Add(InGroup(std::move(field), group, prefix, place));
    };
    add(TextField("short", {"略記名称", "Abbreviation"}, ShortText::kCapacity,
                  (leftward ? short_left : short_right).Utf8()),
        enabled);
    add(TextField("name", {"名称", "Name"}, LongText::kCapacity,
                  (leftward ? name_left : name_right).Utf8()),
        enabled);
    add(NumberField("stop", {"停止目標距離", "Stop Target"}, 0), enabled && !is_point_);
    add(ChoiceField("signal", {"信号", "Signal"}, signals, leftward ? signal_left : signal_right),
        enabled || is_point_);
  }
  Add(TextField("point_key", {"ポイント", "Point"}, ShortText::kCapacity,
                is_point_ ? point_.point_key.Utf8() : std::string()))
      .enabled = is_point_;

  DialogField list = MakeField("details", {"詳細設定", "Details"}, FieldKind::kList);
  list.group = kDetailGroup;
  Add(std::move(list));
  Add(InGroup(NumberField("detail_start", {"開始位置", "Start"}, 0), kDetailGroup, ""));
  Add(InGroup(NumberField("detail_end", {"終了位置", "End"}, length_when_opened_), kDetailGroup,
              ""));
  Add(InGroup(MakeField("detail_speed", {"制限速度", "Speed Limit"}, FieldKind::kCheckedNumber),
              kDetailGroup, "詳細"));
  Add(InGroup(NumberField("detail_gradient", {"勾配", "Gradient"}, 0), kDetailGroup, "詳細"))
      .enabled = !is_point_;
  Add(InGroup(NumberField("detail_radius", {"半径", "Radius"}, 0), kDetailGroup, "詳細")).enabled =
      !is_point_;
  AddButton("add", {"追加(&A)", "Add(&A)"});
  AddButton("replace", {"置換(&R)", "Replace(&R)"});
  AddButton("delete", {"削除(&D)", "Delete(&D)"});
}

bool RailInfoDialog::DirectionEnabled(bool leftward) const {
  if (is_point_) return true;
  return leftward ? AllowsLeftward(rail_.direction) : AllowsRightward(rail_.direction);
}

bool RailInfoDialog::InStation() const {
  const DialogField* station = Find("station");
  return !is_point_ && station != nullptr && station->item > 0;
}

void RailInfoDialog::UpdateStopTargets() {
  const bool shown = InStation();
  for (const bool leftward : {true, false}) {
    DialogField& field = *Find(leftward ? "stop_left" : "stop_right");
    field.enabled = shown && DirectionEnabled(leftward);
    field.text = shown ? std::to_string(leftward ? stop_left_ : stop_right_) : "";
  }
}

void RailInfoDialog::UpdateDetailList() {
  DialogField& list = *Find("details");
  shown_details_.clear();
  list.items.clear();
  for (std::size_t i = 0; i < details_.size(); ++i) {
    const MapDetail& detail = details_[i];
    const bool mine = is_point_ ? detail.point == index_ && detail.rail == 0
                                : detail.rail == index_ && detail.point == 0;
    if (!mine) continue;
    shown_details_.push_back(static_cast<int>(i));
    list.items.push_back(DetailLine(detail));
  }
  if (list.item >= static_cast<int>(list.items.size())) list.item = -1;
  EnableButton("replace", list.item >= 0);
  EnableButton("delete", list.item >= 0);
}

int RailInfoDialog::selected_detail() const {
  const DialogField* list = Find("details");
  return list->item >= 0 ? shown_details_[static_cast<std::size_t>(list->item)] : -1;
}

void RailInfoDialog::Changed(const std::string& id) {
  if (id == "station") {
    UpdateStopTargets();
  } else if (id == "stop_left" || id == "stop_right") {
    (id == "stop_left" ? stop_left_ : stop_right_) = NumberOf(id);
  } else if (id == "details") {
    UpdateDetailList();
    const int selected = selected_detail();
    if (selected < 0) return;
    const MapDetail& detail = details_[static_cast<std::size_t>(selected)];
    Find("detail_start")->text = std::to_string(detail.start);
    Find("detail_end")->text = std::to_string(detail.end);
    DialogField& speed = *Find("detail_speed");
    speed.checked = detail.speed != 0;
    speed.text = detail.speed != 0 ? std::to_string(detail.speed) : "";
    Find("detail_gradient")->text = std::to_string(detail.gradient);
    Find("detail_radius")->text = std::to_string(detail.radius);
  }
}

bool RailInfoDialog::EntryValid(Prompter& prompter, MapDetail* entry) const {
  const int start = NumberOf("detail_start");
  const int end = NumberOf("detail_end");
  const int length = length_when_opened_;
  const char* problem = nullptr;
  if (start < 0) {
    problem = "開始位置は、正の値にしてください。\n";
  } else if (start > length) {
    problem = "開始位置は、区間長より小さくしてください。\n";
  } else if (end < 0) {
    problem = "終了位置は、正の値にしてください。\n";
  } else if (end > length) {
    problem = "終了位置は、区間長より小さくしてください。\n";
  } else if (end < start) {
    problem = "開始位置は、終了位置より小さくしてください。\n";
  }
  if (problem != nullptr) {
    prompter.Error(problem, kInputErrorCaption);
    return false;
  }
  const DialogField& speed = *Find("detail_speed");
  entry->rail = is_point_ ? 0 : index_;
  entry->point = is_point_ ? index_ : 0;
  entry->start = start;
  entry->end = end;
  entry->speed = speed.checked ? PieceToInt(speed.text) : 0;
  entry->gradient = is_point_ ? 0 : NumberOf("detail_gradient");
  entry->radius = is_point_ ? 0 : NumberOf("detail_radius");
  return true;
}

void RailInfoDialog::Press(const std::string& button, DialogHost& host) {
  Prompter& prompter = host.prompter();
  DialogField& list = *Find("details");
  if (button == "add") {
    MapDetail entry;
    if (!EntryValid(prompter, &entry)) return;
    details_.push_back(entry);
    UpdateDetailList();
    list.item = static_cast<int>(list.items.size()) - 1;
    UpdateDetailList();
    return;
  }
  const int selected = selected_detail();
  if (selected < 0) {
    prompter.Error(kNothingSelected, kOperationCaption);
    return;
  }
  if (button == "replace") {
    MapDetail entry;
    if (!EntryValid(prompter, &entry)) return;
    details_[static_cast<std::size_t>(selected)] = entry;
  } else if (button == "delete") {
    details_.erase(details_.begin() + selected);
    list.item = -1;
  }
  UpdateDetailList();
}

bool RailInfoDialog::Accept(Prompter& prompter) {
  if (!CheckTextFields(*this, prompter)) return false;
  return is_point_ ? AcceptPoint(prompter) : AcceptRail(prompter);
}

bool RailInfoDialog::AcceptRail(Prompter& prompter) {
  const DialogField& speed = *Find("speed");
  const int speed_value = PieceToInt(speed.text);
  const int length = NumberOf("length");
  if (speed.checked && speed_value <= 0) {
    prompter.Error(kSpeedNotPositive, kInputErrorCaption);
    return false;
  }
  if (length <= 0) {
    prompter.Error(kLengthNotPositive, kInputErrorCaption);
    return false;
  }
  const bool in_station = InStation();
  if (in_station) {
    // Only the directions the segment runs in have stop targets to check.
    const bool left = DirectionEnabled(true), right = DirectionEnabled(false);
    if ((!left || stop_left_ == 0) && (!right || stop_right_ == 0)) {
      prompter.Error(kNoStopTarget, kInputErrorCaption);
      return false;
    }
    for (const bool leftward : {true, false}) {
      const int stop = leftward ? stop_left_ : stop_right_;
      if (!DirectionEnabled(leftward) || stop == 0) continue;
      if (stop < kStopMargin) {
        prompter.Error(kStopTooSmall, kInputErrorCaption);
        return false;
      }
      if (std::int64_t{stop} > std::int64_t{length} - kStopMargin) {
        prompter.Error(kStopTooLarge, kInputErrorCaption);
        return false;
      }
    }
    if (NumberOf("gradient") != 0 &&
        prompter.Ask(kGradientInStation, kGradientCaption, PromptButtons::kYesNo,
                     PromptIcon::kQuestion) != PromptAnswer::kYes) {
      return false;
    }
  }
  MapRail& r = rail_;
  r.speed_limit = speed.checked ? speed_value : 0;
  r.length = length;
  r.gradient = NumberOf("gradient");
  r.radius = NumberOf("radius");
  FromCombinedItem(map_, Find("station")->item, &r.station, &r.target);
  FromCombinedItem(map_, Find("yard")->item, &r.yard_station, &r.yard_target);
  // A new length clamps the stop targets the segment held; the ones typed
  // here were checked against that length and are stored as typed.
  if (length != length_when_opened_) ClampStopTargets(r);
  if (AllowsLeftward(r.direction)) {
    r.signal_left = ItemOr("signal_left", r.signal_left);
    if (in_station) r.stop_left = stop_left_;
    r.short_left = Utf8ToSjis(TextOf("short_left"));
    r.name_left = Utf8ToSjis(TextOf("name_left"));
  }
  if (AllowsRightward(r.direction)) {
    r.signal_right = ItemOr("signal_right", r.signal_right);
    if (in_station) r.stop_right = stop_right_;
    r.short_right = Utf8ToSjis(TextOf("short_right"));
    r.name_right = Utf8ToSjis(TextOf("name_right"));
  }
  r.single_track = Find("single_track")->checked ? 1 : 0;
  r.electric = ItemOr("electric", r.electric);
  return true;
}

bool RailInfoDialog::AcceptPoint(Prompter& prompter) {
  const DialogField& speed = *Find("speed");
  const int speed_value = PieceToInt(speed.text);
  if (speed.checked && speed_value < 1) {
    prompter.Error(kSpeedNotPositive, kInputErrorCaption);
    return false;
  }
  const int length = NumberOf("length");
  if (length <= 0) {
    prompter.Error(kLengthNotPositive, kInputErrorCaption);
    return false;
  }
  // Keys are typed on the panel letter by letter, so no key may begin
  // another one; letter case does not count.
  const ShortText key(Utf8ToSjis(TextOf("point_key")));
  std::vector<std::string_view> others;
  for (int i = 1; i <= map_.points().count(); ++i) {
    if (i != index_) others.push_back(map_.points()[i].point_key.view());
  }
  if (const std::optional<Refusal> refusal = PointKeyRefusal(key.view(), others)) {
    prompter.Error(refusal->text, refusal->caption);
    return false;
  }
  MapPoint& p = point_;
  p.point_key = key.view();
  FromCombinedItem(map_, Find("yard")->item, &p.yard_station, &p.yard_target);
  p.speed_limit = speed.checked ? speed_value : 0;
  p.length = length;
  p.signal_left = ItemOr("signal_left", p.signal_left);
  p.signal_right = ItemOr("signal_right", p.signal_right);
  p.short_left = Utf8ToSjis(TextOf("short_left"));
  p.name_left = Utf8ToSjis(TextOf("name_left"));
  p.short_right = Utf8ToSjis(TextOf("short_right"));
  p.name_right = Utf8ToSjis(TextOf("name_right"));
  p.electric = ItemOr("electric", p.electric);
  return true;
}

}  // namespace corvane
