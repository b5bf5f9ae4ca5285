#include "editor/station_dialogs.h"

#include <algorithm>

#include "base/encoding.h"
#include "editor/edit_tool.h"

namespace corvane {

namespace {

// The time lists go up to an hour.
constexpr int kLongestListedTime = 3600;
constexpr int kDefaultListUnit = 15;

constexpr Bilingual kStandardTime{"標準", "Standard"};
constexpr Bilingual kPassing{"通過", "Pass"};
constexpr Bilingual kLeftward{"←方向", "Leftward"};
constexpr Bilingual kRightward{"→方向", "Rightward"};
constexpr const char kDeleteCaption[] = "削除確認";

}  // namespace

std::vector<std::string> TimeItems(int unit, bool with_passing, bool english) {
  std::vector<std::string> items = {kStandardTime.Pick(english)};
  if (with_passing) items.emplace_back(kPassing.Pick(english));
  for (int seconds = unit; seconds <= kLongestListedTime; seconds += unit) {
    items.push_back(std::to_string(seconds) + (english ? "s" : "秒"));
  }
  return items;
}

namespace {

// The list item of a stored time; one beyond the list (a foreign file's)
// selects the last item.
int TimeItem(int stored, int first_step_item, int unit, int items) {
  if (stored <= 0) return 0;
  const int item = (stored - 1) / unit + first_step_item;
  return std::min(item, items - 1);
}

bool AskToDelete(Prompter& prompter, const char* question) {
  return prompter.Ask(question, kDeleteCaption, PromptButtons::kYesNo, PromptIcon::kQuestion) ==
         PromptAnswer::kYes;
}

template <typename Record>
StationTexts TextsOfRecord(const Record& record) {
  return {record.one_char_name, record.short_name, record.name, record.stop_time, record.turn_time};
}

template <typename Record>
void StoreTexts(const StationTexts& texts, Record& record) {
  record.one_char_name = texts.one_char_name;
  record.short_name = texts.short_name;
  record.name = texts.name;
  record.stop_time = texts.stop_time;
  record.turn_time = texts.turn_time;
}

}  // namespace

// ---------------------------------------------------------------- station information

int StationInfoDialog::ListUnit(const TimeUnits& units) {
  return units.unit > 0 ? units.unit : kDefaultListUnit;
}

StationInfoDialog::StationInfoDialog(const StationTexts& texts, const TimeUnits& units,
                                     bool english)
    : texts_(texts), unit_(ListUnit(units)) {
  Add(TextField("one_char", {"一文字名称", "One-Letter Name"}, ShortText::kCapacity,
                texts.one_char_name.Utf8()));
  Add(TextField("short", {"略記名称", "Abbreviation"}, ShortText::kCapacity,
                texts.short_name.Utf8()));
  Add(TextField("name", {"名称", "Name"}, LongText::kCapacity, texts.name.Utf8()));
  std::vector<std::string> stop_items = TimeItems(unit_, true, english);
  const int stop = TimeItem(texts.stop_time, 1, unit_, static_cast<int>(stop_items.size()));
  Add(ChoiceField("stop_time", {"標準停車時間", "Standard Stop Time"}, std::move(stop_items),
                  stop));
  std::vector<std::string> turn_items = TimeItems(unit_, false, english);
  const int turn = TimeItem(texts.turn_time, 0, unit_, static_cast<int>(turn_items.size()));
  Add(ChoiceField("turn_time", {"標準折返時間", "Standard Turnaround Time"}, std::move(turn_items),
                  turn));
}

std::string StationInfoDialog::Title(bool english) const {
  return english ? "Station and Stop Section Information" : "駅・駅外停車区画情報設定・選択";
}

void StationInfoDialog::Changed(const std::string& id) {
  if (id == "stop_time") stop_chosen_ = true;
  if (id == "turn_time") turn_chosen_ = true;
}

bool StationInfoDialog::Accept(Prompter& prompter) {
  if (!CheckTextFields(*this, prompter)) return false;
  texts_.one_char_name = Utf8ToSjis(TextOf("one_char"));
  texts_.short_name = Utf8ToSjis(TextOf("short"));
  texts_.name = Utf8ToSjis(TextOf("name"));
  // A stored time the lists do not hold exactly stays until the user
  // chooses another.
  if (stop_chosen_) {
    const int item = ItemOr("stop_time", 0);
    texts_.stop_time = item == 0 ? 0 : (item - 1) * unit_ + 1;
  }
  if (turn_chosen_) {
    const int item = ItemOr("turn_time", 0);
    texts_.turn_time = item == 0 ? 0 : item * unit_ + 1;
  }
  return true;
}

// ---------------------------------------------------------------- station selection

StationSelectDialog::StationSelectDialog(MapChange& change, EditMode tool, int current)
    : change_(change), tool_(tool), stop_sections_(IsStopSectionTool(tool)) {
  Add(ChoiceField(
      "list", stop_sections_ ? Bilingual{"停車区画", "Stop Section"} : Bilingual{"駅", "Station"},
      {}, -1, FieldKind::kList));
  AddButton("add", {"追加(&A)", "Add(&A)"});
  AddButton("delete", {"削除(&D)", "Delete(&D)"});
  AddButton("change", {"変更(&C)", "Change(&C)"});
  ok_label_ = tool == EditMode::kStationDrawing ? Bilingual{"位置指定", "Place"}
                                                : Bilingual{"線路指定", "Pick Track Sections"};
  cancel_label_ = {"終了", "Close"};
  UpdateList(current);
}

std::string StationSelectDialog::Title(bool english) const {
  switch (tool_) {
    case EditMode::kStationYard:
      return english ? "Station Yard Setting and Selection" : "駅構内設定・選択";
    case EditMode::kStopSection:
    case EditMode::kStopSectionYard:
      return english ? "Stop Section Setting and Selection" : "停車区画設定・選択";
    case EditMode::kStationDrawing:
      return english ? "Station Drawing Setting and Selection" : "駅描画設定・選択";
    default:
      return english ? "Station Setting and Selection" : "駅設定・選択";
  }
}

int StationSelectDialog::count() const {
  return stop_sections_ ? change_.map().targets().count() : change_.map().stations().count();
}

StationTexts StationSelectDialog::TextsOf(int index) const {
  return stop_sections_ ? TextsOfRecord(change_.map().targets()[index])
                        : TextsOfRecord(change_.map().stations()[index]);
}

void StationSelectDialog::Store(int index, const StationTexts& texts) {
  if (stop_sections_) {
    StoreTexts(texts, change_.targets()[index]);
  } else {
    StoreTexts(texts, change_.stations()[index]);
  }
}

// Lists the records' names and selects record `select` (the first when it
// does not exist).
void StationSelectDialog::UpdateList(int select) {
  DialogField& list = *Find("list");
  list.items.clear();
  for (int i = 1; i <= count(); ++i) list.items.push_back(TextsOf(i).name.Utf8());
  list.item = list.items.empty() ? -1 : std::clamp(select, 1, count()) - 1;
  const bool any = !list.items.empty();
  ok_enabled_ = any;
  EnableButton("delete", any);
  EnableButton("change", any);
}

void StationSelectDialog::Press(const std::string& button, DialogHost& host) {
  const int selected = Find("list")->item + 1;
  if (button == "add") {
    const MapTable table = stop_sections_ ? MapTable::kTarget : MapTable::kStation;
    if (count() >= InfoOf(table).capacity) {
      const Refusal refusal = FullTableRefusal(table);
      host.prompter().Error(refusal.text, refusal.caption);
      return;
    }
    StationInfoDialog info(StationTexts{}, change_.map().header().time_units, host.english());
    if (!host.Run(info)) return;
    int added = 0;
    if (stop_sections_) {
      MapTarget target;
      StoreTexts(info.texts(), target);
      added = change_.targets().Append(target);
    } else {
      MapStation station;
      StoreTexts(info.texts(), station);
      added = change_.stations().Append(station);
    }
    UpdateList(added);
    return;
  }
  if (selected < 1) return;
  if (button == "change") {
    StationInfoDialog info(TextsOf(selected), change_.map().header().time_units, host.english());
    if (host.Run(info)) Store(selected, info.texts());
    UpdateList(selected);
  } else if (button == "delete") {
    if (!AskToDelete(host.prompter(),
                     "選択されている駅・停車区画を削除します。\nよろしいですか？")) {
      return;
    }
    if (stop_sections_) {
      change_.targets().Delete(selected);
    } else {
      change_.stations().Delete(selected);
    }
    UpdateList(selected);
  }
}

bool StationSelectDialog::Accept(Prompter&) {
  chosen_ = Find("list")->item + 1;
  return chosen_ >= 1;
}

// ---------------------------------------------------------------- names

NameDialog::NameDialog(const MapNameEntry& names) : names_(names) {
  for (const bool leftward : {true, false}) {
    const Bilingual group = leftward ? kLeftward : kRightward;
    const std::string prefix = leftward ? "←" : "→";
    // The rightward group stands beside the leftward one.
    const GroupPlace place = leftward ? GroupPlace::kBelow : GroupPlace::kBeside;
    DialogField abbreviation =
        TextField(leftward ? "short_left" : "short_right", {"略記名称", "Abbreviation"},
                  ShortText::kCapacity, (leftward ? names.short_left : names.short_right).Utf8());
    Add(InGroup(std::move(abbreviation), group, prefix, place));
    DialogField name =
        TextField(leftward ? "name_left" : "name_right", {"名称", "Name"}, LongText::kCapacity,
                  (leftward ? names.name_left : names.name_right).Utf8());
    Add(InGroup(std::move(name), group, prefix, place));
  }
}

std::string NameDialog::Title(bool english) const { return english ? "Names" : "名称設定"; }

bool NameDialog::Accept(Prompter& prompter) {
  if (!CheckTextFields(*this, prompter)) return false;
  names_.short_left = Utf8ToSjis(TextOf("short_left"));
  names_.name_left = Utf8ToSjis(TextOf("name_left"));
  names_.short_right = Utf8ToSjis(TextOf("short_right"));
  names_.name_right = Utf8ToSjis(TextOf("name_right"));
  return true;
}

NamingListDialog::NamingListDialog(MapChange& change, NameTable table, int current)
    : change_(change), table_(table) {
  Add(ChoiceField("list", {"名称", "Names"}, {}, -1, FieldKind::kList));
  AddButton("add", {"追加(&A)", "Add(&A)"});
  AddButton("delete", {"削除(&D)", "Delete(&D)"});
  AddButton("change", {"変更(&C)", "Change(&C)"});
  ok_label_ = {"線路指定", "Pick Track Sections"};
  cancel_label_ = {"ｷｬﾝｾﾙ", "Cancel"};
  UpdateList(current);
}

std::string NamingListDialog::Title(bool english) const {
  return english ? "Automatic Naming" : "名称自動設定";
}

void NamingListDialog::UpdateList(int select) {
  const Table<MapNameEntry>& names = change_.map().Names(table_);
  DialogField& list = *Find("list");
  list.items.clear();
  for (const MapNameEntry& entry : names) list.items.push_back(entry.short_left.Utf8());
  list.item = list.items.empty() ? -1 : std::clamp(select, 1, names.count()) - 1;
  const bool any = !list.items.empty();
  ok_enabled_ = any;
  EnableButton("delete", any);
  EnableButton("change", any);
}

void NamingListDialog::Press(const std::string& button, DialogHost& host) {
  TableChange<MapNameEntry> names = change_.names(table_);
  const int selected = Find("list")->item + 1;
  if (button == "add") {
    if (names.count() >= kNameEntryCapacity) {
      const Refusal refusal = FullTableRefusal(NameTableOf(table_));
      host.prompter().Error(refusal.text, refusal.caption);
      return;
    }
    NameDialog dialog{MapNameEntry{}};
    if (host.Run(dialog)) UpdateList(names.Append(dialog.names()));
    return;
  }
  if (selected < 1) return;
  if (button == "change") {
    NameDialog dialog(names.records()[selected]);
    if (host.Run(dialog)) names[selected] = dialog.names();
    UpdateList(selected);
  } else if (button == "delete") {
    if (!AskToDelete(host.prompter(), "選択されている名称設定を削除します。\nよろしいですか？")) {
      return;
    }
    names.Delete(selected);
    UpdateList(1);
  }
}

bool NamingListDialog::Accept(Prompter&) {
  chosen_ = Find("list")->item + 1;
  return chosen_ >= 1;
}

}  // namespace corvane
