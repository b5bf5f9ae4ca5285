#include "interlocking/interlocking_panel.h"

#include <cstddef>

#include "interlocking/aspects.h"
#include "interlocking/lever_generation.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

// Whether every rail through a point belongs to a station yard.
bool PointsInYards(const DiaModel& model) {
  const SystemMap& map = model.map();
  const std::vector<PieceRun>& pieces = model.run().pieces;
  for (const RailRecord& rail : map.rails) {
    if (rail.yard_target != 0 || !map.prails.Contains(rail.l_pack)) continue;
    const auto piece = static_cast<std::size_t>(rail.l_pack);
    if (piece < pieces.size() && pieces[piece].point != 0) return false;
  }
  return true;
}

// The checks before the toggle, either way: the message box of the first
// that fails, or true.
bool PanelAllowed(const DiaModel& model, const OperationReport& report) {
  const DiaHeader& header = model.header();
  if (header.settings.use_area == 0) {
    report.Box(kPanelNeedsAreasText, kPanelAreaErrorCaption);
    return false;
  }
  if (!PointsInYards(model)) {
    report.Box(kPanelPointsOutsideYardsText, kPanelAreaErrorCaption);
    return false;
  }
  // The map's version number is the header's map code: maps coded 0 to 4
  // come from versions before the panel.
  if (header.map_code >= 0 && header.map_code <= 4) {
    report.Box(kPanelOldMapText, kPanelUnsupportedCaption);
    return false;
  }
  return true;
}

// Every lever under reset control goes to demand control.
void StartUnderDemandControl(DiaChange& change) {
  DiaTableChange<LeverRecord> levers = change.levers();
  for (int n = 1; n <= levers.count(); ++n) {
    if (levers.records()[n].values[kLeverMode] == 1) levers[n].values[kLeverMode] = 2;
  }
}

}  // namespace

PanelToggle ToggleInterlockingPanel(DiaModel& model, const OperationReport& report) {
  if (!PanelAllowed(model, report)) return PanelToggle::kRefused;
  DiaChange change(model);
  const bool on = model.header().settings.use_interlocking == 0;
  change.header().settings.use_interlocking = on ? 1 : 0;
  if (on) {
    GenerateLeversAndButtons(change);
    if (report.Box(kPanelDemandQuestion, kPanelDemandCaption, PromptButtons::kYesNo,
                   PromptIcon::kQuestion) == PromptAnswer::kYes) {
      StartUnderDemandControl(change);
    }
  }
  // Levers hold their signals at stop only while interlocking is in use.
  RecalculateAspects(change);
  return on ? PanelToggle::kSwitchedOn : PanelToggle::kSwitchedOff;
}

}  // namespace corvane
