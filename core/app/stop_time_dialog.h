#pragma once
// The standard stop-time dialog of the main window ("標準停車時間設定"):
// the stop and turnaround times of every station and stop section, or of
// every platform track, for all trains, one train type or one speed type.
// Choosing a time changes a working copy of the dia's list at once; OK
// stores the copy and the chosen kind of type in one change of the dia
// data, cancel forgets it.

#include <string>
#include <vector>

#include "base/dialog_model.h"
#include "data/stop_times.h"
#include "run/dia_model.h"

namespace corvane {

inline constexpr const char kNoStationData[] = "駅データがないため編集できません。\n";
inline constexpr const char kBothTypeKinds[] =
    "列車種別と速度種別の同時指定はできません。\n一方のみが有効になります。";
inline constexpr const char kOperationErrorCaption[] = "操作エラー";

class StopTimeDialog : public DialogModel {
 public:
  // `prompter` shows the refusal of checking both kinds of type.
  StopTimeDialog(DiaModel& model, Prompter& prompter, bool english);

  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  bool Accept(Prompter& prompter) override;

  const StopTimeList& work() const { return work_; }
  // Entries are keyed by speed type (else by train type).
  bool by_speed_type() const { return by_speed_; }

 private:
  // What a line of the entry list shows: a target (per station) or a rail
  // (per platform track).
  struct Line {
    int target = 0;
    int rail = 0;
  };

  bool per_track() const;
  // The key of the selected line's entry of `kind` for the selected type.
  StopTimeKey KeyOf(const Line& line, int kind) const;
  const Line* SelectedLine() const;
  std::string LineText(const Line& line) const;
  std::string NameOf(const Line& line) const;

  void FillTypeLists();
  // Refills the entry list, selecting line `select` (the first when there
  // are fewer lines), and the time lists for it.
  void FillEntries(int select);
  void FillTimeLists();
  void ClickBox(bool speed_box);
  void ChooseTime(int kind);

  DiaModel& model_;
  Prompter& prompter_;
  bool english_;
  int unit_;
  StopTimeList work_;
  bool by_speed_;
  std::vector<Line> lines_;
  int selected_ = 0;
};

// Opens the dialog through `host`; when the map has no rails it tells so
// and does not open. True when answered with OK.
bool RunStopTimeDialog(DiaModel& model, DialogHost& host);

}  // namespace corvane
