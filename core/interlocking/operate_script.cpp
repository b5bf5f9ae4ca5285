#include "interlocking/operate_script.h"

#include <optional>
#include <vector>

#include "base/encoding.h"
#include "base/script_words.h"
#include "interlocking/aspects.h"
#include "interlocking/point_control.h"
#include "interlocking/route_setting.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// The longest key a point holds, in Shift-JIS bytes.
constexpr std::size_t kLongestKey = 20;

void Field(std::string& out, std::string_view name, int value) {
  out += ' ';
  out += name;
  out += '=';
  out += std::to_string(value);
}

void DumpRails(const DiaFile& file, const RunState& run, std::string& out) {
  const SystemMap& map = file.map;
  for (int n = 1; n <= map.rails.count(); ++n) {
    const RailRecord& rail = map.rails[n];
    const RailRun& state = run.rails[At(n)];
    const bool has_piece = map.prails.Contains(rail.l_pack);
    out += "rail " + std::to_string(n);
    Field(out, "aspect", state.aspect);
    Field(out, "origin", state.stop_origin);
    Field(out, "next", rail.l_next);
    Field(out, "back", rail.l_back);
    Field(out, "use", has_piece ? map.prails[rail.l_pack].in_use : 1);
    Field(out, "cover", CoveringLever(file, run, n));
    Field(out, "normal", rail.normal_lever);
    Field(out, "occ", state.occupying_train);
    Field(out, "book", state.booking);
    out += '\n';
  }
}

void DumpPoints(const DiaFile& file, const RunState& run, std::string& out) {
  for (int n = 1; n <= file.map.points.count(); ++n) {
    const PointRecord& point = file.map.points[n];
    const PointRun& state = run.points[At(n)];
    out += "point " + std::to_string(n);
    Field(out, "pos", point.position);
    Field(out, "normal", point.normal_position);
    Field(out, "mode", point.mode);
    Field(out, "saved", state.saved_mode);
    Field(out, "locked", LockingRail(file, run, n) != 0 ? 1 : 0);
    Field(out, "failed", state.failed ? 1 : 0);
    out += " key=" + point.point_key.Utf8() + "\n";
  }
}

void DumpRoutes(const DiaFile& file, std::string& out) {
  const std::vector<int> lever_rails = RailsOfLevers(file);
  const std::vector<int> button_rails = RailsOfButtons(file);
  for (int n = 1; n <= file.dia.levers.count(); ++n) {
    const LeverRecord& lever = file.dia.levers[n];
    out += "lever " + std::to_string(n);
    Field(out, "rail", lever_rails[At(n)]);
    Field(out, "mode", lever.values[kLeverMode]);
    Field(out, "normal", lever.values[kLeverNormalRoute]);
    Field(out, "current", lever.values[kLeverCurrentRoute]);
    out += '\n';
  }
  for (int n = 1; n <= file.dia.buttons.count(); ++n) {
    out += "button " + std::to_string(n);
    Field(out, "rail", button_rails[At(n)]);
    Field(out, "from", file.dia.buttons[n].values[kButtonRouteFrom]);
    out += '\n';
  }
}

std::optional<DumpSections> SectionNamed(std::string_view name) {
  if (name == "rails") return DumpSections::kRails;
  if (name == "points") return DumpSections::kPoints;
  if (name == "routes") return DumpSections::kRoutes;
  return std::nullopt;
}

// A script line's words after its command, read one by one with their
// checks; the first failure is kept as the line's problem.
class Arguments {
 public:
  explicit Arguments(std::vector<std::string_view> words) : words_(std::move(words)) {}

  bool Count(std::size_t least, std::size_t most) {
    const std::size_t given = words_.size() - 1;
    if (given < least || given > most) {
      Fail("wrong number of arguments for " + std::string(words_[0]));
      return false;
    }
    return true;
  }
  std::size_t size() const { return words_.size() - 1; }
  std::string_view Word(std::size_t i) const { return words_[i]; }

  // Argument `i` as a number from `low` to `high`, named `what` in the problem.
  std::optional<int> Number(std::size_t i, int low, int high, std::string_view what) {
    const std::optional<int> value = ParseInt(words_[i]);
    if (!value) {
      Fail(std::string(what) + " is not a decimal number: " + std::string(words_[i]));
    } else if (*value < low || *value > high) {
      Fail(std::string(what) + " " + std::string(words_[i]) + " is out of range " +
           std::to_string(low) + ".." + std::to_string(high));
      return std::nullopt;
    }
    return value;
  }

  void Fail(std::string problem) {
    if (problem_.empty()) problem_ = std::move(problem);
  }
  const std::string& problem() const { return problem_; }

 private:
  std::vector<std::string_view> words_;
  std::string problem_;
};

}  // namespace

std::string DumpOperation(const DiaFile& file, const RunState& run, DumpSections sections) {
  std::string out;
  const bool all = sections == DumpSections::kAll;
  if (all || sections == DumpSections::kRails) DumpRails(file, run, out);
  if (all || sections == DumpSections::kPoints) DumpPoints(file, run, out);
  if (all || sections == DumpSections::kRoutes) DumpRoutes(file, out);
  return out;
}

OperateScript::OperateScript(DiaModel& model, std::function<void(std::string_view)> dump,
                             OperationReport report)
    : model_(model), dump_(std::move(dump)), report_(std::move(report)) {}

