#include "app/passenger_window.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "app/english_twins.h"
#include "editor/value_dialogs.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

constexpr int kDayStep = 600;          // the clicks' times go by 10 minutes
constexpr int kTimeScrollStep = 1800;  // "←" and "→"
constexpr int kSecondsStep = 20;
constexpr int kPassengersStep = 2;
// The coarsest views: beyond them a step changes nothing (a pixel an hour,
// a pixel per million passengers), so no division or product leaves an int.
constexpr int kMostSecondsPerPixel = 3600;
constexpr int kMostPassengersPerPixel = 1'000'000;
// Pixels are kept within this distance of the picture.
constexpr std::int64_t kFarPixel = 100'000;
constexpr int kCircleRadius = 3;
// "＋" multiplies the counts by 1.05, "－" divides them by it.
constexpr int kScaleUp = 105;
constexpr int kScaleDown = 100;

constexpr Rgb kGridColour{163, 255, 255};
constexpr Rgb kTenMinuteColour{211, 255, 255};
constexpr Rgb kReverseColour{128, 128, 128};
constexpr Rgb kCurveColour{0, 0, 255};

// The texts' places in the top area, beside the buttons.
constexpr int kTextLeft = 58;
constexpr int kSimulationLeft = 420;
constexpr int kSimulationValueLeft = 520;

// count × numerator / denominator, truncated and kept within an int. The
// product of two ints fits 64 bits.
int ScaledCount(int count, std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t scaled = std::int64_t{count} * numerator / denominator;
  return static_cast<int>(std::clamp<std::int64_t>(scaled, INT_MIN, INT_MAX));
}

int ClampCount(std::int64_t count) {
  return static_cast<int>(std::clamp<std::int64_t>(count, 0, INT_MAX));
}

std::string Printed(const char* format, long long value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

bool InPair(const DemandEntry& e, int from, int to) { return e.from == from && e.to == to; }

// A small circle of line pieces around `centre`.
void DrawCircle(Canvas& canvas, PixelPoint centre, Rgb colour) {
  constexpr int kPieces = 12;
  const auto point = [centre](int i) {
    const double angle = 2.0 * 3.14159265358979 * i / kPieces;
    return PixelPoint{centre.x + static_cast<int>(std::lround(kCircleRadius * std::cos(angle))),
                      centre.y + static_cast<int>(std::lround(kCircleRadius * std::sin(angle)))};
  };
  for (int i = 0; i < kPieces; ++i) canvas.Line(point(i), point(i + 1), colour, 1);
}

}  // namespace

// ------------------------------------------------------------ commands

const std::vector<PassengerCommand>& PassengerCommands() {
  static const std::vector<PassengerCommand> commands = {
      {kPassengerFrom, {"発駅", "From"}, "発駅", 4, 4, 48, 22},
      {kPassengerTo, {"着駅", "To"}, "着駅", 4, 30, 48, 22},
      {kPassengerReverse, {"逆方向", "Reverse"}, "逆方向", 4, 56, 48, 22},
      {kPassengerCurvePlus, {"＋", "+"}, "＋", 300, 56, 28, 22},
      {kPassengerCurveMinus, {"－", "-"}, "－", 330, 56, 28, 22},
      {kPassengerCurveInput, {"入力", "Set"}, "入力", 360, 56, 44, 22},
      {kPassengerHourPlus, {"＋", "+"}, "１時間当たり＋", 570, 30, 28, 22},
      {kPassengerHourMinus, {"－", "-"}, "１時間当たり－", 600, 30, 28, 22},
      {kPassengerHourInput, {"入力", "Set"}, "１時間当たり入力", 630, 30, 44, 22},
      {kPassengerTrainPlus, {"＋", "+"}, "１列車当たり＋", 570, 56, 28, 22},
      {kPassengerTrainMinus, {"－", "-"}, "１列車当たり－", 600, 56, 28, 22},
      {kPassengerTrainInput, {"入力", "Set"}, "１列車当たり入力", 630, 56, 44, 22},
      {kPassengerLeft, {"←", "<-"}, "←"},
      {kPassengerTaller, {"縦拡大", "Zoom In V"}, "縦拡大"},
      {kPassengerShorter, {"縦縮小", "Zoom Out V"}, "縦縮小"},
      {kPassengerWider, {"横拡大", "Zoom In H"}, "横拡大"},
      {kPassengerNarrower, {"横縮小", "Zoom Out H"}, "横縮小"},
      {kPassengerRight, {"→", "->"}, "→"},
      {kPassengerChoosePair, {"発着駅選択", "Choose Stations"}, "発着駅選択"},
      {kPassengerCopy, {"コピー", "Copy"}, "コピー"},
      {kPassengerPaste, {"貼り付け", "Paste"}, "貼り付け"},
  };
  return commands;
}

