#include "app/series_dialog.h"

#include <algorithm>
#include <climits>

#include "app/english_twins.h"
#include "base/file_io.h"
#include "base/text_format.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

constexpr const char kOperationError[] = "操作エラー";
constexpr const char kNoFileSelected[] = "形式情報ファイルが見つかりません。";
constexpr const char kTableFull[] = "これ以上は追加できません。";
constexpr const char kPhotoMissing[] =
    "形式写真が見つかりません。\n表示させるには、別途用意してインポートする必要があります。";
constexpr const char kPhotoCaption[] = "形式写真エラー";
constexpr const char kIconMissing[] =
    "形式アイコンが見つかりません。\n表示させるには、別途用意してインポートする必要があります。";
constexpr const char kIconCaption[] = "形式アイコンエラー";
constexpr const char kNotOwned[] = "この形式は所有されていません。";
constexpr const char kCannotDispose[] = "処分不可能データ";
constexpr const char kInUse[] = "この形式は列車に使用されているため、処分できません。";
constexpr const char kMeasuring[] =
    "この形式は速度種別%sの計測用形式データに指定されているため、処分できません。\n";
constexpr const char kNoReloadFile[] = "再読込可能な形式情報ファイルは見つかりませんでした。\n";
constexpr const char kReloadCaption[] = "形式情報更新";
constexpr const char kFileUnknown[] = "形式情報ファイルが見つかりません。再読込を行って下さい。";
constexpr const char kStockPhoto[] = "white.bmp";
constexpr const char kStockIcon[] = "black.bmp";

std::string PicturePath(const std::string& folder, const LongText& name, const char* stock) {
  const std::string utf8 = name.Utf8();
  return JoinPath(folder, name.empty() || !IsBareFileName(utf8) ? std::string(stock) : utf8);
}

void ReportMissingPictures(const SeriesFolders& folders, const SeriesRecord& record,
                           Prompter& prompter) {
  if (!record.photo.empty() && !FileExists(SeriesPhotoPath(folders, record))) {
    prompter.Error(kPhotoMissing, kPhotoCaption);
  }
  if (!record.icon.empty() && !FileExists(SeriesIconPath(folders, record))) {
    prompter.Error(kIconMissing, kIconCaption);
  }
}

}  // namespace

SeriesWork SeriesWork::Of(const DiaData& dia) {
  SeriesWork work;
  for (int n = 1; n <= dia.series.count(); ++n) {
    work.series.Append(dia.series[n]);
    work.origin.push_back(n);
  }
  return work;
}

std::vector<SeriesEntry> ListSeries(const SeriesFolders& folders, const Table<SeriesRecord>& held) {
  std::vector<SeriesEntry> entries;
  std::vector<bool> matched(static_cast<std::size_t>(held.count()) + 1, false);
  for (const std::string& name : SeriesFileNames(folders.series)) {
    SeriesEntry entry{name, 0, name};
    if (const auto file = PeekSeriesFile(JoinPath(folders.series, name), folders)) {
      entry.record = FindSeriesRecord(held, file->record, true);
    }
    if (entry.record != 0) matched[static_cast<std::size_t>(entry.record)] = true;
    entries.push_back(std::move(entry));
  }
  for (int n = 1; n <= held.count(); ++n) {
    if (entries.size() >= static_cast<std::size_t>(kMostListedSeries)) break;
    if (!matched[static_cast<std::size_t>(n)]) entries.push_back({"", n, held[n].name.Utf8()});
  }
  return entries;
}

int UsedTrainsets(const DiaData& dia, int series) {
  if (series == 0) return 0;
  int used = 0;
  for (int u = 1; u <= dia.units.count(); ++u) used += dia.units[u].series == series ? 1 : 0;
  return used;
}

bool AddTrainsets(SeriesWork& work, const SeriesFolders& folders, const std::string& file,
                  int count, const MapSettings& map, Prompter& prompter) {
  const std::optional<SeriesFile> peeked =
      file.empty() ? std::nullopt : PeekSeriesFile(file, folders);
  if (!peeked) {
    prompter.Error(kNoFileSelected, kOperationError);
    return false;
  }
  const SeriesRecord* added = nullptr;
  if (const int held = FindSeriesRecord(work.series, peeked->record, false); held != 0) {
    const long long owned = static_cast<long long>(work.series[held].owned_units) + count;
    work.series[held].owned_units = static_cast<int>(std::min<long long>(owned, INT_MAX));
    added = &work.series[held];
  } else if (work.series.full()) {
    prompter.Error(kTableFull, kOperationError);
    return false;
  } else {
    std::optional<SeriesFile> read = LoadSeriesFile(file, folders, &map, prompter);
    if (!read) return false;
    read->record.owned_units = count;
    added = &work.series[work.series.Append(read->record)];
    work.origin.push_back(0);
  }
  ReportMissingPictures(folders, *added, prompter);
  return true;
}

