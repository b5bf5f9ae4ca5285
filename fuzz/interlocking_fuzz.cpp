// Opens arbitrary dia data (packed, or as a bundle text) as the main window
// does — points to their normal positions, routes reset, occupancy and
// aspects calculated — and then works its interlocking: every point thrown
// both ways and by request, the panel mode switched, routes set from levers
// to buttons, cycled, rebuilt and released, and the state dumped. Whatever
// the data holds, nothing may crash, overflow or hang.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "interlocking/aspects.h"
#include "interlocking/interlocking_panel.h"
#include "interlocking/operate_script.h"
#include "interlocking/operation_data.h"
#include "interlocking/point_control.h"
#include "interlocking/route_setting.h"
#include "mapfile/packed_bundle.h"
#include "run/dia_change.h"
#include "run/dia_model.h"

namespace {

using namespace corvane;

// Enough of each table to reach its rules, few enough to keep a run short.
constexpr int kMostTried = 12;

void Operate(DiaModel& model) {
  const OperationReport report{[](std::string_view, bool) {}, nullptr};
  const int points = model.map().points.count();
  for (int p = 1; p <= points && p <= kMostTried; ++p) {
    DiaChange change(model);
    ThrowPoint(change, p, 1, ThrowCaller::kBoard, 0, report);
    ThrowPoint(change, p, -1, ThrowCaller::kBoard, 0, report);
    const PointRecord& point = model.map().points[p];
    ThrowPoint(change, p, 1, ThrowCaller::kRoute, point.entry_rails[0], report);
    CyclePointMode(change, p, report);
  }
  ToggleInterlockingPanel(model, report);
  const DiaFile& file = model.file();
  for (int lever = 1; lever <= file.dia.levers.count() && lever <= kMostTried; ++lever) {
    for (int button = 1; button <= file.dia.buttons.count() && button <= kMostTried; ++button) {
      DiaChange change(model);
      const int start = RailOfLever(model.file(), lever);
      if (ClickStartLever(change, start, report) == StartClick::kChosen) {
        SetRoute(change, start, RailOfButton(model.file(), button), nullptr,
                 RoutePreference::kNormalPath, false, report);
      }
      RebuildRoute(change, lever, report);
      SetLeverNormalRoute(change, lever, report);
      CycleLeverMode(change, lever, report);
      ReleaseRoute(change, lever);
    }
  }
  DumpOperation(model.file(), model.run(), DumpSections::kAll);
}

void Check(std::string_view text) {
  DiaFile file;
  fuzzing::IgnoringPrompter prompter;
  if (!fuzzing::ReadDiaBundleText(text, file, prompter)) return;
  DiaModel model;
  model.Replace(std::move(file), InitialiseOperationData);
  Operate(model);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(UnpackBytes(bytes));
  Check(bytes);
  return 0;
}