const PassengerCommand* FindPassengerCommand(std::string_view name) {
  const auto& commands = PassengerCommands();
  // The script name first: "＋" is the curve's, not a station number's.
  for (const PassengerCommand& c : commands) {
    if (name == c.id || name == c.script_name) return &c;
  }
  for (const PassengerCommand& c : commands) {
    if (name == c.label.japanese || name == c.label.english) return &c;
  }
  return nullptr;
}

// ------------------------------------------------------------ dialogs

PassengerNumberDialog::PassengerNumberDialog(std::int64_t value, bool english) {
  Add(TextField("number", {"約", "About"}, 0,
                std::to_string(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX))));
  const Bilingual unit{"人", "passengers"};
  Add(MakeField("unit", unit, FieldKind::kNote)).text = unit.Pick(english);
}

std::string PassengerNumberDialog::Title(bool english) const {
  return english ? "Number of Passengers" : "人数設定";
}

bool PassengerNumberDialog::Accept(Prompter& prompter) {
  const ParsedNumber number = ParseFieldNumber(TextOf("number"));
  if (number.problem != nullptr) {
    prompter.Error(number.problem, kPassengerErrorCaption);
    return false;
  }
  value_ = number.value;
  return true;
}

StationPairDialog::StationPairDialog(const SystemMap& map, int from, int to, bool english) {
  std::vector<std::string> froms;
  std::vector<std::string> tos{Shown(kEveryOtherStation, english)};
  for (int s = 1; s <= map.stations.count(); ++s) {
    froms.push_back(map.stations[s].name.Utf8());
    tos.push_back(froms.back());
  }
  Add(ChoiceField("from", {"発駅", "From"}, std::move(froms), from - 1, FieldKind::kList));
  Add(ChoiceField("to", {"着駅", "To"}, std::move(tos), to, FieldKind::kList));
}

std::string StationPairDialog::Title(bool english) const {
  return english ? "Choose Stations" : "発駅着駅選択";
}

bool StationPairDialog::Accept(Prompter& prompter) {
  const int from = Find("from")->item + 1;
  const int to = Find("to")->item;
  if (from < 1 || to < 0) return false;
  if (from == to) {
    prompter.Error(kSameStationText, kFromStationErrorCaption);
    return false;
  }
  from_ = from;
  to_ = to;
  return true;
}

// ------------------------------------------------------------ the window

PassengerWindow::PassengerWindow(DiaModel& model) : model_(model) {
  view_.from = model.map().stations.count() > 0 ? 1 : 0;
  Summarise();
  // The shares follow every change of the demand, whoever made it.
  subscription_ = model_.Listen([this](const DiaEvent& event) {
    if (event.Touches(DiaTable::kDemand) || event.Touches(DiaTable::kStation)) Summarise();
  });
}

void PassengerWindow::Summarise() {
  summary_ = DemandSummary(model_.dia().demand, model_.map().stations.count());
}

PassengerView PassengerWindow::view() const {
  PassengerView v = view_;
  const int stations = model_.map().stations.count();
  if (v.from > stations || v.from < 0 || (v.from == 0 && stations > 0)) {
    v.from = stations > 0 ? 1 : 0;
  }
  if (v.to > stations || v.to < 0) v.to = 0;
  // A from station brought back onto the to station: one station is no pair.
  if (v.to == v.from) v.to = 0;
  return v;
}

bool PassengerWindow::Editable() const {
  const PassengerView v = view();
  return v.from >= 1 && v.from != v.to;
}

std::vector<DemandEntry> PassengerWindow::PairEntries() const {
  const PassengerView v = view();
  std::vector<DemandEntry> entries;
  for (const DemandEntry& e : model_.dia().demand) {
    if (InPair(e, v.from, v.to)) entries.push_back(e);
  }
  return entries;
}

void PassengerWindow::SetClientSize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
}

