#pragma once
// The main window's small dialogs on the loaded dia data: the start time
// ("時刻の設定"), the dia's names ("ダイヤプロパティ") and the
// electrification of every track piece ("電化方式選択"). Each OK stores
// what it says in one change of the dia data; Cancel changes nothing.

#include <string>
#include <string_view>

#include "app/station_info_dialog.h"
#include "base/dialog_model.h"
#include "editor/value_dialogs.h"
#include "run/dia_model.h"

namespace corvane {

// The latest start time a dia may have: 28:00:00.
inline constexpr int kLatestStartTime = 28 * 3600;

// "時刻の設定": hours, minutes and seconds of the start time. Minutes and
// seconds above 59 carry into the next unit; a time outside 0 … 28:00:00
// (or a number too large to read) is refused and the dialog stays open.
class StartTimeDialog : public DialogModel {
 public:
  explicit StartTimeDialog(DiaModel& model, bool english = false);

  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;

 private:
  DiaModel& model_;
};

// "ダイヤプロパティ": the map name, the map code (shown only), the dia's
// title and comment.
class DiaPropertyDialog : public DialogModel {
 public:
  explicit DiaPropertyDialog(DiaModel& model);

  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;

 private:
  DiaModel& model_;
};

// "電化方式選択" preset with the kind of track piece 1.
ChoiceDialog ElectrificationDialog(const DiaModel& model, bool english);
// Gives every track piece the electrification `kind` in one change; a kind
// outside the list changes nothing.
void SetElectrificationOfAll(DiaModel& model, int kind);

}  // namespace corvane

namespace corvane {

// The main window's commands that edit the loaded dia data through their
// dialogs (these, the train types, the standard stop times and the map's
// settings dialogs), shown by `host`. True when `id` is one of them.
bool IsDiaDialogCommand(std::string_view id);

// The program's options the dialogs follow.
struct DiaDialogOptions {
  bool extension = false;      // "拡張機能": the signal settings may be changed
  StationDialogTools station;  // the station dialog's file chooser and sound player
};

// Runs command `id` (false, doing nothing, for another id); true when the
// dialog was answered with OK.
bool RunDiaDialogCommand(std::string_view id, DiaModel& model, DialogHost& host,
                         const DiaDialogOptions& options = {});

}  // namespace corvane
