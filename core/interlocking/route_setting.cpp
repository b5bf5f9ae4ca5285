#include "interlocking/route_setting.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/text_format.h"
#include "interlocking/aspects.h"
#include "interlocking/point_control.h"

namespace corvane {

namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

const RailRecord* RailOf(const DiaFile& file, int rail) {
  return file.map.rails.Contains(rail) ? &file.map.rails[rail] : nullptr;
}

// The rail `rail`'s next link leads to, 0 none.
int NextRail(const DiaFile& file, int rail) {
  const RailRecord* r = RailOf(file, rail);
  if (r == nullptr) return 0;
  const int next = std::abs(r->l_next);
  return file.map.rails.Contains(next) ? next : 0;
}

int TwinOf(const DiaFile& file, int rail) {
  const RailRecord* r = RailOf(file, rail);
  return r != nullptr && file.map.rails.Contains(r->l_dual) ? r->l_dual : 0;
}

int PieceOf(const DiaFile& file, int rail) {
  const RailRecord* r = RailOf(file, rail);
  return r != nullptr && file.map.prails.Contains(r->l_pack) ? r->l_pack : 0;
}

// The point whose rails `rail`'s piece carries, 0 none.
int PointOfRail(const DiaFile& file, const RunState& run, int rail) {
  const int piece = PieceOf(file, rail);
  if (piece == 0 || At(piece) >= run.pieces.size()) return 0;
  const int point = run.pieces[At(piece)].point;
  return file.map.points.Contains(point) ? point : 0;
}

std::string RailName(const DiaFile& file, int rail) {
  const RailRecord* r = RailOf(file, rail);
  return r != nullptr ? r->name.Utf8() : std::string();
}

// The name of the rail carrying `lever`, as the messages name a route.
std::string StartName(const DiaFile& file, int lever) {
  return RailName(file, RailOfLever(file, lever));
}

// The train on `rail` unless it waits to couple (state 1), 0 none.
int BlockingTrain(const DiaFile& file, const RunState& run, int rail) {
  if (rail == 0 || At(rail) >= run.rails.size()) return 0;
  const int train = run.rails[At(rail)].occupying_train;
  if (train <= 0 || !file.dia.trains.Contains(train)) return 0;
  const bool coupling = At(train) < run.trains.size() && run.trains[At(train)].state == 1;
  return coupling ? 0 : train;
}

// Whether `rail` carries a lever with a route set or a button at which a
// route ends; the lever of that route (the button's when both), 0 none.
int OpposingRoute(const DiaFile& file, int rail) {
  if (const int from = RouteFrom(file, ButtonOnRail(file, rail)); from != 0) return from;
  const int lever = LeverOnRail(file, rail);
  return CurrentRoute(file, lever) != 0 ? lever : 0;
}

// Whether the point of `point` is passed trailing by a move from `from`:
// in every position one rail, the same, has `from` as its back link.
bool Trailing(const PointRecord& point, int from) {
  const int positions = PositionCount(point);
  const int entries = std::clamp(point.entry_count, 0, kPointSlots);
  int rail = 0;
  for (int d = 0; d < positions; ++d) {
    int found = 0;
    int count = 0;
    for (int e = 0; e < entries; ++e) {
      if (point.route_value_b[At(e)][At(d)] == from) {
        found = point.entry_rails[At(e)];
        ++count;
      }
    }
    if (count != 1 || (rail != 0 && found != rail)) return false;
    rail = found;
  }
  return positions > 0;
}

class RouteSearch {
 public:
  RouteSearch(const DiaFile& file, const RunState& run, int to, RoutePreference preference)
      : file_(file),
        run_(run),
        to_(to),
        preference_(preference),
        visited_(At(file.map.rails.count()) + 1, 0) {}

  std::vector<int> From(int from) {
    if (file_.map.rails.Contains(from)) {
      visited_[At(from)] = 1;
      if (!On(from)) rails_.clear();
    }
    return std::move(rails_);
  }

 private:
  // Searches on from `current`, appending the rails it passes; true when
  // it reached the end rail.
  bool On(int current) {
    while (true) {
      const int next = NextRail(file_, current);
      if (next == 0) return false;
      if (next == to_) {
        rails_.push_back(next);
        return true;
      }
      if (ButtonOnRail(file_, next) != 0) return false;
      const int point = PointOfRail(file_, run_, next);
      if (point != 0 && !Trailing(file_.map.points[point], current)) {
        return Facing(file_.map.points[point], current);
      }
      if (visited_[At(next)]) return false;
      visited_[At(next)] = 1;
      rails_.push_back(next);
      current = next;
    }
  }