bool PassengerWindow::SetPair(int from, int to) {
  const int stations = model_.map().stations.count();
  if (from < 1 || from > stations || to < 0 || to > stations || from == to) return false;
  view_.from = from;
  view_.to = to;
  return true;
}

bool PassengerWindow::Run(std::string_view id, DialogHost& host) {
  view_ = view();
  Prompter& prompter = host.prompter();
  if (id == kPassengerFrom) {
    StepFrom();
  } else if (id == kPassengerTo) {
    StepTo();
  } else if (id == kPassengerReverse) {
    Reverse(prompter);
  } else if (id == kPassengerCurvePlus) {
    ScaleCurve(kScaleUp, kScaleDown);
  } else if (id == kPassengerCurveMinus) {
    ScaleCurve(kScaleDown, kScaleUp);
  } else if (id == kPassengerCurveInput) {
    InputTotal(host);
  } else if (id == kPassengerHourPlus) {
    StepStationNumber(&StationRecord::station_aux2, 10);
  } else if (id == kPassengerHourMinus) {
    StepStationNumber(&StationRecord::station_aux2, -10);
  } else if (id == kPassengerHourInput) {
    InputStationNumber(&StationRecord::station_aux2, host);
  } else if (id == kPassengerTrainPlus) {
    StepStationNumber(&StationRecord::station_aux3, 10);
  } else if (id == kPassengerTrainMinus) {
    StepStationNumber(&StationRecord::station_aux3, -10);
  } else if (id == kPassengerTrainInput) {
    InputStationNumber(&StationRecord::station_aux3, host);
  } else if (id == kPassengerLeft || id == kPassengerRight) {
    const int step = id == kPassengerLeft ? -kTimeScrollStep : kTimeScrollStep;
    view_.left_time = std::clamp(view_.left_time + step, 0, kDemandDayEnd);
  } else if (id == kPassengerTaller || id == kPassengerShorter) {
    const int step = id == kPassengerTaller ? -kPassengersStep : kPassengersStep;
    view_.passengers_per_pixel =
        std::clamp(view_.passengers_per_pixel + step, kPassengersStep, kMostPassengersPerPixel);
  } else if (id == kPassengerWider || id == kPassengerNarrower) {
    const int step = id == kPassengerWider ? -kSecondsStep : kSecondsStep;
    view_.seconds_per_pixel =
        std::clamp(view_.seconds_per_pixel + step, kSecondsStep, kMostSecondsPerPixel);
  } else if (id == kPassengerChoosePair) {
    ChoosePair(host);
  } else if (id == kPassengerCopy) {
    Copy(prompter);
  } else if (id == kPassengerPaste) {
    Paste(prompter);
  } else {
    return false;
  }
  return true;
}

bool PassengerWindow::Key(PanelKey key, int function, DialogHost& host) {
  const char* id = nullptr;
  switch (key) {
    case PanelKey::kLeft:
      id = kPassengerLeft;
      break;
    case PanelKey::kRight:
      id = kPassengerRight;
      break;
    case PanelKey::kUp:
      id = kPassengerTaller;
      break;
    case PanelKey::kDown:
      id = kPassengerShorter;
      break;
    case PanelKey::kFunction: {
      constexpr const char* kFunctionKeys[] = {nullptr,
                                               nullptr,
                                               kPassengerFrom,
                                               nullptr,
                                               nullptr,
                                               kPassengerHourPlus,
                                               kPassengerHourMinus,
                                               kPassengerTrainPlus,
                                               kPassengerTrainMinus};
      if (function >= 0 && function < static_cast<int>(std::size(kFunctionKeys))) {
        id = kFunctionKeys[function];
      }
      break;
    }
    default:
      break;
  }
  return id != nullptr && Run(id, host);
}

// ------------------------------------------------------------ the curve

std::int64_t PassengerWindow::TimeAt(int x) const {
  const PassengerView v = view();
  return std::int64_t{x} * v.seconds_per_pixel + v.left_time;
}

std::int64_t PassengerWindow::CountAt(int y) const {
  return (std::int64_t{height_} - y - kBaseMargin) * view().passengers_per_pixel;
}

void PassengerWindow::LeftClick(PixelPoint pixel) {
  if (pixel.y < kGraphTop) return;
  SetCountAt(TimeAt(pixel.x), CountAt(pixel.y));
}

