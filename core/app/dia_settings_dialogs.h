#pragma once
// The map's settings dialogs opened from the main window on the loaded dia
// data: the unit and standard times ("単位・標準時間設定"), the signal
// settings in their stricter main-window mode ("信号設定") and the signal
// types with their aspects ("信号詳細設定"). Each OK is one change of the
// dia data, after which the signal aspects are calculated again; Cancel
// changes nothing.

#include "base/dialog_model.h"
#include "data/dia_data.h"
#include "editor/settings_dialogs.h"
#include "run/dia_model.h"

namespace corvane {

// What the signal settings check against in the loaded data: the series'
// smallest ATC brake and whether some series lacks running characteristics.
SignalSettingsContext SignalSettingsContextOf(const DiaData& dia, bool extension);

// Each true when the dialog was answered with OK.
bool EditDiaTimeUnits(DiaModel& model, DialogHost& host);
// Refused with a message for a map older than the signal settings.
bool EditDiaSignalSettings(DiaModel& model, DialogHost& host, bool extension);
bool EditDiaSignalTypes(DiaModel& model, DialogHost& host);

}  // namespace corvane
