#pragma once
// The dialogs of a map's identity and signalling rules: map properties
// (name, maximum speed, direction sense), signal settings (safety device,
// margins, deceleration, route distances; in the map edit window or, with
// stricter rules, for the loaded dia data) and the unit and standard times.

#include <optional>
#include <string>

#include "base/dialog_model.h"
#include "map/map_records.h"

namespace corvane {

// "マッププロパティ": map name, map code (shown only), maximum speed and
// whether rightward trains are down trains.
class MapPropertyDialog : public DialogModel {
 public:
  explicit MapPropertyDialog(const MapHeader& header);
  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;
  const MapHeader& header() const { return header_; }

 private:
  MapHeader header_;
};

enum class SignalSettingsMode { kEditor, kMainWindow };

// What the main window knows besides the settings: the extension option and
// the series of the loaded dia data.
struct SignalSettingsContext {
  bool extension = false;  // program setting "Extention"
  // The smallest ATC brake among the series, in 1/1024 km/h/s; none while
  // no series is loaded.
  std::optional<int> smallest_atc_brake;
  // Some series has no running characteristics.
  bool series_without_characteristics = false;
};

// "信号設定".
class SignalSettingsDialog : public DialogModel {
 public:
  SignalSettingsDialog(const MapSettings& settings, SignalSettingsMode mode,
                       SignalSettingsContext context = {});
  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  bool Accept(Prompter& prompter) override;
  const MapSettings& settings() const { return settings_; }

 private:
  void EnableFields();

  MapSettings settings_;
  SignalSettingsMode mode_;
  SignalSettingsContext context_;
  bool editable_ = true;
};

// "単位・標準時間設定": the unit time, confirmed with its button, gives the
// lists of standard stop and reverse times.
class TimeUnitsDialog : public DialogModel {
 public:
  explicit TimeUnitsDialog(const TimeUnits& units);
  std::string Title(bool english) const override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;
  const TimeUnits& units() const { return units_; }

 private:
  // Fills the two lists for unit `unit`; false (with the refusal shown)
  // for a unit out of range.
  bool Confirm(Prompter& prompter);

  TimeUnits units_;
  int confirmed_unit_ = 0;  // the unit the lists were made for (0: none yet)
};

}  // namespace corvane
