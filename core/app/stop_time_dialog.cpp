#include "app/stop_time_dialog.h"

#include <cstdio>

#include "base/encoding.h"
#include "compiler/map_compiler.h"
#include "editor/station_dialogs.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

constexpr Bilingual kPerStation{"駅別指定モード", "Per Station Mode"};
constexpr Bilingual kPerTrack{"駅内番線別指定モード", "Per Platform Mode"};
constexpr Bilingual kAnyTrainType{"列車種別無指定", "Any Train Type"};
constexpr Bilingual kNoTrainTypes{"列車種別指定不可", "No Train Type Choice"};
constexpr Bilingual kAnySpeedType{"速度種別無指定", "Any Speed Type"};
constexpr Bilingual kNoSpeedTypes{"速度種別指定不可", "No Speed Type Choice"};

// "%3ld秒": seconds right-aligned in three places.
std::string Seconds(int seconds, bool english) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%3ld", static_cast<long>(seconds));
  return std::string(digits) + (english ? "s" : "秒");
}

// "標準（%3ld秒）": the dia-wide time an entry-less line stands at.
std::string StandardSeconds(int seconds, bool english) {
  return english ? "Standard (" + Seconds(seconds, true) + ")"
                 : "標準（" + Seconds(seconds, false) + "）";
}

// The item of a time list that shows `seconds` exactly; -1 for a time the
// list does not hold (off the unit grid, beyond an hour, or no turnaround
// time at all), which then stays until the user chooses another item.
int ExactTimeItem(int seconds, int unit, bool with_passing, int items) {
  int item = -1;
  if (with_passing && seconds == 0) {
    item = 1;
  } else if (seconds > 0 && seconds % unit == 0) {
    item = seconds / unit + (with_passing ? 1 : 0);
  }
  return item < items ? item : -1;
}

template <typename Record>
std::vector<std::string> TypeNames(const Table<Record>& types, const Bilingual& none,
                                   bool english) {
  std::vector<std::string> names = {none.Pick(english)};
  for (int t = 1; t <= types.count(); ++t) names.push_back(types[t].name.Utf8());
  return names;
}

}  // namespace

StopTimeDialog::StopTimeDialog(DiaModel& model, Prompter& prompter, bool english)
    : model_(model),
      prompter_(prompter),
      english_(english),
      unit_(StationInfoDialog::ListUnit(model.header().time_units)),
      work_(model.dia().stop_times),
      by_speed_(model.header().stop_time_velocity == 1) {
  Add(ChoiceField("mode", {"モード", "Mode"}, {kPerStation.Pick(english), kPerTrack.Pick(english)},
                  0));
  Add(MakeField("train_box", {"列車種別(&T)", "Train Type(&T)"}, FieldKind::kCheck));
  Add(ChoiceField("train_type", {"列車種別選択", "Train Type Choice"}, {}, 0));
  Add(MakeField("speed_box", {"速度種別(&V)", "Speed Type(&V)"}, FieldKind::kCheck));
  Add(ChoiceField("speed_type", {"速度種別選択", "Speed Type Choice"}, {}, 0));
  // The entry list across the dialog; under it the two time lists side by
  // side, each framed under its label.
  Add(ChoiceField("entries", {"停車時間一覧", "Stop Times"}, {}, -1, FieldKind::kList));
  const Bilingual stop{"標準停車時間", "Standard Stop Time"};
  const Bilingual turn{"標準折返時間", "Standard Turnaround Time"};
  Add(InGroup(ChoiceField("stop_time", stop, TimeItems(unit_, true, english), -1, FieldKind::kList),
              stop, ""));
  Add(InGroup(
      ChoiceField("turn_time", turn, TimeItems(unit_, false, english), -1, FieldKind::kList), turn,
      "", GroupPlace::kBeside));
  FillTypeLists();
  FillEntries(0);
}

std::string StopTimeDialog::Title(bool english) const {
  return english ? "Standard Stop Time Setting" : "標準停車時間設定";
}

bool StopTimeDialog::per_track() const { return Find("mode")->item == 1; }

StopTimeKey StopTimeDialog::KeyOf(const Line& line, int kind) const {
  const int train_type = by_speed_ ? 0 : ItemOr("train_type", 0);
  const int speed_type = by_speed_ ? ItemOr("speed_type", 0) : 0;
  return {line.target, line.rail, kind, train_type, speed_type};
}

const StopTimeDialog::Line* StopTimeDialog::SelectedLine() const {
  if (selected_ < 0 || selected_ >= static_cast<int>(lines_.size())) return nullptr;
  return &lines_[static_cast<std::size_t>(selected_)];
}

std::string StopTimeDialog::NameOf(const Line& line) const {
  const SystemMap& map = model_.map();
  if (line.rail != 0) {
    return SjisToUtf8(RailDisplayName(map.rails[line.rail], model_.header().settings, english_));
  }
  return map.targets[line.target].name.Utf8();
}

std::string StopTimeDialog::LineText(const Line& line) const {
  const TimeUnits& units = model_.header().time_units;
  std::string stop = StandardSeconds(units.standard, english_);
  if (const StopTimeEntry* entry = FindStopTime(work_, KeyOf(line, kStopTime))) {
    stop = entry->seconds != 0 ? Seconds(entry->seconds, english_) : (english_ ? "Pass" : "通過");
  }
  std::string turn = StandardSeconds(units.reverse, english_);
  if (const StopTimeEntry* entry = FindStopTime(work_, KeyOf(line, kTurnTime))) {
    turn = Seconds(entry->seconds, english_);
  }
  return NameOf(line) + (english_ ? "  " : "　") + stop + (english_ ? " / " : "／") + turn;
}