void PassengerWindow::RightClick(PixelPoint pixel) {
  if (pixel.y < kGraphTop) return;
  RemoveAt(TimeAt(pixel.x));
}

namespace {

// A time to the nearest 10 minutes within the day a curve covers.
int RoundedTime(std::int64_t time) {
  const std::int64_t t = std::clamp<std::int64_t>(time, 0, kDemandDayEnd);
  return static_cast<int>(
      std::min<std::int64_t>((t + kDayStep / 2) / kDayStep * kDayStep, kDemandDayEnd));
}

}  // namespace

void PassengerWindow::SetCountAt(std::int64_t time, std::int64_t count) {
  view_ = view();
  if (!Editable()) return;
  const int t = RoundedTime(time);
  const int c = ClampCount(count);
  const int from = view_.from;
  const int to = view_.to;
  DiaChange change(model_);
  std::vector<DemandEntry>& demand = change.demand();
  // The pair's entry at the time takes the count, wherever a file put it.
  const auto at = std::find_if(demand.begin(), demand.end(), [&](const DemandEntry& e) {
    return InPair(e, from, to) && e.time == t;
  });
  if (at != demand.end()) {
    at->count = c;
    return;
  }
  std::size_t last = demand.size();  // the pair's last entry, if any
  for (std::size_t i = 0; i < demand.size(); ++i) {
    if (!InPair(demand[i], from, to)) continue;
    if (demand[i].time > t) {
      demand.insert(demand.begin() + static_cast<std::ptrdiff_t>(i), DemandEntry{from, to, c, t});
      return;
    }
    last = i;
  }
  if (last < demand.size()) {
    // Every entry lies before the time: the curve goes on to it.
    demand.insert(demand.begin() + static_cast<std::ptrdiff_t>(last + 1),
                  DemandEntry{from, to, c, t});
    return;
  }
  // A new curve from 0:00 to 28:00 through the clicked point; at either end
  // the clicked point is that end.
  if (t > 0) demand.push_back({from, to, 0, 0});
  demand.push_back({from, to, c, t});
  if (t < kDemandDayEnd) demand.push_back({from, to, 0, kDemandDayEnd});
}

void PassengerWindow::RemoveAt(std::int64_t time) {
  view_ = view();
  if (!Editable()) return;
  const int t = RoundedTime(time);
  const std::vector<DemandEntry>& now = model_.dia().demand;
  const auto at = std::find_if(now.begin(), now.end(), [this, t](const DemandEntry& e) {
    return InPair(e, view_.from, view_.to) && e.time == t;
  });
  if (at == now.end()) return;
  const std::ptrdiff_t index = at - now.begin();
  DiaChange change(model_);
  std::vector<DemandEntry>& demand = change.demand();
  demand.erase(demand.begin() + index);
}

void PassengerWindow::ScaleCurve(int numerator, int denominator) {
  if (!Editable() || PairEntries().empty()) return;
  DiaChange change(model_);
  for (DemandEntry& e : change.demand()) {
    if (InPair(e, view_.from, view_.to)) e.count = ScaledCount(e.count, numerator, denominator);
  }
}

void PassengerWindow::InputTotal(DialogHost& host) {
  if (!Editable()) return;
  const std::int64_t total = summary_.CurveTotalOf(view_.from, view_.to);
  if (!summary_.HasCurve(view_.from, view_.to) || total <= 0) {
    host.prompter().Error(kNoPassengersText, kPassengerErrorCaption);
    return;
  }
  PassengerNumberDialog dialog(total, host.english());
  if (!host.Run(dialog)) return;
  const std::int64_t wanted = dialog.value();
  DiaChange change(model_);
  std::vector<DemandEntry>& demand = change.demand();
  // Truncated counts fall short: scaled again until the total is reached,
  // ten times at most.
  for (int pass = 0; pass < 10; ++pass) {
    const std::int64_t now = CurveTotal(demand, view_.from, view_.to);
    if (now == wanted || now <= 0) break;
    for (DemandEntry& e : demand) {
      if (!InPair(e, view_.from, view_.to)) continue;
      e.count = ScaledCount(e.count, wanted, now);
    }
  }
}

void PassengerWindow::Copy(Prompter& prompter) {
  std::vector<DemandEntry> entries = PairEntries();
  if (entries.empty()) {
    prompter.Error(kNothingToCopyText, kOperationErrorCaption);
    return;
  }
  clipboard_ = std::move(entries);
}

