#include "board/rail_colours.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "board/board_drawing.h"

namespace corvane {

namespace {

constexpr int kUnknown = -1;
constexpr int kOnPath = -2;
constexpr int kGoOn = -3;

template <typename T>
const T* Entry(const std::vector<T>& list, int n) {
  return n >= 0 && static_cast<std::size_t>(n) < list.size() ? &list[static_cast<std::size_t>(n)]
                                                             : nullptr;
}

Rgb Clamped(int red, int green, int blue) {
  return {std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255)};
}

}  // namespace

RailColours::RailColours(const BoardScene& scene) : scene_(scene) {}

bool RailColours::HasSignal(int rail) const {
  const int signal = scene_.file.map.rails[rail].signal;
  return scene_.file.map.signal_sets.Contains(signal);
}

int RailColours::NextRail(int rail) const {
  const int next = scene_.file.map.rails[rail].l_next;
  const int absolute = next == INT_MIN ? 0 : std::abs(next);
  return scene_.file.map.rails.Contains(absolute) ? absolute : 0;
}

bool RailColours::PieceHasPoint(int rail) const {
  const PieceRun* piece = Entry(scene_.run.pieces, scene_.file.map.rails[rail].l_pack);
  return piece != nullptr && piece->point != 0;
}

bool RailColours::InUse(int rail) const {
  const Table<PRailRecord>& pieces = scene_.file.map.prails;
  const int piece = scene_.file.map.rails[rail].l_pack;
  return !pieces.Contains(piece) || pieces[piece].in_use != 0;
}

int RailColours::RouteLever(int rail) const {
  const PieceRun* piece = Entry(scene_.run.pieces, scene_.file.map.rails[rail].l_pack);
  return piece != nullptr ? piece->route_lever : 0;
}

template <typename Own>
int RailColours::Walk(std::vector<int>& memo, int rail, Own own) {
  const Table<RailRecord>& rails = scene_.file.map.rails;
  if (memo.empty()) memo.assign(static_cast<std::size_t>(rails.count()) + 1, kUnknown);
  std::vector<int>& path = path_;
  path.clear();
  int answer = 0;
  for (int current = rail; rails.Contains(current); current = NextRail(current)) {
    int& known = memo[static_cast<std::size_t>(current)];
    if (known >= 0) {
      answer = known;
      break;
    }
    if (known == kOnPath) break;  // round a ring: no answer
    known = kOnPath;
    path.push_back(current);
    const int at = own(current);
    if (at != kGoOn) {
      answer = at;
      break;
    }
  }
  for (int r : path) memo[static_cast<std::size_t>(r)] = answer;
  return answer;
}

int RailColours::GoverningRail(int rail) {
  return Walk(governing_, rail, [this](int r) {
    if (HasSignal(r)) return r;
    const int next = NextRail(r);
    if (PieceHasPoint(r)) return next == 0 ? r : kGoOn;
    return next == 0 || !PieceHasPoint(next) ? 0 : kGoOn;
  });
}

int RailColours::SignalAhead(int rail) {
  if (!scene_.file.map.rails.Contains(rail)) return 0;
  return Walk(signal_ahead_, rail, [this](int r) {
    if (HasSignal(r)) return scene_.file.map.rails[r].signal;
    return NextRail(r) == 0 ? 0 : kGoOn;
  });
}

Rgb RailColours::AspectColour(int signal, int aspect) const {
  const SystemMap& map = scene_.file.map;
  if (!map.signal_sets.Contains(signal)) return kWhite;
  const SignalAspectEntry& entry =
      map.signal_sets[signal]
          .aspects[static_cast<std::size_t>(std::clamp(aspect, 0, kAspectSpeeds - 1))];
  // Colour 0 is white; a number beyond the table shows white too.
  if (entry.colour < 0 || entry.colour > map.colours.count()) return kWhite;
  const corvane::AspectColour& colour = map.colours[entry.colour];
  return Clamped(colour.red, colour.green, colour.blue);
}

Rgb RailColours::AspectModeColour(int rail) {
  const bool limit_mode = scene_.settings.rail_view == kAspectOnly;
  const Rgb none = limit_mode ? kWhite : kBlue;
  const int governing = GoverningRail(rail);
  if (governing == 0) return none;
  const int signal = SignalAhead(governing);
  if (signal == 0) return none;
  const RailRun* run = Entry(scene_.run.rails, governing);
  const int aspect = run != nullptr ? run->aspect : 0;
  if (limit_mode) {
    const int own_limit = scene_.file.map.rails[rail].speed_limit;
    const int limit = own_limit != 0 ? own_limit : scene_.file.header.settings.max_speed;
    if (aspect >= limit) return kWhite;
  }
  return AspectColour(signal, aspect);
}

Rgb RailColours::BaseColour(int rail) {
  if (scene_.settings.rail_view != kTrackCircuits) return AspectModeColour(rail);
  const auto occupied = [this](int r) {
    const RailRun* run = Entry(scene_.run.rails, r);
    return run != nullptr && run->occupying_train != 0;
  };
  return occupied(rail) || occupied(scene_.file.map.rails[rail].l_dual) ? kRed : kWhite;
}

Rgb RailColours::NormalColour(int rail) {
  const RailRecord& record = scene_.file.map.rails[rail];
  const RailRun* run = Entry(scene_.run.rails, rail);
  const bool interlocking = scene_.file.header.settings.use_interlocking != 0;
  Rgb colour;
  if (!InUse(rail)) {
    colour = kGray;
  } else if (!interlocking && run != nullptr && run->booking < 0) {
    colour = kDarkGray;
  } else {
    colour = BaseColour(rail);
    const int lever = RouteLever(rail);
    const Table<LeverRecord>& levers = scene_.file.dia.levers;
    if (interlocking && levers.Contains(lever) && lever != record.lever) {
      const auto& values = levers[lever].values;
      const bool same_direction = (IsLeftward(record) ? 1 : 2) == values[kLeverDirection];
      if (scene_.settings.rail_view == kTrackCircuits) {
        const bool occupied = run != nullptr && run->occupying_train != 0;
        const bool has_button = scene_.file.dia.buttons.Contains(record.button);
        const bool shown = has_button
                               ? values[kLeverMain] != 0 || scene_.settings.inter_view == kFullPanel
                               : same_direction;
        if (!occupied && shown) colour = kYellow;
      } else if (!scene_.file.dia.buttons.Contains(record.button)) {
        colour = same_direction ? kWhite : kGray;
      }
    }
  }
  if (run != nullptr && run->accident) colour = kSilver;
  return colour;
}

Rgb RailColours::LayoutColour(int rail) {
  const RailRecord& record = scene_.file.map.rails[rail];
  if (record.display_row != scene_.layout_row) return kDarkGray;
  if (!InUse(rail)) return kGray;
  const RailRun* run = Entry(scene_.run.rails, rail);
  if (scene_.file.header.settings.use_interlocking == 0 && run != nullptr && run->booking < 0) {
    return kDarkGray;
  }
  return RouteLever(rail) != 0 ? kWhite : BaseColour(rail);
}

Rgb RailColours::Of(int rail) {
  if (!scene_.file.map.rails.Contains(rail)) return kWhite;
  switch (scene_.view.layout) {
    case LayoutMode::kRailProperty:
      return rail == scene_.selected_rail ? kWhite : kGray;
    case LayoutMode::kRowDivision:
    case LayoutMode::kRowPosition:
      return LayoutColour(rail);
    default:
      return NormalColour(rail);
  }
}

}  // namespace corvane
