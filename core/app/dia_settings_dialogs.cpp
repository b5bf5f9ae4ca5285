#include "app/dia_settings_dialogs.h"

#include "editor/signal_detail.h"
#include "interlocking/aspects.h"
#include "map/map_settings.h"
#include "map/signal_bands.h"
#include "run/dia_change.h"
#include "stock/series_file.h"

namespace corvane {

namespace {

constexpr const char kTooOldForSettings[] =
    "このマップは、バージョンが古いため、信号設定に対応していません。";
constexpr const char kVersionErrorCaption[] = "バージョンエラー";

}  // namespace

SignalSettingsContext SignalSettingsContextOf(const DiaData& dia, bool extension) {
  SignalSettingsContext context;
  context.extension = extension;
  context.smallest_atc_brake = SmallestAtcBrake(dia.series);
  for (int s = 1; s <= dia.series.count(); ++s) {
    if (dia.series[s].characteristic == 0) context.series_without_characteristics = true;
  }
  return context;
}

bool EditDiaTimeUnits(DiaModel& model, DialogHost& host) {
  TimeUnitsDialog dialog(model.header().time_units);
  if (!host.Run(dialog)) return false;
  DiaChange change(model);
  change.header().time_units = dialog.units();
  return true;
}

bool EditDiaSignalSettings(DiaModel& model, DialogHost& host, bool extension) {
  if (model.header().settings.signal_version < kSignalVersions[0]) {
    host.prompter().Error(kTooOldForSettings, kVersionErrorCaption);
    return false;
  }
  SignalSettingsDialog dialog(model.header().settings, SignalSettingsMode::kMainWindow,
                              SignalSettingsContextOf(model.dia(), extension));
  if (!host.Run(dialog)) return false;
  DiaChange change(model);
  change.header().settings = dialog.settings();
  RecalculateAspects(change);
  return true;
}

bool EditDiaSignalTypes(DiaModel& model, DialogHost& host) {
  const SystemMap& map = model.map();
  SignalTables tables;
  tables.types = map.signal_sets;
  tables.images = map.images;
  tables.colours = map.colours;
  SignalDetailDialog dialog(std::move(tables), model.header().settings, SignalDetailMode::kEdit, 0,
                            host.english());
  if (!host.Run(dialog)) return false;
  DiaChange change(model);
  StoreSignalTableCopy(change.signal_sets(), dialog.tables().types);
  StoreSignalTableCopy(change.images(), dialog.tables().images);
  StoreSignalTableCopy(change.colours(), dialog.tables().colours);
  RecalculateAspects(change);
  return true;
}

}  // namespace corvane