void PassengerWindow::Paste(Prompter& prompter) {
  if (clipboard_.empty()) {
    prompter.Error(kNothingToPasteText, kOperationErrorCaption);
    return;
  }
  if (!Editable()) return;
  DiaChange change(model_);
  std::vector<DemandEntry>& demand = change.demand();
  std::erase_if(demand, [this](const DemandEntry& e) { return InPair(e, view_.from, view_.to); });
  for (DemandEntry e : clipboard_) {
    e.from = view_.from;
    e.to = view_.to;
    demand.push_back(e);
  }
}

// ------------------------------------------------------------ station numbers

void PassengerWindow::StepStationNumber(int StationRecord::*member, int step) {
  if (view_.from < 1) return;
  const int now = model_.map().stations[view_.from].*member;
  // Never below 0, never beyond an int.
  const int next = static_cast<int>(
      std::clamp<std::int64_t>(std::int64_t{now} + step, 0, std::int64_t{INT_MAX}));
  if (next == now) return;
  DiaChange change(model_);
  change.stations()[view_.from].*member = next;
}

void PassengerWindow::InputStationNumber(int StationRecord::*member, DialogHost& host) {
  if (view_.from < 1) return;
  PassengerNumberDialog dialog(model_.map().stations[view_.from].*member, host.english());
  if (!host.Run(dialog)) return;
  DiaChange change(model_);
  change.stations()[view_.from].*member = dialog.value();
}

// ------------------------------------------------------------ the pair

void PassengerWindow::StepFrom() {
  const int stations = model_.map().stations.count();
  if (stations < 1) return;
  int from = view_.from;
  for (int step = 0; step <= stations; ++step) {
    from = from >= stations ? 1 : from + 1;
    if (from != view_.to) break;
  }
  view_.from = from;
}

void PassengerWindow::StepTo() {
  const int stations = model_.map().stations.count();
  if (stations < 1) return;
  int to = view_.to;
  for (int step = 0; step <= stations; ++step) {
    to = to >= stations ? 0 : to + 1;
    if (to != view_.from) break;
  }
  view_.to = to;
}

void PassengerWindow::Reverse(Prompter& prompter) {
  if (view_.from < 1) return;
  if (view_.to == 0) {
    prompter.Error(kReverseRefusedText, kFromStationErrorCaption);
    return;
  }
  std::swap(view_.from, view_.to);
}

void PassengerWindow::ChoosePair(DialogHost& host) {
  if (model_.map().stations.count() < 1) return;
  StationPairDialog dialog(model_.map(), view_.from, view_.to, host.english());
  if (!host.Run(dialog)) return;
  SetPair(dialog.from(), dialog.to());
}

// ------------------------------------------------------------ drawing

int PassengerWindow::XOfTime(std::int64_t time) const {
  const PassengerView v = view();
  return static_cast<int>(
      std::clamp<std::int64_t>((time - v.left_time) / v.seconds_per_pixel, -kFarPixel, kFarPixel));
}

int PassengerWindow::YOfCount(std::int64_t count) const {
  const std::int64_t y = height_ - count / view().passengers_per_pixel - kBaseMargin;
  return static_cast<int>(std::clamp<std::int64_t>(y, -kFarPixel, kFarPixel));
}

void PassengerWindow::Draw(Canvas& canvas, bool english) const {
  canvas.FillRect(0, 0, width_, height_, kWhite);
  DrawGrid(canvas);
  const PassengerView v = view();
  if (v.to > 0) DrawCurve(canvas, v.to, v.from, kReverseColour, false);
  if (v.from > 0) DrawCurve(canvas, v.from, v.to, kCurveColour, true);
  if (v.from > 0) DrawTexts(canvas, english);
}

void PassengerWindow::DrawGrid(Canvas& canvas) const {
  const int base = height_ - kBaseMargin;
  for (int y = base; y > kGraphTop; y -= 10) canvas.Line({0, y}, {width_, y}, kGridColour, 1);
  for (int t = 0; t <= kDemandDayEnd; t += kDayStep) {
    const int x = XOfTime(t);
    if (x < 0 || x >= width_) continue;
    const bool hour = t % 3600 == 0;
    canvas.Line({x, kGraphTop}, {x, base}, hour ? kGridColour : kTenMinuteColour, 1);
    if (!hour) continue;
    char label[16];
    std::snprintf(label, sizeof label, "%2d:%02d", t / 3600, t / 60 % 60);
    const TextSize size = canvas.MeasureText(label);
    canvas.Text({x - size.width / 2, base + 2}, label, kBlack);
  }
}