OperateScript::Outcome OperateScript::Run(std::istream& in, std::string* error) {
  const bool done = RunScriptLines(in, [&](int number, std::string_view line) {
    return RunLine(number, line, error) == Outcome::kDone;
  });
  return done ? Outcome::kDone : Outcome::kBadLine;
}

OperateScript::Outcome OperateScript::RunLine(int number, std::string_view line,
                                              std::string* error) {
  std::vector<std::string_view> words = Words(line);
  if (words.empty() || words[0].starts_with('#')) return Outcome::kDone;
  const std::string_view command = words[0];
  Arguments args(std::move(words));
  const DiaFile& file = model_.file();
  const int points = file.map.points.count();
  const int levers = file.dia.levers.count();
  const auto point = [&] { return args.Number(1, 1, points, "point"); };
  const auto lever = [&] { return args.Number(1, 1, levers, "lever"); };
  const auto bad = [&] {
    *error = "line " + std::to_string(number) + ": " + args.problem();
    return Outcome::kBadLine;
  };

  if (command == "dump") {
    if (!args.Count(0, 1)) return bad();
    DumpSections sections = DumpSections::kAll;
    if (args.size() == 1) {
      const std::optional<DumpSections> named = SectionNamed(args.Word(1));
      if (!named) {
        args.Fail("no dump section " + std::string(args.Word(1)));
        return bad();
      }
      sections = *named;
    }
    {
      DiaChange change(model_);
      RecalculateAspects(change);
    }
    dump_("dump " + std::to_string(number) + "\n" +
          DumpOperation(model_.file(), model_.run(), sections));
    return Outcome::kDone;
  }

  DiaChange change(model_);
  if (command == "throw") {
    if (!args.Count(1, 2)) return bad();
    const std::optional<int> p = point();
    int step = 1;
    if (args.size() == 2) {
      const std::string_view word = args.Word(2);
      if (word == "-1") {
        step = -1;
      } else if (word != "+1" && word != "1") {
        args.Fail("a step is +1 or -1, not " + std::string(word));
      }
    }
    if (!p || !args.problem().empty()) return bad();
    ThrowPoint(change, *p, step, ThrowCaller::kBoard, 0, report_);
  } else if (command == "position") {
    if (!args.Count(2, 2)) return bad();
    const std::optional<int> p = point();
    if (!p) return bad();
    const std::optional<int> j =
        args.Number(2, 0, PositionCount(file.map.points[*p]) - 1, "position");
    if (!j) return bad();
    SetPointPosition(change, *p, *j);
  } else if (command == "mode" || command == "fail") {
    if (!args.Count(2, 2)) return bad();
    const std::optional<int> p = point();
    const bool mode = command == "mode";
    const std::optional<int> value =
        args.Number(2, 0, mode ? kPointModes - 1 : 1, mode ? "mode" : "failed flag");
    if (!p || !value) return bad();
    if (mode) {
      SetPointMode(change, *p, *value);
    } else {
      change.run().points[At(*p)].failed = *value != 0;
    }
  } else if (command == "cycle" || command == "normal") {
    if (!args.Count(1, 1)) return bad();
    const std::optional<int> p = point();
    if (!p) return bad();
    if (command == "cycle") {
      CyclePointMode(change, *p, report_);
    } else {
      SetPointNormalPosition(change, *p);
    }
  } else if (command == "key") {
    if (!args.Count(2, 2)) return bad();
    const std::optional<int> p = point();
    const std::string key = Utf8ToSjis(args.Word(2));
    if (SjisToUtf8(key) != args.Word(2) || key.size() > kLongestKey ||
        key.find(',') != std::string::npos) {
      args.Fail("a key is 1 to 20 bytes of Shift-JIS without a comma");
    }
    if (!p || !args.problem().empty()) return bad();
    SetPointKey(change, *p, key, report_);
  } else if (command == "route") {
    if (!args.Count(2, 2)) return bad();
    const std::optional<int> l = lever();
    const std::optional<int> b = args.Number(2, 1, file.dia.buttons.count(), "button");
    if (!l || !b) return bad();
    const int start = RailOfLever(file, *l);
    const int end = RailOfButton(file, *b);
    if (start == 0) args.Fail("lever " + std::to_string(*l) + " is on no rail");
    if (end == 0) args.Fail("button " + std::to_string(*b) + " is on no rail");
    if (CurrentRoute(file, *l) != 0) {
      args.Fail("lever " + std::to_string(*l) + " has a route set already");
    }
    if (!args.problem().empty()) return bad();
    if (ClickStartLever(change, start, report_) == StartClick::kChosen) {
      SetRoute(change, start, end, nullptr, RoutePreference::kNormalPath, true, report_);
    }
  } else if (command == "release" || command == "reroute" || command == "lcycle" ||
             command == "lnormal") {
    if (!args.Count(1, 1)) return bad();
    const std::optional<int> l = lever();
    if (!l) return bad();
    if (command == "release") {
      ReleaseRoute(change, *l);
    } else if (command == "reroute") {
      RebuildRoute(change, *l, report_);
    } else if (command == "lcycle") {
      CycleLeverMode(change, *l, report_);
    } else {
      SetLeverNormalRoute(change, *l, report_);
    }
  } else {
    args.Fail("unknown command " + std::string(command));
    return bad();
  }
  return Outcome::kDone;
}

}  // namespace corvane