bool DisposeTrainsets(SeriesWork& work, const DiaData& dia, int record, int count,
                      Prompter& prompter) {
  if (!work.series.Contains(record)) {
    prompter.Error(kNotOwned, kOperationError);
    return false;
  }
  const int number = work.origin[static_cast<std::size_t>(record)];
  const int owned = work.series[record].owned_units;
  const int used = UsedTrainsets(dia, number);
  // Trainsets in use stay: never more than the owned ones not used.
  if (used >= owned || count > owned - used) {
    prompter.Error(kInUse, kCannotDispose);
    return false;
  }
  if (count == owned && number != 0) {
    for (int t = 1; t <= dia.speed_types.count(); ++t) {
      if (dia.speed_types[t].series == number) {
        prompter.Error(FillIn(kMeasuring, {dia.speed_types[t].name.Utf8()}), kCannotDispose);
        return false;
      }
    }
  }
  work.series[record].owned_units -= count;
  if (work.series[record].owned_units == 0) {
    work.series.Delete(record);
    work.origin.erase(work.origin.begin() + record);
  }
  return true;
}

std::optional<int> ReloadSeries(SeriesWork& work, const SeriesFolders& folders, int record,
                                const MapSettings& map, Prompter& prompter) {
  if (!work.series.Contains(record)) return std::nullopt;
  const std::optional<FoundSeriesFile> found = FindSeriesFile(folders.series, work.series[record]);
  if (!found) {
    prompter.Inform(kNoReloadFile, kReloadCaption);
    return std::nullopt;
  }
  if (const auto peeked = PeekSeriesFile(found->path, folders)) {
    if (const int exact = FindSeriesRecord(work.series, peeked->record, true); exact != 0) {
      return exact;
    }
  }
  std::optional<SeriesFile> read = LoadSeriesFile(found->path, folders, &map, prompter);
  if (!read) return std::nullopt;
  read->record.owned_units = work.series[record].owned_units;
  work.series[record] = read->record;
  return record;
}

void StoreSeries(DiaModel& model, const SeriesWork& work) {
  const DiaData& dia = model.dia();
  // The new number of each record of the dia data (0: removed).
  std::vector<int> renumbered(static_cast<std::size_t>(dia.series.count()) + 1, 0);
  for (int i = 1; i <= work.series.count(); ++i) {
    const int origin = work.origin[static_cast<std::size_t>(i)];
    if (origin >= 1 && origin <= dia.series.count()) {
      renumbered[static_cast<std::size_t>(origin)] = i;
    }
  }
  const auto follow = [&renumbered](int number) {
    const bool held = number >= 1 && number < static_cast<int>(renumbered.size());
    return held ? renumbered[static_cast<std::size_t>(number)] : number;
  };
  DiaChange change(model);
  for (int u = 1; u <= dia.units.count(); ++u) {
    if (follow(dia.units[u].series) != dia.units[u].series) {
      change.units()[u].series = follow(dia.units[u].series);
    }
  }
  for (int t = 1; t <= dia.speed_types.count(); ++t) {
    if (follow(dia.speed_types[t].series) != dia.speed_types[t].series) {
      change.speed_types()[t].series = follow(dia.speed_types[t].series);
    }
  }
  // Records keep their order: the removed ones go, the kept ones are
  // stored over their places, the new ones follow.
  for (int n = dia.series.count(); n >= 1; --n) {
    if (renumbered[static_cast<std::size_t>(n)] == 0) change.series().Delete(n);
  }
  for (int i = 1; i <= work.series.count(); ++i) {
    if (i <= dia.series.count()) {
      if (!(dia.series[i] == work.series[i])) change.series()[i] = work.series[i];
    } else {
      change.series().Append(work.series[i]);
    }
  }
}

std::string SeriesPhotoPath(const SeriesFolders& folders, const SeriesRecord& record) {
  return PicturePath(folders.image, record.photo, kStockPhoto);
}

std::string SeriesIconPath(const SeriesFolders& folders, const SeriesRecord& record) {
  return PicturePath(folders.image16, record.icon, kStockIcon);
}

// ------------------------------------------------------------ the dialog