void PassengerWindow::DrawCurve(Canvas& canvas, int from, int to, Rgb colour, bool circles) const {
  PixelPoint last{XOfTime(0), YOfCount(0)};
  for (const DemandEntry& e : model_.dia().demand) {
    if (!InPair(e, from, to)) continue;
    const PixelPoint point{XOfTime(e.time), YOfCount(e.count)};
    canvas.Line(last, point, colour, 1);
    if (circles) DrawCircle(canvas, point, colour);
    last = point;
  }
}

void PassengerWindow::DrawTexts(Canvas& canvas, bool english) const {
  const PassengerView v = view();
  const auto& stations = model_.map().stations;
  const char* station_format = english ? "%s (total %6lld)" : "%s（計%6lld人）";
  const auto station_text = [&](int s) {
    const std::string name = stations[s].short_name.Utf8();
    char text[160];
    std::snprintf(text, sizeof text, station_format, name.c_str(),
                  static_cast<long long>(summary_.StationTotal(s)));
    return std::string(text);
  };
  const char* people = english ? "%lld" : "%lld人";
  canvas.Text({kTextLeft, 8}, station_text(v.from), kBlack);
  canvas.Text({kTextLeft, 34}, v.to > 0 ? station_text(v.to) : Shown(kEveryOtherStation, english),
              kBlack);
  // A label with its value after it.
  const auto text = [&](PixelPoint at, const char* japanese, Rgb colour) {
    const std::string shown = Shown(japanese, english);
    canvas.Text(at, shown, colour);
    return at.x + canvas.MeasureText(shown).width;
  };
  // A label with its value after it.
  const auto labelled = [&](PixelPoint at, const char* label, std::int64_t value, Rgb colour) {
    const int right = text(at, label, colour);
    canvas.Text({right + 8, at.y}, Printed(people, value), colour);
  };
  labelled({kTextLeft, 60}, "総乗降客数", summary_.PairTotal(v.from, v.to), kBlack);
  if (v.to > 0) {
    labelled({kTextLeft, 80}, "逆方向総乗降客数", summary_.PairTotal(v.to, v.from), kReverseColour);
  } else {
    text({kTextLeft, 80}, "逆方向は各発駅を指定して設定して下さい。", kReverseColour);
  }
  const StationRecord& station = stations[v.from];
  text({kSimulationLeft, 8}, "乗客数簡易シミュレート", kBlack);
  text({kSimulationLeft, 34}, "１時間当たり", kBlack);
  canvas.Text({kSimulationValueLeft, 34}, Printed(people, station.station_aux2), kBlack);
  text({kSimulationLeft, 60}, "１列車当たり", kBlack);
  canvas.Text({kSimulationValueLeft, 60}, Printed(people, station.station_aux3), kBlack);
}

// ------------------------------------------------------------ listing

std::string PassengerWindow::Listing() const {
  const PassengerView v = view();
  std::string out = "pair " + std::to_string(v.from) + " " + std::to_string(v.to) + "\n";
  for (const DemandEntry& e : PairEntries()) {
    out += "entry " + std::to_string(e.time) + " " + std::to_string(e.count) + "\n";
  }
  out += "total " + std::to_string(summary_.PairTotal(v.from, v.to)) + "\n";
  out += "reverse " + (v.to > 0 ? std::to_string(summary_.PairTotal(v.to, v.from)) : "-") + "\n";
  if (v.from > 0) {
    const StationRecord& station = model_.map().stations[v.from];
    out += "station " + std::to_string(v.from) + " " +
           std::to_string(summary_.StationTotal(v.from)) + "\n";
    if (v.to > 0) {
      out += "station " + std::to_string(v.to) + " " + std::to_string(summary_.StationTotal(v.to)) +
             "\n";
    }
    out += "per_hour " + std::to_string(station.station_aux2) + "\n";
    out += "per_train " + std::to_string(station.station_aux3) + "\n";
  }
  out += "view " + std::to_string(v.left_time) + " " + std::to_string(v.seconds_per_pixel) + " " +
         std::to_string(v.passengers_per_pixel) + "\n";
  return out;
}

}  // namespace corvane
