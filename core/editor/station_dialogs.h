#pragma once
// The station selection dialog of the station tools with its station
// information dialog, and the naming list dialog of the naming commands with
// its name dialog. Records added, changed or deleted from inside them go into
// the map at once, through the change the caller opened for the dialog.

#include <string>
#include <vector>

#include "base/dialog_model.h"
#include "editor/edit_mode.h"
#include "map/map_change.h"

namespace corvane {

// The texts and standard times of a station or stop section.
struct StationTexts {
  ShortText one_char_name;
  ShortText short_name;
  LongText name;
  int stop_time = 0;  // 0: the map's standard; v: v - 1 seconds
  int turn_time = 0;
};

// The items of a standard stop or turnaround time list: "標準", "通過"
// (with `with_passing`), then the multiples of `unit` (positive) up to an
// hour as "%ld秒".
std::vector<std::string> TimeItems(int unit, bool with_passing, bool english);

// The station information dialog ("駅・駅外停車区画情報設定・選択").
class StationInfoDialog : public DialogModel {
 public:
  StationInfoDialog(const StationTexts& texts, const TimeUnits& units, bool english);

  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  bool Accept(Prompter& prompter) override;

  const StationTexts& texts() const { return texts_; }

  // The unit the time lists step by: the map's unit time, or 15 s when a
  // foreign file holds none that could be used.
  static int ListUnit(const TimeUnits& units);

 private:
  StationTexts texts_;
  int unit_;
  bool stop_chosen_ = false;  // the user chose another item of a time list
  bool turn_chosen_ = false;
};

// The station selection dialog of the station, stop-section, yard and
// station-drawing tools.
class StationSelectDialog : public DialogModel {
 public:
  // `current` is the tool's current station (stop section), 0 for none.
  StationSelectDialog(MapChange& change, EditMode tool, int current);

  std::string Title(bool english) const override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

  // The record OK chose (1-based).
  int chosen() const { return chosen_; }

 private:
  void UpdateList(int select);
  int count() const;
  StationTexts TextsOf(int index) const;
  void Store(int index, const StationTexts& texts);

  MapChange& change_;
  EditMode tool_;
  bool stop_sections_;
  int chosen_ = 0;
};

// The name dialog ("名称設定"): the leftward and rightward abbreviations and
// names.
class NameDialog : public DialogModel {
 public:
  explicit NameDialog(const MapNameEntry& names);

  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;

  const MapNameEntry& names() const { return names_; }

 private:
  MapNameEntry names_;
};

// The naming list dialog ("名称自動設定") of one naming table.
class NamingListDialog : public DialogModel {
 public:
  NamingListDialog(MapChange& change, NameTable table, int current);

  std::string Title(bool english) const override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

  // The entry OK chose (1-based).
  int chosen() const { return chosen_; }

 private:
  void UpdateList(int select);

  MapChange& change_;
  NameTable table_;
  int chosen_ = 0;
};

}  // namespace corvane
