#include "interlocking/lever_generation.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "map/map_records.h"

namespace corvane {

namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// The direction of a lever or button on a rail: 1 for a leftward rail.
int DirectionOf(const RailRecord& rail) { return rail.x_exit < rail.x_entry ? 1 : 2; }

LeverRecord NewLever(const RailRecord& rail) {
  LeverRecord lever;
  auto& v = lever.values;
  const int direction = DirectionOf(rail);
  const int x = ClampToInt(std::int64_t{rail.x_exit} +
                           (std::int64_t{rail.x_entry} - std::int64_t{rail.x_exit}) / 10);
  const int offset = direction == 1 ? 10 : -10;
  v[kLeverMode] = 1;  // reset control
  v[kLeverDirection] = direction;
  v[kLeverMain] = 1;
  v[kLeverRow] = rail.display_row;
  v[kLeverX] = x;
  v[kLeverY] = rail.y_exit;
  v[kLeverHasSignalButton] = 1;
  v[kSignalButtonRow] = rail.display_row;
  v[kSignalButtonX] = ClampToInt(std::int64_t{x} + offset);
  v[kSignalButtonY] = ClampToInt(std::int64_t{rail.y_exit} + offset);
  return lever;
}

ButtonRecord NewButton(const RailRecord& rail) {
  ButtonRecord button;
  auto& v = button.values;
  v[kButtonDirection] = DirectionOf(rail);
  v[kButtonMain] = 1;
  v[kButtonRow] = rail.display_row;
  v[kButtonX] = ClampToInt(std::int64_t{rail.x_entry} +
                           2 * (std::int64_t{rail.x_exit} - std::int64_t{rail.x_entry}) / 10);
  v[kButtonY] = rail.y_entry;
  return button;
}

// The numbers the records still there take, by id (0 for a deleted one).
template <typename Planned>
std::vector<int> NumbersOf(const std::vector<Planned>& planned) {
  std::vector<int> numbers(planned.size() + 1, 0);
  int number = 0;
  for (std::size_t id = 1; id <= planned.size(); ++id) {
    if (planned[id - 1].alive) numbers[id] = ++number;
  }
  return numbers;
}

int Renumbered(const std::vector<int>& numbers, int id) {
  return id >= 0 && At(id) < numbers.size() ? numbers[At(id)] : 0;
}

// Makes `table` hold exactly `records`, changing only the records that
// differ.
template <typename Record>
void ReplaceRecords(DiaTableChange<Record> table, const std::vector<Record>& records) {
  const int count = static_cast<int>(records.size());
  table.Grow(count);
  for (int n = 1; n <= count; ++n) {
    const Record& record = records[At(n - 1)];
    if (n > table.count()) {
      table.Append(record);
    } else if (!(table.records()[n] == record)) {
      table[n] = record;
    }
  }
  while (table.count() > count) table.Delete(table.count());
}

// The levers and buttons being generated. They are known by ids (their
// places in the plan, from 1) that never change; a deleted one keeps its
// id, so deleting renumbers nothing until the plan is written, when the
// ones still there take their numbers in id order and every reference to
// a deleted one becomes 0 — what deleting records one at a time and
// renumbering the later ones gives.
class Plan {
 public:
  explicit Plan(const DiaModel& model)
      : map_(model.map()),
        run_(model.run()),
        safety_device_(model.header().settings.safety_device),
        rail_lever_(At(map_.rails.count()) + 1),
        rail_button_(At(map_.rails.count()) + 1),
        rail_normal_(At(map_.rails.count()) + 1),
        piece_cover_(At(map_.prails.count()) + 1) {}

  void Generate() {
    PlaceOnRails();
    FixPlainRoutes();
    DropDeadEnds(true);
    DropDeadEnds(false);
    if (safety_device_ == kSafetyAtc) MoveLeversOntoPlainRails();
    MoveSingleTrackButtons();
  }