SeriesDialog::SeriesDialog(DiaModel& model, SeriesFolders folders)
    : model_(model), folders_(std::move(folders)), work_(SeriesWork::Of(model.dia())) {
  Add(ChoiceField("list", {"形式", "Series"}, {}, -1, FieldKind::kList));
  Add(MakeField("photo", {"形式写真", "Photograph"}, FieldKind::kPicture));
  Add(MakeField("icon", {"形式アイコン", "Icon"}, FieldKind::kPicture));
  Add(MakeField("description", {"形式情報", "Series Information"}, FieldKind::kNote));
  Add(NumberField("count", {"編成数", "Trainsets"}, 1));
  AddButton("add", {"導入(&A)", "Add(&A)"});
  AddButton("dispose", {"処分(&D)", "Dispose(&D)"});
  AddButton("reload", {"再読込(&R)", "Reload(&R)"});
  Rebuild(0, "");
}

std::string SeriesDialog::Title(bool english) const {
  return english ? "Series Setting" : "形式設定";
}

void SeriesDialog::Rebuild(int select_record, const std::string& select_file) {
  entries_ = ListSeries(folders_, work_.series);
  DialogField& list = *Find("list");
  list.items.clear();
  list.item = entries_.empty() ? -1 : 0;
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    list.items.push_back(entries_[k].label);
    const bool chosen = select_file.empty()
                            ? (select_record != 0 && entries_[k].record == select_record)
                            : entries_[k].file == select_file;
    if (chosen) list.item = static_cast<int>(k);
  }
  ShowSelected();
}

const SeriesEntry* SeriesDialog::Selected() const {
  const int item = Find("list")->item;
  if (item < 0 || item >= static_cast<int>(entries_.size())) return nullptr;
  return &entries_[static_cast<std::size_t>(item)];
}

void SeriesDialog::ShowSelected() {
  const SeriesEntry* entry = Selected();
  std::string description;
  std::string photo = JoinPath(folders_.image, kStockPhoto);
  std::string icon = JoinPath(folders_.image16, kStockIcon);
  std::optional<SeriesFile> file;
  if (entry != nullptr && !entry->file.empty()) {
    file = PeekSeriesFile(JoinPath(folders_.series, entry->file), folders_);
  }
  const SeriesRecord* shown = file ? &file->record : nullptr;
  if (entry != nullptr && entry->record != 0) shown = &work_.series[entry->record];
  if (shown != nullptr) {
    const int number =
        entry->record != 0 ? work_.origin[static_cast<std::size_t>(entry->record)] : 0;
    description = DescribeSeries(*shown, file ? &file->guide : nullptr, entry->record != 0,
                                 shown->owned_units, UsedTrainsets(model_.dia(), number));
    if (!file) description += kFileUnknown;
    photo = SeriesPhotoPath(folders_, *shown);
    icon = SeriesIconPath(folders_, *shown);
  }
  if (english_) {
    std::string lines;
    std::size_t start = 0;
    while (start < description.size()) {
      std::size_t end = description.find('\n', start);
      if (end == std::string::npos) end = description.size();
      lines += InEnglish(description.substr(start, end - start)) + "\n";
      start = end + 1;
    }
    description = lines;
  }
  Find("description")->text = description;
  Find("photo")->text = photo;
  Find("icon")->text = icon;
  EnableButton("dispose", entry != nullptr && entry->record != 0);
  EnableButton("reload", entry != nullptr && entry->record != 0);
}

void SeriesDialog::Changed(const std::string& id) {
  if (id == "list") ShowSelected();
}

void SeriesDialog::Press(const std::string& button, DialogHost& host) {
  const SeriesEntry* entry = Selected();
  const int count = std::max(1, NumberOf("count"));
  Prompter& prompter = host.prompter();
  const MapSettings& map = model_.header().settings;
  if (button == "add") {
    const std::string file = entry != nullptr && !entry->file.empty()
                                 ? JoinPath(folders_.series, entry->file)
                                 : std::string();
    const std::string chosen = entry != nullptr ? entry->file : std::string();
    if (AddTrainsets(work_, folders_, file, count, map, prompter)) Rebuild(0, chosen);
  } else if (button == "dispose") {
    const int record = entry != nullptr ? entry->record : 0;
    const std::string chosen = entry != nullptr ? entry->file : std::string();
    if (DisposeTrainsets(work_, model_.dia(), record, count, prompter)) Rebuild(record, chosen);
  } else if (button == "reload" && entry != nullptr) {
    if (const auto record = ReloadSeries(work_, folders_, entry->record, map, prompter)) {
      Rebuild(*record, "");
    }
  }
}

bool SeriesDialog::Accept(Prompter& /*prompter*/) {
  StoreSeries(model_, work_);
  return true;
}

}  // namespace corvane