  // The ways a facing point offers a move from `current`, the preferred
  // first, each tried in rail-number order.
  bool Facing(const PointRecord& point, int current) {
    std::vector<int> first, second;
    const Table<RailRecord>& rails = file_.map.rails;
    for (int n = 1; n <= rails.count(); ++n) {
      if (std::abs(rails[n].l_back) != current) continue;
      (Preferred(point, n) ? first : second).push_back(n);
    }
    first.insert(first.end(), second.begin(), second.end());
    for (const int candidate : first) {
      if (candidate == to_) {
        rails_.push_back(candidate);
        return true;
      }
      if (ButtonOnRail(file_, candidate) != 0 || visited_[At(candidate)]) continue;
      visited_[At(candidate)] = 1;
      const std::size_t mark = rails_.size();
      rails_.push_back(candidate);
      if (On(candidate)) return true;
      rails_.resize(mark);
    }
    return false;
  }

  bool Preferred(const PointRecord& point, int rail) const {
    if (preference_ == RoutePreference::kNormalPath) {
      return OnPointPath(point, rail, point.normal_position);
    }
    const int piece = PieceOf(file_, rail);
    return piece != 0 && file_.map.prails[piece].in_use == 0;
  }

  const DiaFile& file_;
  const RunState& run_;
  int to_;
  RoutePreference preference_;
  std::vector<unsigned char> visited_;
  std::vector<int> rails_;
};

// The message of the last check of the route's rails that fails, none
// when every rail is free.
const char* RailsRefusal(const DiaFile& file, const RunState& run, const std::vector<int>& rails,
                         int end) {
  const char* refusal = nullptr;
  for (const int rail : rails) {
    const int twin = TwinOf(file, rail);
    if (BlockingTrain(file, run, rail) != 0) refusal = kTrainAhead;
    if (RouteFrom(file, ButtonOnRail(file, rail)) != 0) refusal = kRouteTaken;
    if (BlockingTrain(file, run, twin) != 0) refusal = kTrainOpposite;
    if (twin != 0 && OpposingRoute(file, twin) != 0) refusal = kRouteOpposed;
    if (rail == end) break;
  }
  return refusal;
}

void CoverRails(DiaChange& change, const std::vector<int>& rails, int lever) {
  const DiaFile& file = change.model().file();
  for (const int rail : rails) {
    const int piece = PieceOf(file, rail);
    if (piece != 0 && At(piece) < change.model().run().pieces.size()) {
      change.run().pieces[At(piece)].route_lever = lever;
    }
  }
}

int& LeverValueOf(DiaChange& change, int lever, LeverValue value) {
  return change.levers()[lever].values[At(value)];
}

// Frees lever `lever`'s route without recalculating the aspects.
void FreeRoute(DiaChange& change, int lever) {
  const DiaFile& file = change.model().file();
  const int button = CurrentRoute(file, lever);
  if (button != 0) LeverValueOf(change, lever, kLeverCurrentRoute) = 0;
  if (file.dia.buttons.Contains(button) && RouteFrom(file, button) != 0) {
    change.buttons()[button].values[kButtonRouteFrom] = 0;
  }
  for (std::size_t piece = 1; piece < change.model().run().pieces.size(); ++piece) {
    if (change.model().run().pieces[piece].route_lever == lever) {
      change.run().pieces[piece].route_lever = 0;
    }
  }
}

}  // namespace

int LeverOnRail(const DiaFile& file, int rail) {
  const RailRecord* r = RailOf(file, rail);
  return r != nullptr && file.dia.levers.Contains(r->lever) ? r->lever : 0;
}

int ButtonOnRail(const DiaFile& file, int rail) {
  const RailRecord* r = RailOf(file, rail);
  return r != nullptr && file.dia.buttons.Contains(r->button) ? r->button : 0;
}

int RailOfLever(const DiaFile& file, int lever) {
  if (lever == 0) return 0;
  for (int n = 1; n <= file.map.rails.count(); ++n) {
    if (file.map.rails[n].lever == lever) return n;
  }
  return 0;
}

int RailOfButton(const DiaFile& file, int button) {
  if (button == 0) return 0;
  for (int n = 1; n <= file.map.rails.count(); ++n) {
    if (file.map.rails[n].button == button) return n;
  }
  return 0;
}

namespace {

// Per record of a table of `count`, the lowest rail whose `field` names it.
std::vector<int> LowestRails(const DiaFile& file, int count, int RailRecord::*field) {
  std::vector<int> rails(At(std::max(count, 0)) + 1, 0);
  for (int n = file.map.rails.count(); n >= 1; --n) {
    const int record = file.map.rails[n].*field;
    if (record >= 1 && record <= count) rails[At(record)] = n;
  }
  return rails;
}

}  // namespace

