#include "editor/signal_detail.h"

#include <algorithm>

#include "base/encoding.h"
#include "editor/value_names.h"

namespace corvane {

namespace {

constexpr const char kSizeErrorCaption[] = "サイズエラー";

std::vector<std::string> SpeedItems(const std::vector<int>& speeds) {
  std::vector<std::string> items;
  for (const int speed : speeds) items.push_back(SpeedText(speed));
  return items;
}

int ItemOf(const std::vector<int>& values, int value) {
  const auto at = std::find(values.begin(), values.end(), value);
  return at == values.end() ? -1 : static_cast<int>(at - values.begin());
}

}  // namespace

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
  for (const int low : lows)
    list.items.push_back(AspectLine(tables_, bands[BandIndex(bands, low)]));
  list.item = ItemOf(lows, band_);
  const AspectBand& band = bands[static_cast<std::size_t>(BandIndex(bands, band_))];
  const int max_speed = settings_.max_speed;

  const std::vector<int> speeds = AspectSpeedChoices(*type, band_, max_speed);
  speed.items = band_ == 0 ? std::vector<std::string>{SpeedText(0)} : SpeedItems(speeds);
  speed.item = band_ == 0 ? 0 : ItemOf(speeds, band_);
  speed.enabled = editing && band_ != 0;

  const std::vector<int> step_ups = StepUpChoices(*type, band_, max_speed);
  step_up.items = step_ups.empty() ? std::vector<std::string>{SpeedText(0)} : SpeedItems(step_ups);
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
