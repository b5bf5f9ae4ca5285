#pragma once
// The rail information dialog ("線路情報入力") of a segment or of a point: its
// fields, their enable rules, the detail list with its entry buttons, and the
// checks of OK. It works on copies of the record and of the whole detail
// list; the caller stores them when the dialog is accepted.

#include <string>
#include <vector>

#include "base/dialog_model.h"
#include "map/edit_map.h"

namespace corvane {

// "（駅外）", every station's name, every stop section's name (UTF-8).
std::vector<std::string> CombinedStationList(const EditMap& map, bool english);

// A detail entry as the dialog's list shows it.
std::string DetailLine(const MapDetail& detail);

class RailInfoDialog : public DialogModel {
 public:
  // For segment `index` (`point` false) or point `index` of `map`.
  RailInfoDialog(const EditMap& map, int index, bool point, bool english);

  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

  // What OK stored.
  const MapRail& rail() const { return rail_; }
  const MapPoint& point_record() const { return point_; }
  const std::vector<MapDetail>& details() const { return details_; }
  // The detail entry whose branch is drawn highlighted (the list's selection).
  int selected_detail() const;

 private:
  void BuildFields(bool english);
  // Shows the stop-target fields' values while the station list selects a
  // station or stop section; empty and read-only otherwise.
  void UpdateStopTargets();
  void UpdateDetailList();
  // Whether the entry fields hold a valid entry; shows the refusal if not.
  bool EntryValid(Prompter& prompter, MapDetail* entry) const;
  bool AcceptRail(Prompter& prompter);
  bool AcceptPoint(Prompter& prompter);
  bool InStation() const;
  bool DirectionEnabled(bool leftward) const;

  const EditMap& map_;
  int index_;
  bool is_point_;
  MapRail rail_;
  MapPoint point_;
  int length_when_opened_ = 0;
  int stop_left_ = 0, stop_right_ = 0;  // the values the stop fields stand for
  std::vector<MapDetail> details_;
  // The entries of this object in the detail list, by position in the list box.
  std::vector<int> shown_details_;
};

}  // namespace corvane