std::vector<int> RailsOfLevers(const DiaFile& file) {
  return LowestRails(file, file.dia.levers.count(), &RailRecord::lever);
}

std::vector<int> RailsOfButtons(const DiaFile& file) {
  return LowestRails(file, file.dia.buttons.count(), &RailRecord::button);
}

int CurrentRoute(const DiaFile& file, int lever) {
  return file.dia.levers.Contains(lever) ? file.dia.levers[lever].values[kLeverCurrentRoute] : 0;
}

int RouteFrom(const DiaFile& file, int button) {
  return file.dia.buttons.Contains(button) ? file.dia.buttons[button].values[kButtonRouteFrom] : 0;
}

int CoveringLever(const DiaFile& file, const RunState& run, int rail) {
  const int piece = PieceOf(file, rail);
  return piece != 0 && At(piece) < run.pieces.size() ? run.pieces[At(piece)].route_lever : 0;
}

std::vector<int> SearchRoute(const DiaFile& file, const RunState& run, int from, int to,
                             RoutePreference preference) {
  return RouteSearch(file, run, to, preference).From(from);
}

bool SetRoute(DiaChange& change, int start, int end, const std::vector<int>* rails,
              RoutePreference preference, bool report_refusals, const OperationReport& report) {
  const DiaFile& file = change.model().file();
  const int lever = LeverOnRail(file, start);
  const int button = ButtonOnRail(file, end);
  if (lever == 0 || button == 0) return false;
  const auto refuse = [&](const std::string& text) {
    if (report_refusals) report.Refuse(text);
    return false;
  };
  if (const int from = RouteFrom(file, button); from != 0) {
    return refuse(FillIn(kEndTaken, {StartName(file, from)}));
  }
  if (const int opposing = OpposingRoute(file, TwinOf(file, end)); opposing != 0) {
    return refuse(FillIn(kEndOpposed, {StartName(file, opposing)}));
  }
  const std::vector<int> route =
      rails != nullptr ? *rails : SearchRoute(file, change.model().run(), start, end, preference);
  if (route.empty()) return false;
  if (const char* refusal = RailsRefusal(file, change.model().run(), route, end)) {
    return refuse(refusal);
  }
  // Without interlocking the bookings ahead follow the points, so each throw
  // is followed by its calculation before the next point is checked.
  const AfterThrow after = file.header.settings.use_interlocking != 0
                               ? AfterThrow::kCallerRecalculates
                               : AfterThrow::kRecalculate;
  bool thrown = false;
  for (const int rail : route) {
    if (const int point = PointOfRail(file, change.model().run(), rail); point != 0) {
      const int position = file.map.points[point].position;
      if (!ThrowPoint(change, point, 1, ThrowCaller::kRoute, rail, report, after)) {
        if (thrown) RecalculateAspects(change);
        return refuse(FillIn(kRoutePointLocked, {file.map.points[point].point_key.Utf8()}));
      }
      thrown = thrown || file.map.points[point].position != position;
    }
    if (rail == end) {
      LeverValueOf(change, lever, kLeverCurrentRoute) = button;
      change.buttons()[button].values[kButtonRouteFrom] = lever;
      for (TrainRun& train : change.run().trains) {
        if (train.waiting_lever == lever) train.waiting_lever = 0;
      }
    }
  }
  CoverRails(change, route, lever);
  RecalculateAspects(change);
  return true;
}

void ReleaseRoute(DiaChange& change, int lever) {
  if (!change.model().dia().levers.Contains(lever)) return;
  FreeRoute(change, lever);
  RecalculateAspects(change);
}

StartClick ClickStartLever(DiaChange& change, int rail, const OperationReport& report) {
  const DiaFile& file = change.model().file();
  const RunState& run = change.model().run();
  const int lever = LeverOnRail(file, rail);
  const int twin = TwinOf(file, rail);
  if (lever == 0) return StartClick::kRefused;
  if (twin != 0 && OpposingRoute(file, twin) != 0) {
    report.Refuse(kStartOpposed);
    return StartClick::kRefused;
  }
  if (CurrentRoute(file, lever) == 0) return StartClick::kChosen;
  for (int n = 1; n <= file.map.rails.count(); ++n) {
    if (CoveringLever(file, run, n) != lever) continue;
    const int train = run.rails[At(n)].occupying_train;
    if (file.dia.trains.Contains(train)) {
      report.Refuse(FillIn(kTrainInRoute, {file.dia.trains[train].name.Utf8()}));
      return StartClick::kRefused;
    }
  }
  ReleaseRoute(change, lever);
  return StartClick::kReleased;
}