  // Stores the plan: the records still there with their numbers and every
  // reference renumbered.
  void Write(DiaChange& change) const {
    const std::vector<int> lever_numbers = NumbersOf(levers_);
    const std::vector<int> button_numbers = NumbersOf(buttons_);
    std::vector<LeverRecord> levers;
    for (const PlannedLever& l : levers_) {
      if (!l.alive) continue;
      LeverRecord record = l.record;
      for (const int column : {kLeverNormalRoute, kLeverCurrentRoute}) {
        record.values[At(column)] = Renumbered(button_numbers, record.values[At(column)]);
      }
      levers.push_back(record);
    }
    std::vector<ButtonRecord> buttons;
    for (const PlannedButton& b : buttons_) {
      if (!b.alive) continue;
      ButtonRecord record = b.record;
      record.values[kButtonRouteFrom] = Renumbered(lever_numbers, record.values[kButtonRouteFrom]);
      buttons.push_back(record);
    }
    ReplaceRecords(change.levers(), levers);
    ReplaceRecords(change.buttons(), buttons);

    for (int r = 1; r <= rail_count(); ++r) {
      const int lever = Renumbered(lever_numbers, rail_lever_[At(r)]);
      const int button = Renumbered(button_numbers, rail_button_[At(r)]);
      const int normal = Renumbered(lever_numbers, rail_normal_[At(r)]);
      const RailRecord& now = rail(r);
      if (now.lever == lever && now.button == button && now.normal_lever == normal) continue;
      RailRecord& changed = change.rails()[r];
      changed.lever = lever;
      changed.button = button;
      changed.normal_lever = normal;
    }

    // The run-time values of the old levers go with them: the new levers
    // start clear, only the fixed routes cover their pieces, and no train
    // waits for a lever.
    const RunState& run = change.model().run();
    std::vector<int> covers(run.pieces.size(), 0);
    for (std::size_t p = 1; p < covers.size() && p < piece_cover_.size(); ++p) {
      covers[p] = Renumbered(lever_numbers, piece_cover_[p]);
    }
    bool run_differs = run.levers.size() != levers.size() + 1;
    for (std::size_t i = 1; !run_differs && i < run.levers.size(); ++i) {
      run_differs = !(run.levers[i] == LeverRun{});
    }
    for (std::size_t p = 1; !run_differs && p < covers.size(); ++p) {
      run_differs = run.pieces[p].route_lever != covers[p];
    }
    for (std::size_t t = 1; !run_differs && t < run.trains.size(); ++t) {
      run_differs = run.trains[t].waiting_lever != 0;
    }
    if (!run_differs) return;
    RunState& changed = change.run();
    changed.levers.assign(levers.size() + 1, LeverRun{});
    for (std::size_t p = 1; p < covers.size(); ++p) changed.pieces[p].route_lever = covers[p];
    for (std::size_t t = 1; t < changed.trains.size(); ++t) changed.trains[t].waiting_lever = 0;
  }

 private:
  struct Planned {
    int rail = 0;
    bool alive = true;
  };
  struct PlannedLever : Planned {
    LeverRecord record;
  };
  struct PlannedButton : Planned {
    ButtonRecord record;
  };

  int rail_count() const { return map_.rails.count(); }
  const RailRecord& rail(int r) const { return map_.rails[r]; }
  // The rail a link names (either sign), 0 for none or a number out of range.
  int Linked(int link) const {
    if (link == 0 || link == INT_MIN) return 0;
    const int r = link < 0 ? -link : link;
    return map_.rails.Contains(r) ? r : 0;
  }
  // The rail a positive link names, 0 otherwise.
  int Forward(int link) const { return link > 0 && map_.rails.Contains(link) ? link : 0; }
  int Twin(int r) const { return map_.rails.Contains(rail(r).l_dual) ? rail(r).l_dual : 0; }
  bool InYard(int r) const { return rail(r).yard_target != 0; }
  bool Stops(int r) const { return rail(r).stop_distance != 0; }
  // A platform stop on the rail or on the other direction of its track.
  bool PlatformStop(int r) const { return Stops(r) || (Twin(r) != 0 && Stops(Twin(r))); }
  bool HasSignal(int r) const {
    return rail(r).signal >= 1 && rail(r).signal <= map_.signal_sets.count();
  }
  int Piece(int r) const { return map_.prails.Contains(rail(r).l_pack) ? rail(r).l_pack : 0; }
  bool HasPoint(int r) const {
    const int piece = Piece(r);
    return piece != 0 && At(piece) < run_.pieces.size() && run_.pieces[At(piece)].point != 0;
  }
  bool SingleTrack(int r) const {
    const int piece = Piece(r);
    return piece != 0 && map_.prails[piece].single_track != 0;
  }

