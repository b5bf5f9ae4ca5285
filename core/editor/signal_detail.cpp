#include "editor/signal_detail.h"

#include <algorithm>
#include <cstdio>

#include "base/encoding.h"
#include "editor/value_names.h"

namespace corvane {

namespace {

constexpr const char kTablesFull[] = "これ以上増やせません。\n";
constexpr const char kBandTooNarrow[] =
    "この現示の速度の幅は1[km/h]しかないため、現示を追加出来ません。\n"
    "先に現示速度を変更して下さい。\n";
constexpr const char kSizeErrorCaption[] = "サイズエラー";

// The speed just above the last band: the end of the entries.
constexpr int kEndOfSpeeds = kAspectSpeeds;

int IndexOf(const std::vector<AspectBand>& bands, int low) {
  for (std::size_t k = 0; k < bands.size(); ++k) {
    if (bands[k].low == low) return static_cast<int>(k);
  }
  return -1;
}

// Where band `k` ends: the next band's low speed, or the end of the entries.
int NextLow(const std::vector<AspectBand>& bands, int k) {
  return k + 1 < static_cast<int>(bands.size()) ? bands[static_cast<std::size_t>(k) + 1].low
                                                : kEndOfSpeeds;
}

// A step-up to the end of the entries is no step-up.
int StepUpTo(int speed) { return speed >= kEndOfSpeeds ? kNoStepUp : speed; }

std::string SpeedItem(int speed) { return std::to_string(speed) + "[km/h]"; }

std::vector<std::string> SpeedItems(const std::vector<int>& speeds) {
  std::vector<std::string> items;
  for (const int speed : speeds) items.push_back(SpeedItem(speed));
  return items;
}

int ItemOf(const std::vector<int>& values, int value) {
  const auto at = std::find(values.begin(), values.end(), value);
  return at == values.end() ? -1 : static_cast<int>(at - values.begin());
}

}  // namespace

std::vector<AspectBand> AspectBands(const MapSignalType& type) {
  std::vector<AspectBand> bands;
  for (int v = 0; v < kAspectSpeeds; ++v) {
    const SignalAspectEntry& entry = type.aspects[static_cast<std::size_t>(v)];
    if (v > 0 && entry.band_low == type.aspects[static_cast<std::size_t>(v) - 1].band_low) {
      continue;
    }
    bands.push_back({v, entry.aspect_speed, entry.image, entry.colour});
  }
  return bands;
}

void WriteAspectBands(MapSignalType& type, const std::vector<AspectBand>& bands) {
  for (int k = 0; k < static_cast<int>(bands.size()); ++k) {
    const AspectBand& band = bands[static_cast<std::size_t>(k)];
    for (int v = band.low; v < NextLow(bands, k); ++v) {
      type.aspects[static_cast<std::size_t>(v)] = {band.low, band.step_up, band.image, band.colour};
    }
  }
}

int BandLowAt(const MapSignalType& type, int speed) {
  const int index = SpeedIndex(speed);
  int low = 0;
  for (const AspectBand& band : AspectBands(type)) {
    if (band.low <= index) low = band.low;
  }
  return low;
}

std::vector<int> AspectSpeedChoices(const MapSignalType& type, int low, int max_speed) {
  const std::vector<AspectBand> bands = AspectBands(type);
  const int k = IndexOf(bands, low);
  if (k <= 0) return {};
  const int top = std::min(NextLow(bands, k), SpeedIndex(max_speed) + 1);
  std::vector<int> speeds;
  for (int speed = bands[static_cast<std::size_t>(k) - 1].low + 1; speed < top; ++speed) {
    speeds.push_back(speed);
  }
  return speeds;
}

std::vector<int> StepUpChoices(const MapSignalType& type, int low, int max_speed) {
  const int top = BandLowAt(type, max_speed);
  if (low >= top) return {};
  std::vector<int> speeds = {top};
  const std::vector<AspectBand> bands = AspectBands(type);
  for (auto band = bands.rbegin(); band != bands.rend(); ++band) {
    if (band->low < top && band->low > low) speeds.push_back(band->low);
  }
  return speeds;
}

bool CanAddAspect(const MapSignalType& type, int max_speed) {
  return BandLowAt(type, max_speed) < SpeedIndex(max_speed);
}

void ChangeAspectSpeed(MapSignalType& type, int low, int speed) {
  std::vector<AspectBand> bands = AspectBands(type);
  const int k = IndexOf(bands, low);
  if (k <= 0 || speed <= bands[static_cast<std::size_t>(k) - 1].low || speed >= NextLow(bands, k)) {
    return;
  }
  // What stepped up to the band keeps stepping up to it.
  for (AspectBand& band : bands) {
    if (band.step_up == low) band.step_up = speed;
  }
  AspectBand& moved = bands[static_cast<std::size_t>(k)];
  moved.low = speed;
  moved.step_up = StepUpTo(NextLow(bands, k));
  bands[static_cast<std::size_t>(k) - 1].step_up = speed;
  WriteAspectBands(type, bands);
}

void ChangeStepUp(MapSignalType& type, int low, int step_up) {
  std::vector<AspectBand> bands = AspectBands(type);
  const int k = IndexOf(bands, low);
  if (k < 0) return;
  bands[static_cast<std::size_t>(k)].step_up = step_up;
  WriteAspectBands(type, bands);
}

AddedAspect AddAspect(SignalTables& tables, int type, int low) {
  if (!tables.types.Contains(type)) return {};
  if (tables.images.count() >= kMostAspectRecords || tables.colours.count() >= kMostAspectRecords) {
    return {0, kTablesFull};
  }
  MapSignalType& signal = tables.types[type];
  std::vector<AspectBand> bands = AspectBands(signal);
  const int k = IndexOf(bands, low);
  if (k < 0) return {};
  const int next = NextLow(bands, k);
  if (next - low < 2) return {0, kBandTooNarrow};
  AspectBand& band = bands[static_cast<std::size_t>(k)];
  const SignalImageRecord image =
      tables.images.Contains(band.image) ? tables.images[band.image] : SignalImageRecord{};
  const AspectColour colour =
      tables.colours.Contains(band.colour) ? tables.colours[band.colour] : AspectColour{};
  AspectBand added;
  added.low = low + 1;
  added.step_up = StepUpTo(next);
  added.image = tables.images.Append(image);
  added.colour = tables.colours.Append(colour);
  band.step_up = low + 1;
  bands.insert(bands.begin() + k + 1, added);
  WriteAspectBands(signal, bands);
  return {low + 1, nullptr};
}

void DeleteAspect(MapSignalType& type, int low) {
  std::vector<AspectBand> bands = AspectBands(type);
  const int k = IndexOf(bands, low);
  if (k <= 0) return;
  const int above = StepUpTo(NextLow(bands, k));
  bands.erase(bands.begin() + k);
  for (AspectBand& band : bands) {
    if (band.step_up == low) band.step_up = above;
  }
  WriteAspectBands(type, bands);
}

std::string DecelerationLine(const MapSignalType& type, int low, const MapSettings& settings) {
  const std::vector<AspectBand> bands = AspectBands(type);
  const int k = IndexOf(bands, low);
  if (k < 0 || settings.handle_atc <= 0) return {};
  const double a = low;
  const double u = bands[static_cast<std::size_t>(k)].step_up;
  if (bands[static_cast<std::size_t>(k)].step_up == kNoStepUp) return {};
  // Braking from u to a at the signal deceleration, two seconds at u, and
  // the signal margin in front of a stop aspect.
  double distance = (u * u - a * a) / (settings.handle_atc * 0.02) * (1 / 3.6) + u * (1 / 1.8);
  if (low == 0) distance += settings.break_spare_dist;
  char line[64];
  std::snprintf(line, sizeof line, "減速距離：%4.0lf[m]", distance + 1);
  return line;
}

std::string AspectLine(const SignalTables& tables, const AspectBand& band) {
  const std::string name =
      tables.images.Contains(band.image) ? tables.images[band.image].name.Utf8() : std::string();
  return name + " " + SpeedItem(band.low);
}

SignalTables SignalTablesOf(const EditMap& map) {
  SignalTables tables;
  tables.types = map.signal_types();
  tables.images = map.images();
  tables.colours = map.colours();
  return tables;
}

namespace {

template <typename Record>
void StoreTable(TableChange<Record> change, const Table<Record>& copy) {
  const Table<Record>& now = change.records();
  for (int i = 1; i <= copy.count(); ++i) {
    if (!now.Contains(i)) {
      change.Append(copy[i]);
    } else if (!(now[i] == copy[i])) {
      change[i] = copy[i];
    }
  }
}

}  // namespace

void StoreSignalTables(MapChange& change, const SignalTables& tables) {
  StoreTable(change.signal_types(), tables.types);
  StoreTable(change.images(), tables.images);
  StoreTable(change.colours(), tables.colours);
}

// ------------------------------------------------------------ the dialog

SignalDetailDialog::SignalDetailDialog(SignalTables tables, const MapSettings& settings,
                                       SignalDetailMode mode, int type, bool english)
    : tables_(std::move(tables)), settings_(settings), mode_(mode), english_(english) {
  type_ = tables_.types.Contains(type) ? type : 0;
  Add(ChoiceField("type", {"信号機", "Signal Type"}, SignalList(tables_.types, english_), type_,
                  FieldKind::kList));
  Add(TextField("short_name", {"略記名称", "Abbreviation"}, ShortText::kCapacity, ""));
  Add(TextField("name", {"名称", "Name"}, LongText::kCapacity, ""));
  Add(ChoiceField("band", {"現示", "Aspects"}, {}, -1, FieldKind::kList));
  Add(ChoiceField("speed", {"現示速度", "Aspect Speed"}, {}, -1));
  Add(TextField("aspect_name", {"現示名称", "Aspect Name"}, ShortText::kCapacity, ""));
  Add(ChoiceField("step_up", {"進段現示", "Step-up Aspect"}, {}, -1));
  Add(MakeField("colour", {"色", "Colour"}, FieldKind::kColour));
  Add(MakeField("distance", {"", ""}, FieldKind::kNote));
  AddButton("add", {"現示の追加(&D)", "Add Aspect(&D)"});
  AddButton("delete", {"現示の削除(&D)", "Delete Aspect(&D)"});
  if (mode_ == SignalDetailMode::kChoose) ok_label_ = {"選択", "Select"};
  ShowType();
}

std::string SignalDetailDialog::Title(bool english) const {
  if (mode_ == SignalDetailMode::kChoose) return english ? "Signal Selection" : "信号選択";
  return english ? "Signal Details" : "信号詳細設定";
}

MapSignalType* SignalDetailDialog::Type() {
  return tables_.types.Contains(type_) ? &tables_.types[type_] : nullptr;
}

std::vector<int> SignalDetailDialog::ListedBands() const {
  std::vector<int> lows;
  if (!tables_.types.Contains(type_)) return lows;
  for (const AspectBand& band : AspectBands(tables_.types[type_])) lows.push_back(band.low);
  std::reverse(lows.begin(), lows.end());
  return lows;
}

void SignalDetailDialog::ShowType() {
  const MapSignalType* type = Type();
  const bool editing = mode_ == SignalDetailMode::kEdit && type != nullptr;
  DialogField& short_name = *Find("short_name");
  DialogField& name = *Find("name");
  short_name.text = type != nullptr ? type->name.Utf8() : std::string();
  name.text = type != nullptr ? type->text2.Utf8() : std::string();
  short_name.enabled = name.enabled = editing;
  band_ = 0;
  ShowBand();
}

void SignalDetailDialog::ShowBand() {
  const MapSignalType* type = Type();
  const bool editing = mode_ == SignalDetailMode::kEdit && type != nullptr;
  DialogField& list = *Find("band");
  DialogField& speed = *Find("speed");
  DialogField& step_up = *Find("step_up");
  DialogField& aspect_name = *Find("aspect_name");
  DialogField& colour = *Find("colour");
  list.items.clear();
  list.item = -1;
  list.enabled = type != nullptr;
  speed.items = step_up.items = {};
  speed.item = step_up.item = -1;
  speed.enabled = step_up.enabled = aspect_name.enabled = colour.enabled = false;
  aspect_name.text.clear();
  colour.text.clear();
  Find("distance")->text.clear();
  EnableButton("add", false);
  EnableButton("delete", false);
  if (type == nullptr) return;

  const std::vector<AspectBand> bands = AspectBands(*type);
  const std::vector<int> lows = ListedBands();
  for (const int low : lows) list.items.push_back(AspectLine(tables_, bands[IndexOf(bands, low)]));
  list.item = ItemOf(lows, band_);
  const AspectBand& band = bands[static_cast<std::size_t>(IndexOf(bands, band_))];
  const int max_speed = settings_.max_speed;

  const std::vector<int> speeds = AspectSpeedChoices(*type, band_, max_speed);
  speed.items = band_ == 0 ? std::vector<std::string>{SpeedItem(0)} : SpeedItems(speeds);
  speed.item = band_ == 0 ? 0 : ItemOf(speeds, band_);
  speed.enabled = editing && band_ != 0;

  const std::vector<int> step_ups = StepUpChoices(*type, band_, max_speed);
  step_up.items = step_ups.empty() ? std::vector<std::string>{SpeedItem(0)} : SpeedItems(step_ups);
  step_up.item = step_ups.empty() ? 0 : ItemOf(step_ups, band.step_up);
  step_up.enabled = editing && !step_ups.empty();

  aspect_name.text =
      tables_.images.Contains(band.image) ? tables_.images[band.image].name.Utf8() : "";
  const AspectColour shown =
      tables_.colours.Contains(band.colour) ? tables_.colours[band.colour] : AspectColour{};
  colour.text = ColourText({shown.red, shown.green, shown.blue});
  aspect_name.enabled = colour.enabled = editing;
  Find("distance")->text = DecelerationLine(*type, band_, settings_);
  EnableButton("add", editing && CanAddAspect(*type, max_speed));
  EnableButton("delete", editing && band_ > 0);
}

void SignalDetailDialog::Changed(const std::string& id) {
  const DialogField& field = *Find(id);
  if (id == "type") {
    type_ = tables_.types.Contains(field.item) ? field.item : 0;
    ShowType();
    return;
  }
  MapSignalType* type = Type();
  if (type == nullptr || mode_ != SignalDetailMode::kEdit) return;
  // Texts go into the copy as they are typed, unless the map could not
  // store them.
  const bool storable = !TextFieldProblem(field.text);
  if (id == "short_name" && storable) {
    type->name = Utf8ToSjis(field.text);
    Find("type")->items[static_cast<std::size_t>(type_)] = type->name.Utf8();
  } else if (id == "name" && storable) {
    type->text2 = Utf8ToSjis(field.text);
  } else if (id == "band") {
    const std::vector<int> lows = ListedBands();
    if (field.item >= 0 && field.item < static_cast<int>(lows.size())) {
      band_ = lows[static_cast<std::size_t>(field.item)];
    }
  } else if (id == "speed") {
    const std::vector<int> speeds = AspectSpeedChoices(*type, band_, settings_.max_speed);
    if (field.item >= 0 && field.item < static_cast<int>(speeds.size())) {
      const int speed = speeds[static_cast<std::size_t>(field.item)];
      ChangeAspectSpeed(*type, band_, speed);
      band_ = speed;
    }
  } else if (id == "step_up") {
    const std::vector<int> step_ups = StepUpChoices(*type, band_, settings_.max_speed);
    if (field.item >= 0 && field.item < static_cast<int>(step_ups.size())) {
      ChangeStepUp(*type, band_, step_ups[static_cast<std::size_t>(field.item)]);
    }
  } else if (id == "aspect_name" && storable) {
    const int image = type->aspects[static_cast<std::size_t>(band_)].image;
    if (tables_.images.Contains(image)) tables_.images[image].name = Utf8ToSjis(field.text);
  } else if (id == "colour") {
    const int colour = type->aspects[static_cast<std::size_t>(band_)].colour;
    if (const std::optional<Rgb> rgb = ParseColourText(field.text);
        rgb && tables_.colours.Contains(colour)) {
      tables_.colours[colour] = {rgb->red, rgb->green, rgb->blue};
    }
  }
  ShowBand();
}

void SignalDetailDialog::Press(const std::string& button, DialogHost& host) {
  MapSignalType* type = Type();
  if (type == nullptr || mode_ != SignalDetailMode::kEdit) return;
  if (button == "add") {
    const AddedAspect added = AddAspect(tables_, type_, band_);
    if (added.refusal != nullptr) {
      host.prompter().Error(added.refusal, kSizeErrorCaption);
      return;
    }
    if (added.low != 0) band_ = added.low;
  } else if (button == "delete" && band_ > 0) {
    const int below = BandLowAt(*type, band_ - 1);
    DeleteAspect(*type, band_);
    band_ = below;
  }
  ShowBand();
}

bool SignalDetailDialog::Accept(Prompter& prompter) {
  return mode_ == SignalDetailMode::kChoose || CheckTextFields(*this, prompter);
}

}  // namespace corvane