void RebuildRoute(DiaChange& change, int lever, const OperationReport& report) {
  const DiaFile& file = change.model().file();
  const int button = CurrentRoute(file, lever);
  if (button == 0) return;
  ReleaseRoute(change, lever);
  SetRoute(change, RailOfLever(file, lever), RailOfButton(file, button), nullptr,
           RoutePreference::kFreeRails, true, report);
}

void SetLeverMode(DiaChange& change, int lever, int mode) {
  if (!change.model().dia().levers.Contains(lever) || mode < 0 || mode >= kLeverModes) return;
  LeverValueOf(change, lever, kLeverMode) = mode;
}

void CycleLeverMode(DiaChange& change, int lever, const OperationReport& report) {
  static constexpr const char* kMessages[kLeverModes] = {
      "進路が手動制御に設定されました。",
      "進路が復位制御に設定されました。",
      "進路が要求制御に設定されました。",
  };
  if (!change.model().dia().levers.Contains(lever)) return;
  const int mode = change.model().dia().levers[lever].values[kLeverMode];
  const int next = mode >= 0 && mode < kLeverModes - 1 ? mode + 1 : 0;
  SetLeverMode(change, lever, next);
  report.Line(kMessages[next], false);
}

void ToggleRouteAfterStop(DiaChange& change, int lever) {
  if (!change.model().dia().levers.Contains(lever)) return;
  bool& flag = change.run().levers[At(lever)].route_after_stop;
  flag = !flag;
}

bool SetLeverNormalRoute(DiaChange& change, int lever, const OperationReport& report) {
  const DiaFile& file = change.model().file();
  const RunState& run = change.model().run();
  if (!file.dia.levers.Contains(lever)) return false;
  const Table<RailRecord>& rails = file.map.rails;
  for (int n = 1; n <= rails.count(); ++n) {
    const int normal = rails[n].normal_lever;
    if (CoveringLever(file, run, n) == lever && normal != 0 && normal != lever) {
      report.Box(kConflictingNormalRoute, kRouteErrorCaption);
      return false;
    }
  }
  const int direction = file.dia.levers[lever].values[kLeverDirection];
  for (int n = 1; n <= rails.count(); ++n) {
    const bool covered = CoveringLever(file, run, n) == lever;
    int wanted = rails[n].normal_lever;
    if (covered && rails[n].direction == direction) {
      wanted = lever;
    } else if (!covered && wanted == lever) {
      wanted = 0;
    }
    if (wanted != rails[n].normal_lever) change.rails()[n].normal_lever = wanted;
  }
  LeverValueOf(change, lever, kLeverNormalRoute) = CurrentRoute(file, lever);
  return true;
}

void ToggleLeverMain(DiaChange& change, int lever) {
  if (!change.model().dia().levers.Contains(lever)) return;
  int& main = LeverValueOf(change, lever, kLeverMain);
  main = main != 0 ? 0 : 1;
}

void ToggleSignalButton(DiaChange& change, int lever) {
  if (!change.model().dia().levers.Contains(lever)) return;
  int& shown = LeverValueOf(change, lever, kLeverHasSignalButton);
  shown = shown != 0 ? 0 : 1;
}

void ToggleButtonMain(DiaChange& change, int button) {
  if (!change.model().dia().buttons.Contains(button)) return;
  int& main = change.buttons()[button].values[kButtonMain];
  main = main != 0 ? 0 : 1;
}

void ResetRoutesOnLoading(DiaChange& change) {
  const DiaFile& file = change.model().file();
  for (std::size_t piece = 1; piece < change.model().run().pieces.size(); ++piece) {
    if (change.model().run().pieces[piece].route_lever != 0) {
      change.run().pieces[piece].route_lever = 0;
    }
  }
  for (int lever = 1; lever <= file.dia.levers.count(); ++lever) {
    const int normal = file.dia.levers[lever].values[kLeverNormalRoute];
    const int current = CurrentRoute(file, lever);
    if (current != normal) {
      if (current != 0) FreeRoute(change, lever);
      if (normal != 0) change.run().levers[At(lever)].reset_time = change.model().run().time + 10;
    }
  }
  // Covers are not saved: a route kept set covers its rails again, so that
  // its points stay locked after the data is saved and opened again.
  const std::vector<int> lever_rails = RailsOfLevers(file);
  const std::vector<int> button_rails = RailsOfButtons(file);
  for (int lever = 1; lever <= file.dia.levers.count(); ++lever) {
    const int button = CurrentRoute(file, lever);
    if (!file.dia.buttons.Contains(button)) continue;
    const int start = lever_rails[At(lever)];
    const int end = button_rails[At(button)];
    if (start == 0 || end == 0) continue;
    CoverRails(change,
               SearchRoute(file, change.model().run(), start, end, RoutePreference::kNormalPath),
               lever);
  }
}

}  // namespace corvane