void StopTimeDialog::FillTypeLists() {
  const DiaData& dia = model_.dia();
  DialogField& train = *Find("train_type");
  DialogField& speed = *Find("speed_type");
  train.items = by_speed_ ? std::vector<std::string>{kNoTrainTypes.Pick(english_)}
                          : TypeNames(dia.train_types, kAnyTrainType, english_);
  speed.items = by_speed_ ? TypeNames(dia.speed_types, kAnySpeedType, english_)
                          : std::vector<std::string>{kNoSpeedTypes.Pick(english_)};
  train.enabled = !by_speed_;
  speed.enabled = by_speed_;
  train.item = 0;
  speed.item = 0;
  Find("train_box")->checked = !by_speed_;
  Find("speed_box")->checked = by_speed_;
}

void StopTimeDialog::FillEntries(int select) {
  const SystemMap& map = model_.map();
  lines_.clear();
  if (per_track()) {
    // The rails of each target in rail order; a rail whose target is no
    // target of the map has no line.
    std::vector<std::vector<int>> rails_of(static_cast<std::size_t>(map.targets.count()) + 1);
    for (int r = 1; r <= map.rails.count(); ++r) {
      const int target = map.rails[r].target;
      if (map.targets.Contains(target)) rails_of[static_cast<std::size_t>(target)].push_back(r);
    }
    for (const std::vector<int>& rails : rails_of) {
      for (const int r : rails) lines_.push_back({0, r});
    }
  } else {
    for (int t = 1; t <= map.targets.count(); ++t) lines_.push_back({t, 0});
  }
  DialogField& list = *Find("entries");
  list.items.clear();
  for (const Line& line : lines_) list.items.push_back(LineText(line));
  selected_ = select >= 0 && select < static_cast<int>(lines_.size()) ? select : 0;
  list.item = lines_.empty() ? -1 : selected_;
  FillTimeLists();
}

void StopTimeDialog::FillTimeLists() {
  DialogField& stop = *Find("stop_time");
  DialogField& turn = *Find("turn_time");
  const Line* line = SelectedLine();
  stop.enabled = turn.enabled = line != nullptr;
  if (line == nullptr) {
    stop.item = turn.item = -1;
    return;
  }
  const StopTimeEntry* stop_entry = FindStopTime(work_, KeyOf(*line, kStopTime));
  const StopTimeEntry* turn_entry = FindStopTime(work_, KeyOf(*line, kTurnTime));
  stop.item = stop_entry == nullptr ? 0
                                    : ExactTimeItem(stop_entry->seconds, unit_, true,
                                                    static_cast<int>(stop.items.size()));
  turn.item = turn_entry == nullptr ? 0
                                    : ExactTimeItem(turn_entry->seconds, unit_, false,
                                                    static_cast<int>(turn.items.size()));
}

void StopTimeDialog::ClickBox(bool speed_box) {
  // The state after the click; the other box is as it was before it.
  const bool now_checked = Find(speed_box ? "speed_box" : "train_box")->checked;
  const bool other_checked = speed_box ? !by_speed_ : by_speed_;
  if (now_checked && other_checked) {
    prompter_.Error(kBothTypeKinds, kOperationErrorCaption);
    by_speed_ = speed_box;
  } else if (!now_checked && !other_checked) {
    by_speed_ = !speed_box;
  }
  FillTypeLists();
  // The lines were worked out for the type chosen before.
  FillEntries(selected_);
}

void StopTimeDialog::ChooseTime(int kind) {
  const Line* line = SelectedLine();
  const int item = Find(kind == kStopTime ? "stop_time" : "turn_time")->item;
  if (line == nullptr || item < 0) return;
  const StopTimeKey key = KeyOf(*line, kind);
  if (item == 0) {
    RemoveStopTime(work_, key);
  } else {
    const int steps = kind == kStopTime ? item - 1 : item;
    SetStopTime(work_, key, RoundDownToUnit(steps * unit_, unit_));
  }
  FillEntries(selected_);
}

void StopTimeDialog::Changed(const std::string& id) {
  if (id == "mode" || id == "train_type" || id == "speed_type") {
    FillEntries(0);
  } else if (id == "entries") {
    DialogField& list = *Find(id);
    if (list.item >= 0 && list.item < static_cast<int>(lines_.size())) {
      selected_ = list.item;
    } else {
      list.item = lines_.empty() ? -1 : selected_;
    }
    FillTimeLists();
  } else if (id == "train_box" || id == "speed_box") {
    ClickBox(id == "speed_box");
  } else if (id == "stop_time") {
    ChooseTime(kStopTime);
  } else if (id == "turn_time") {
    ChooseTime(kTurnTime);
  }
}

bool StopTimeDialog::Accept(Prompter& prompter) {
  (void)prompter;
  const int velocity = by_speed_ ? 1 : 0;
  const bool list_changed = work_ != model_.dia().stop_times;
  const bool velocity_changed = velocity != model_.header().stop_time_velocity;
  if (!list_changed && !velocity_changed) return true;
  DiaChange change(model_);
  if (list_changed) change.stop_times() = work_;
  if (velocity_changed) change.header().stop_time_velocity = velocity;
  return true;
}

bool RunStopTimeDialog(DiaModel& model, DialogHost& host) {
  if (model.map().rails.count() == 0) {
    host.prompter().Error(kNoStationData, kOperationErrorCaption);
    return false;
  }
  StopTimeDialog dialog(model, host.prompter(), host.english());
  return host.Run(dialog);
}

}  // namespace corvane