  int AddLever(int r) {
    levers_.push_back({{r, true}, NewLever(rail(r))});
    rail_lever_[At(r)] = static_cast<int>(levers_.size());
    return rail_lever_[At(r)];
  }
  int AddButton(int r) {
    buttons_.push_back({{r, true}, NewButton(rail(r))});
    rail_button_[At(r)] = static_cast<int>(buttons_.size());
    return rail_button_[At(r)];
  }
  PlannedLever& lever(int id) { return levers_[At(id - 1)]; }
  PlannedButton& button(int id) { return buttons_[At(id - 1)]; }
  void DeleteLever(int id) {
    lever(id).alive = false;
    rail_lever_[At(lever(id).rail)] = 0;
  }
  // A button that ends a route fixed on it takes the route with it: its
  // lever keeps no route and covers nothing.
  void DeleteButton(int id) {
    PlannedButton& b = button(id);
    b.alive = false;
    rail_button_[At(b.rail)] = 0;
    const int from = b.record.values[kButtonRouteFrom];
    if (from == 0) return;
    auto& v = lever(from).record.values;
    if (v[kLeverNormalRoute] == id) v[kLeverNormalRoute] = 0;
    if (v[kLeverCurrentRoute] == id) v[kLeverCurrentRoute] = 0;
    if (rail_normal_[At(b.rail)] == from) rail_normal_[At(b.rail)] = 0;
    const int piece = Piece(b.rail);
    if (piece_cover_[At(piece)] == from) piece_cover_[At(piece)] = 0;
  }

  // A lever where a route can start: a platform of a yard, or the last
  // rail before one; a button likewise where a route can end, looking back.
  void PlaceOnRails() {
    for (int r = 1; r <= rail_count(); ++r) {
      const bool platform = InYard(r) && PlatformStop(r);
      const int next = Linked(rail(r).l_next);
      const int back = Linked(rail(r).l_back);
      if (next != 0 && (platform || (!InYard(r) && InYard(next)))) AddLever(r);
      if (back != 0 && (platform || (!InYard(r) && InYard(back))) && rail_button_[At(r)] == 0) {
        AddButton(r);
      }
    }
  }

  // A lever whose next rail carries a button: a plain route between two
  // signals on double track is set for good; without a signal there is no
  // route at all.
  void FixPlainRoutes() {
    for (int r = 1; r <= rail_count(); ++r) {
      const int l = rail_lever_[At(r)];
      const int next = Linked(rail(r).l_next);
      if (l == 0 || next == 0 || rail_button_[At(next)] == 0) continue;
      const int b = rail_button_[At(next)];
      if (!HasSignal(r)) {
        DeleteLever(l);
        DeleteButton(b);
        continue;
      }
      if (SingleTrack(r) || Twin(r) != 0 || Twin(next) != 0) continue;
      auto& lv = lever(l).record.values;
      lv[kLeverMode] = 0;
      lv[kLeverNormalRoute] = lv[kLeverCurrentRoute] = b;
      lv[kLeverMain] = 0;
      lv[kLeverHasSignalButton] = 0;
      auto& bv = button(b).record.values;
      bv[kButtonRouteFrom] = l;
      bv[kButtonMain] = 0;
      rail_normal_[At(next)] = l;
      if (const int piece = Piece(next); piece != 0) piece_cover_[At(piece)] = l;
    }
  }

