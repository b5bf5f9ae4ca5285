#include "editor/settings_dialogs.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "base/encoding.h"

namespace corvane {

namespace {

constexpr const char kMaxSpeedRange[] = "最高速度は1～1023[km/h]の範囲で設定して下さい。\n";
constexpr const char kAtcQuestion[] =
    "ＡＴＣマップはポイント・終端などの手前に停止現示となる進入しない閉塞を用意する必要が"
    "あります。\nマップの作成が複雑になり難しくなります。\nＡＴＣマップでよろしいですか？";
constexpr const char kMarginTooSmall[] =
    "信号余裕距離は5[m]以上確保しなければなりません。\n再設定して下さい。\n";
constexpr const char kDecelerationNotPositive[] =
    "信号現示計算減速度は正の値でなければなりません。\n再設定して下さい。\n";
constexpr const char kReAccelNegative[] =
    "再力行速度は正の値でなければなりません。\n再設定して下さい。\n";
constexpr const char kAboveTrainBrakes[] =
    "信号現示計算減速度が列車性能を上回っています。\n余裕を持たせて再設定して下さい。\n";
constexpr const char kCharacteristicsWarning[] =
    "走行特性シミュレートに対応させるには、対応した形式データが必要です。\n"
    "走行特性シミュレートに非対応の形式は、従来の走行シミュレートになります。\n";
constexpr const char kExtensionOnly[] = "この機能は拡張機能です。";
constexpr const char kExtensionWarning[] =
    "信号設定を変更すると、運転時分が変わってくる場合があります。所要時分やダイヤを設定し直す"
    "必要があります。また、距離と減速の余裕を大きく設定すると、常に停止現示となり進入不能になる"
    "場合があります。";
constexpr const char kBadUnitTime[] = "時刻が不正です。再設定して下さい。\n";

constexpr int kSlowestMaxSpeed = 1;
constexpr int kFastestMaxSpeed = 1023;
constexpr int kSmallestMargin = 5;
// The margin of the train brakes over the signal deceleration, 1/1024 km/h/s.
constexpr int kBrakeMargin = 98;
constexpr int kLongestListedTime = 3600;

std::string Formatted(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Seconds(int seconds) { return std::to_string(seconds) + "秒"; }

const char* DeviceName(int device) {
  switch (device) {
    case kSafetyAtc:
      return "ＡＴＣ";
    case kSafetyAts:
      return "ＡＴＳ";
    default:
      return "デジタルＡＴＣ";
  }
}

bool Refuse(Prompter& prompter, const char* text) {
  prompter.Error(text, kInputErrorCaption);
  return false;
}

}  // namespace

// ------------------------------------------------------------ map properties

MapPropertyDialog::MapPropertyDialog(const MapHeader& header) : header_(header) {
  Add(TextField("map_name", {"マップ名", "Map Name"}, LongText::kCapacity, header.map_name.Utf8()));
  DialogField& code =
      Add(TextField("map_code", {"マップコード", "Map Code"}, 0, std::to_string(header.map_code)));
  code.enabled = false;
  Add(NumberField("max_speed", {"最高速度", "Maximum Speed"}, header.settings.max_speed));
  // Rightward trains are down or up trains.
  Add(ChoiceField("direction", {"→方向", "Rightward"}, {"下り", "上り"},
                  header.settings.right_down == 1 ? 0 : 1, FieldKind::kRadio));
}

std::string MapPropertyDialog::Title(bool english) const {
  return english ? "Map Properties" : "マッププロパティ";
}

bool MapPropertyDialog::Accept(Prompter& prompter) {
  if (!CheckTextFields(*this, prompter)) return false;
  const int max_speed = NumberOf("max_speed");
  if (max_speed < kSlowestMaxSpeed || max_speed > kFastestMaxSpeed) {
    return Refuse(prompter, kMaxSpeedRange);
  }
  header_.map_name = Utf8ToSjis(TextOf("map_name"));
  header_.settings.max_speed = max_speed;
  header_.settings.right_down = Find("direction")->item == 0 ? 1 : 0;
  return true;
}

// ------------------------------------------------------------ signal settings

SignalSettingsDialog::SignalSettingsDialog(const MapSettings& settings, SignalSettingsMode mode,
                                           SignalSettingsContext context)
    : settings_(settings), mode_(mode), context_(context) {
  editable_ = mode_ == SignalSettingsMode::kEditor || context_.extension;
  if (mode_ == SignalSettingsMode::kEditor) {
    const int device = settings.safety_device == kSafetyAtc   ? 0
                       : settings.safety_device == kSafetyAts ? 1
                                                              : -1;
    Add(ChoiceField("device", {"保安装置", "Train Protection"}, {"ＡＴＣ", "ＡＴＳ"}, device));
  } else {
    DialogField& device = Add(ChoiceField("device", {"保安装置", "Train Protection"},
                                          {DeviceName(settings.safety_device)}, 0));
    device.enabled = false;
  }
  std::vector<std::string> versions;
  int version = static_cast<int>(std::size(kSignalVersions)) - 1;
  for (std::size_t i = 0; i < std::size(kSignalVersions); ++i) {
    versions.push_back(Formatted("%1.3lf", kSignalVersions[i] * 0.001));
    if (kSignalVersions[i] == settings.signal_version) version = static_cast<int>(i);
  }
  Add(ChoiceField("version", {"信号バージョン", "Signal Version"}, std::move(versions), version));
  Add(NumberField("break_spare", {"信号余裕距離", "Signal Margin"}, settings.break_spare_dist));
  Add(TextField("handle_atc", {"信号現示計算減速度", "Signal Deceleration"}, 0,
                Formatted("%0.2lf", settings.handle_atc * 0.01)));
  const Bilingual route_group{"進路制御距離設定", "Route Distances"};
  Add(InGroup(NumberField("route_warning", {"到着時進路確保距離", "Arrival Route Distance"},
                          settings.route_warning_dist),
              route_group, ""));
  Add(InGroup(NumberField("route_check", {"出発時進路確保距離", "Departure Route Distance"},
                          settings.route_check_dist),
              route_group, ""));
  auto check = [this](const char* id, Bilingual label, int value) {
    DialogField& field = Add(MakeField(id, label, FieldKind::kCheck));
    field.checked = value != 0;
    return field;
  };
  check("use_area", {"構内管理有効(&A)", "Station Yards(&A)"}, settings.use_area);
  check("use_electri", {"電化方式有効(&E)", "Electrification(&E)"}, settings.use_electri);
  check("area_order",
        {"順序制御時　駅発着順序使用(&O)", "Station Order under Sequence Control(&O)"},
        settings.area_order);
  const Bilingual running_group{"走行特性", "Running Characteristics"};
  DialogField characteristic = MakeField(
      "use_characteristic", {"走行特性(&C)", "Running Characteristics(&C)"}, FieldKind::kCheck);
  characteristic.checked = settings.use_characteristic != 0;
  Add(InGroup(characteristic, running_group, ""));
  Add(InGroup(
      NumberField("re_accel", {"再力行速度", "Re-acceleration Speed"}, settings.re_accel_speed),
      running_group, ""));
  if (mode_ == SignalSettingsMode::kMainWindow) {
    DialogField& note = Add(MakeField("note", {"", ""}, FieldKind::kNote));
    note.text = editable_ ? kExtensionWarning : kExtensionOnly;
    if (!editable_) {
      ok_label_ = {"拡張機能", "Extension"};
      ok_enabled_ = false;
    }
  }
  EnableFields();
}

std::string SignalSettingsDialog::Title(bool english) const {
  return english ? "Signal Settings" : "信号設定";
}

void SignalSettingsDialog::EnableFields() {
  for (const char* id :
       {"version", "break_spare", "handle_atc", "route_warning", "route_check", "use_area",
        "use_electri", "area_order", "use_characteristic", "re_accel"}) {
    Find(id)->enabled = editable_;
  }
  if (!editable_) return;
  const bool areas = Find("use_area")->checked;
  Find("route_check")->enabled = areas;
  Find("area_order")->enabled = areas;
  Find("re_accel")->enabled = Find("use_characteristic")->checked;
}

void SignalSettingsDialog::Changed(const std::string&) { EnableFields(); }

bool SignalSettingsDialog::Accept(Prompter& prompter) {
  if (!editable_) return false;
  const DialogField& device = *Find("device");
  const bool choose_device = device.enabled;
  const bool atc = choose_device && device.item == 0;
  if (atc && prompter.Ask(kAtcQuestion, "ＡＴＣ確認", PromptButtons::kYesNo,
                          PromptIcon::kQuestion) != PromptAnswer::kYes) {
    return false;
  }
  const int margin = NumberOf("break_spare");
  if (margin < kSmallestMargin) return Refuse(prompter, kMarginTooSmall);
  const int deceleration = ParseHundredths(TextOf("handle_atc")).value_or(0);
  const int arrival = NumberOf("route_warning");
  const int departure = NumberOf("route_check");
  if (deceleration <= 0 || arrival <= 0 || departure <= 0) {
    return Refuse(prompter, kDecelerationNotPositive);
  }
  const int re_accel = NumberOf("re_accel");
  if (re_accel < 0) return Refuse(prompter, kReAccelNegative);
  // The signals must not ask more of a train than its brakes give.
  if (mode_ == SignalSettingsMode::kMainWindow && context_.smallest_atc_brake) {
    const long long asked = static_cast<long long>(deceleration) * 1024 / 100;
    if (*context_.smallest_atc_brake - kBrakeMargin < asked) {
      return Refuse(prompter, kAboveTrainBrakes);
    }
  }

  const bool characteristics_before = settings_.use_characteristic != 0;
  settings_.break_spare_dist = margin;
  settings_.handle_atc = deceleration;
  settings_.route_warning_dist = arrival;
  settings_.route_check_dist = departure;
  settings_.re_accel_speed = re_accel;
  if (choose_device && device.item >= 0) {
    settings_.safety_device = atc ? kSafetyAtc : kSafetyAts;
    settings_.use_atc = atc ? 1 : 0;
    settings_.use_ats = atc ? 0 : 1;
  }
  settings_.signal_version =
      kSignalVersions[static_cast<std::size_t>(ItemOr("version", std::size(kSignalVersions) - 1))];
  settings_.use_area = Find("use_area")->checked ? 1 : 0;
  settings_.use_electri = Find("use_electri")->checked ? 1 : 0;
  settings_.area_order = Find("area_order")->checked ? 1 : 0;
  settings_.use_characteristic = Find("use_characteristic")->checked ? 1 : 0;
  if (mode_ == SignalSettingsMode::kMainWindow && !characteristics_before &&
      settings_.use_characteristic != 0 && context_.series_without_characteristics) {
    prompter.Ask(kCharacteristicsWarning, "設定警告", PromptButtons::kOk, PromptIcon::kWarning);
  }
  return true;
}

// ------------------------------------------------------------ unit and standard times

TimeUnitsDialog::TimeUnitsDialog(const TimeUnits& units) : units_(units) {
  std::vector<std::string> presets = {std::to_string(units.unit)};
  for (const int preset : {1, 2, 5, 10, 15, 20}) presets.push_back(std::to_string(preset));
  DialogField& unit = Add(ChoiceField("unit", {"単位時間", "Unit Time"}, std::move(presets), 0,
                                      FieldKind::kTextChoice));
  unit.text = std::to_string(units.unit);
  unit.presses = "confirm";
  AddButton("confirm", {"確定(&K)", "Confirm(&K)"});
  for (const auto& [id, label] : {std::pair{"standard", Bilingual{"標準時間", "Standard Stop"}},
                                  std::pair{"reverse", Bilingual{"折返時間", "Reverse Time"}}}) {
    DialogField& list = Add(ChoiceField(id, label, {}, -1));
    list.enabled = false;
  }
}

std::string TimeUnitsDialog::Title(bool english) const {
  return english ? "Unit and Standard Times" : "単位・標準時間設定";
}

void TimeUnitsDialog::Press(const std::string& button, DialogHost& host) {
  if (button == "confirm") Confirm(host.prompter());
}

bool TimeUnitsDialog::Confirm(Prompter& prompter) {
  const int unit = NumberOf("unit");
  if (unit < 1 || unit > kLongestUnitTime) return Refuse(prompter, kBadUnitTime);
  DialogField& standard = *Find("standard");
  DialogField& reverse = *Find("reverse");
  standard.items = {"通過"};
  reverse.items.clear();
  // A unit longer than the lists reach still offers itself as reverse time.
  for (int t = unit; t <= std::max(kLongestListedTime, unit); t += unit) {
    if (t <= kLongestListedTime) standard.items.push_back(Seconds(t));
    reverse.items.push_back(Seconds(t));
  }
  const auto select = [](DialogField& list, int wanted) {
    list.item = std::clamp(wanted, 0, static_cast<int>(list.items.size()) - 1);
    list.enabled = true;
  };
  select(standard, units_.standard / unit);
  select(reverse, units_.reverse / unit - 1);
  confirmed_unit_ = unit;
  return true;
}

bool TimeUnitsDialog::Accept(Prompter& prompter) {
  // OK confirms a unit typed but not confirmed yet.
  if ((confirmed_unit_ == 0 || NumberOf("unit") != confirmed_unit_) && !Confirm(prompter)) {
    return false;
  }
  const int unit = confirmed_unit_;
  units_.unit = unit;
  units_.standard = RoundDownToUnit(Find("standard")->item * unit, unit);
  units_.reverse = RoundDownToUnit((Find("reverse")->item + 1) * unit, unit);
  return true;
}

}  // namespace corvane
