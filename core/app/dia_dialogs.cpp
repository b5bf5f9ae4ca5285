#include "app/dia_dialogs.h"

#include <climits>
#include <cstdio>
#include <optional>

#include "app/dia_settings_dialogs.h"
#include "app/main_menu.h"
#include "app/stop_time_dialog.h"
#include "app/train_type_dialog.h"
#include "base/encoding.h"
#include "base/member_text.h"
#include "editor/value_names.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

constexpr const char kBadTime[] = "時刻が不正です。再設定して下さい。\n";

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

// A time field read as a decimal integer, text that is no number as 0;
// nothing for a number an int cannot hold.
std::optional<long long> TimePart(std::string_view text) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.magnitude > INT_MAX) return std::nullopt;
  return number.negative ? -number.magnitude : number.magnitude;
}

}  // namespace

// ------------------------------------------------------------ start time

StartTimeDialog::StartTimeDialog(DiaModel& model, bool english) : model_(model) {
  const int t = model.header().start_time;
  const Bilingual caption{"開始時刻", "Start Time"};
  Add(MakeField("caption", caption, FieldKind::kNote)).text = caption.Pick(english);
  Add(TextField("hour", {"時", "Hour"}, 0, TwoDigits(t / 3600)));
  Add(TextField("minute", {"分", "Minute"}, 0, TwoDigits(t / 60 % 60)));
  Add(TextField("second", {"秒", "Second"}, 0, TwoDigits(t % 60)));
}

std::string StartTimeDialog::Title(bool english) const {
  return english ? "Time Setting" : "時刻の設定";
}

bool StartTimeDialog::Accept(Prompter& prompter) {
  const auto hours = TimePart(TextOf("hour"));
  const auto minutes = TimePart(TextOf("minute"));
  const auto seconds = TimePart(TextOf("second"));
  const long long t = hours && minutes && seconds ? *hours * 3600 + *minutes * 60 + *seconds : -1;
  if (t < 0 || t > kLatestStartTime) {
    prompter.Error(kBadTime, kInputErrorCaption);
    return false;
  }
  DiaChange change(model_);
  change.header().start_time = static_cast<int>(t);
  change.run().time = static_cast<int>(t);
  return true;
}

// ------------------------------------------------------------ dia property

DiaPropertyDialog::DiaPropertyDialog(DiaModel& model) : model_(model) {
  const DiaHeader& header = model.header();
  Add(TextField("map_name", {"マップ名", "Map Name"}, LongText::kCapacity, header.map_name.Utf8()));
  DialogField& code =
      Add(TextField("map_code", {"マップコード", "Map Code"}, 0, std::to_string(header.map_code)));
  code.enabled = false;
  Add(TextField("title", {"ダイヤタイトル", "Dia Title"}, LongText::kCapacity,
                header.dia_title.Utf8()));
  Add(TextField("comment", {"ダイヤコメント", "Dia Comment"}, LongText::kCapacity,
                header.dia_comment.Utf8()));
}

std::string DiaPropertyDialog::Title(bool english) const {
  return english ? "Dia Property" : "ダイヤプロパティ";
}

bool DiaPropertyDialog::Accept(Prompter& prompter) {
  if (!CheckTextFields(*this, prompter)) return false;
  const std::string map_name = Utf8ToSjis(TextOf("map_name"));
  const std::string title = Utf8ToSjis(TextOf("title"));
  const std::string comment = Utf8ToSjis(TextOf("comment"));
  const DiaHeader& now = model_.header();
  if (now.map_name == map_name && now.dia_title == title && now.dia_comment == comment) {
    return true;
  }
  DiaChange change(model_);
  DiaHeader& header = change.header();
  header.dia_comment = comment;
  header.map_name = map_name;
  header.dia_title = title;
  return true;
}

// ------------------------------------------------------------ electrification

ChoiceDialog ElectrificationDialog(const DiaModel& model, bool english) {
  const auto& prails = model.map().prails;
  const int kind = prails.Contains(1) ? prails[1].electric : -1;
  return ElectricKindDialog(kind, english);
}

void SetElectrificationOfAll(DiaModel& model, int kind) {
  if (kind < 0 || kind >= kElectricKindCount) return;
  DiaChange change(model);
  auto prails = change.prails();
  for (int i = 1; i <= prails.count(); ++i) {
    if (prails.records()[i].electric != kind) prails[i].electric = kind;
  }
}

// ------------------------------------------------------------ commands

bool IsDiaDialogCommand(std::string_view id) {
  return id == kCmdStartTime || id == kCmdDiaProperty || id == kCmdElectrificationAll ||
         id == kCmdTrainTypes || id == kCmdUnitTimes || id == kCmdSignalSettings ||
         id == kCmdSignalDetail || id == kCmdStopTimes || id == kCmdStationInfo;
}

bool RunDiaDialogCommand(std::string_view id, DiaModel& model, DialogHost& host,
                         const DiaDialogOptions& options) {
  if (id == kCmdStartTime) {
    StartTimeDialog dialog(model, host.english());
    return host.Run(dialog);
  }
  if (id == kCmdDiaProperty) {
    DiaPropertyDialog dialog(model);
    return host.Run(dialog);
  }
  if (id == kCmdElectrificationAll) {
    ChoiceDialog dialog = ElectrificationDialog(model, host.english());
    if (!host.Run(dialog)) return false;
    SetElectrificationOfAll(model, dialog.chosen());
    return true;
  }
  if (id == kCmdTrainTypes) {
    TrainTypeDialog dialog(model, host.english());
    return host.Run(dialog);
  }
  if (id == kCmdUnitTimes) return EditDiaTimeUnits(model, host);
  if (id == kCmdSignalSettings) return EditDiaSignalSettings(model, host, options.extension);
  if (id == kCmdSignalDetail) return EditDiaSignalTypes(model, host);
  if (id == kCmdStopTimes) return RunStopTimeDialog(model, host);
  if (id == kCmdStationInfo) {
    StationSelectionDialog dialog(model, options.station);
    return host.Run(dialog);
  }
  return false;
}

}  // namespace corvane