  // Whether the walk from `from` along the positive links `link` gives,
  // across rails that do not `stop` it, ends at a link of 0. `ends` keeps,
  // per rail crossed, the answer of the walk on from it (-1 unknown, 2 on
  // the way), so that every rail is crossed once in all the walks of a
  // pass and a ring ends the walk that comes round to it.
  template <typename LinkOf, typename StopsAt>
  bool WalkEndsAtZero(int from, LinkOf link, StopsAt stop, std::vector<signed char>& ends) const {
    constexpr signed char kOnTheWay = 2;
    std::vector<int> crossed;
    bool result = false;
    for (int at = from;;) {
      const int l = link(at);
      if (l == 0) {
        result = true;
        break;
      }
      const int next = Forward(l);
      if (next == 0 || stop(next) || ends[At(next)] == kOnTheWay) break;
      if (ends[At(next)] >= 0) {
        result = ends[At(next)] == 1;
        break;
      }
      ends[At(next)] = kOnTheWay;
      crossed.push_back(next);
      at = next;
    }
    for (const int r : crossed) ends[At(r)] = result ? 1 : 0;
    return result;
  }

  // Drops the levers (`forward`) or the buttons (backward) at the end of a
  // plain track that leads nowhere: the walk along the positive next (back)
  // links across rails without a button (lever), platform stop or point
  // ends at a link of 0.
  void DropDeadEnds(bool forward) {
    const std::vector<int>& placed = forward ? rail_lever_ : rail_button_;
    const std::vector<int>& other = forward ? rail_button_ : rail_lever_;
    const auto link = [this, forward](int r) { return forward ? rail(r).l_next : rail(r).l_back; };
    const auto stop = [this, &other](int r) {
      return other[At(r)] != 0 || PlatformStop(r) || HasPoint(r);
    };
    std::vector<signed char> ends(At(rail_count()) + 1, -1);
    for (int r = 1; r <= rail_count(); ++r) {
      const int id = placed[At(r)];
      if (id == 0 || !WalkEndsAtZero(r, link, stop, ends)) continue;
      if (forward) {
        DeleteLever(id);
      } else {
        DeleteButton(id);
      }
    }
  }

  // Under ATC a route starts one rail further on when that rail is plain.
  void MoveLeversOntoPlainRails() {
    std::vector<int> rails;
    for (int r = 1; r <= rail_count(); ++r) {
      if (rail_lever_[At(r)] != 0) rails.push_back(r);
    }
    for (const int r : rails) {
      const int l = rail_lever_[At(r)];
      const int next = Forward(rail(r).l_next);
      if (l == 0 || next == 0) continue;
      if (rail_lever_[At(next)] != 0 || rail_button_[At(next)] != 0 || HasPoint(next)) continue;
      DeleteLever(l);
      AddLever(next);
    }
  }

  // A button on single track moves on to the last rail of that single
  // track before a point, a button or its end.
  void MoveSingleTrackButtons() {
    std::vector<int> rails;
    for (int r = 1; r <= rail_count(); ++r) {
      if (rail_button_[At(r)] != 0 && rail_lever_[At(r)] == 0 && SingleTrack(r)) {
        rails.push_back(r);
      }
    }
    // The walk that last crossed each rail: a ring ends the walk.
    std::vector<int> crossed_by(At(rail_count()) + 1, 0);
    for (const int r : rails) {
      int last = r;
      crossed_by[At(r)] = r;
      for (;;) {
        const int next = Forward(rail(last).l_next);
        if (next == 0 || crossed_by[At(next)] == r || HasPoint(next) || !SingleTrack(next) ||
            rail_button_[At(next)] != 0 || (rail(next).l_next == 0 && !Stops(next))) {
          break;
        }
        crossed_by[At(next)] = r;
        last = next;
      }
      if (last == r) continue;
      DeleteButton(rail_button_[At(r)]);
      AddButton(last);
    }
  }

  const SystemMap& map_;
  const RunState& run_;
  int safety_device_;
  // Per rail (per piece): the id of the lever, button, normal-route lever
  // (covering lever) the generation gives it, 0 none.
  std::vector<int> rail_lever_, rail_button_, rail_normal_, piece_cover_;
  std::vector<PlannedLever> levers_;
  std::vector<PlannedButton> buttons_;
};

}  // namespace

void GenerateLeversAndButtons(DiaChange& change) {
  Plan plan(change.model());
  plan.Generate();
  plan.Write(change);
}

}  // namespace corvane
